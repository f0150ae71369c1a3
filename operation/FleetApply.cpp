// The apply for several printers in one run: CProfileSetApply's members for
// it, beside the single printer's steps they share (the set's checks, the
// installation of one file into its targets, the steps told as they happen).
#include "operation/ProfileSetApply.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/ProfileTargets.h"
#include "printers/PrinterNameRules.h"
#include "settings/DriverIniChange.h"

namespace {

// The copies of all that lie in one of the two folders (each with its
// trailing backslash; an empty one holds none).
TargetCopies CopiesInto(const TargetCopies& all, const std::string& systemFolder, const std::string& driverFolder)
{
    const auto ours = [&](const std::string& target) {
        const std::string folder = DirectoryPart(target) + "\\";
        return MbCompareNoCase(folder, systemFolder) == 0 ||
               (!driverFolder.empty() && MbCompareNoCase(folder, driverFolder) == 0);
    };
    TargetCopies copies;
    for (const std::string& target : all.installed) {
        if (ours(target))
            copies.installed.push_back(target);
    }
    for (const FailedCopy& failed : all.failed) {
        if (ours(failed.target))
            copies.failed.push_back(failed);
    }
    for (const std::string& target : all.atRestart) {
        if (ours(target))
            copies.atRestart.push_back(target);
    }
    return copies;
}

} // namespace

FleetOutcome CProfileSetApply::RunForPrinters(const FleetRequest& request)
{
    m_outcome = ApplyOutcome();
    m_overwriteAll = false;
    m_overwriteCancelled = false;
    FleetOutcome fleet;
    const auto stop = [&](ApplyStop where, const std::string& printer) {
        fleet.stop = where;
        fleet.stopDetail = m_outcome;
        fleet.stopDetail.stop = where;
        m_callback.ApplyEnded(ApplyRequest{printer, request.setName, printer}, fleet.stopDetail);
        return fleet;
    };

    // Every printer is checked before anything is written.
    for (const std::string& printer : request.printers) {
        std::string driverDirectory;
        const ApplyStop found = CheckFleetPrinter(printer, driverDirectory);
        if (found == ApplyCompleted) {
            fleet.printers.push_back(
                {ApplyRequest{printer, request.setName, printer}, driverDirectory, ApplyOutcome()});
        } else if (request.skipUnusable) {
            m_callback.PrinterSkipped(ApplyRequest{printer, request.setName, printer}, found);
        } else {
            return stop(found, printer);
        }
    }
    // Every printer skipped: their lines said why, and nothing is left to do.
    if (fleet.printers.empty()) {
        fleet.stop = ApplyPrinterGone;
        fleet.stopDetail.stop = ApplyPrinterGone;
        return fleet;
    }
    const std::string& first = fleet.printers.front().request.printer;
    if (!m_callback.ConfirmApply())
        return stop(ApplyDeclined, first);
    const ApplyStop setStop = ReadSetFiles(request.setName, m_outcome);
    if (setStop != ApplyCompleted)
        return stop(setStop, first);

    InstallForPrinters(fleet.printers);

    // One replacement of the driver settings file holds every record: one
    // write per printer on the copy (CDriverINI::WriteProfileRecord).
    DWORD recordError = 0;
    const bool recorded = ChangeDriverIni(
        [&](CDriverINI& copy) {
            for (const FleetPrinter& printer : fleet.printers) {
                if (!copy.WriteProfileRecord(printer.request.printer, request.setName, m_files))
                    return false;
            }
            return true;
        },
        recordError);

    std::string systemTarget, unused;
    GetTargetPaths(std::string(), "x", systemTarget, unused);
    const std::string systemFolder = DirectoryPart(systemTarget) + "\\";
    fleet.stop = ApplyCompleted;
    for (FleetPrinter& printer : fleet.printers) {
        printer.outcome.stop = recorded ? ApplyCompleted : ApplyNotRecorded;
        printer.outcome.recorded = recorded;
        printer.outcome.recordError = recorded ? 0 : recordError;
        printer.outcome.copies = CopiesInto(m_outcome.copies, systemFolder, printer.driverDirectory);
        if (recorded)
            m_callback.SetRecorded(printer.request);
    }
    for (const FleetPrinter& printer : fleet.printers)
        m_callback.ApplyEnded(printer.request, printer.outcome);
    return fleet;
}

ApplyStop CProfileSetApply::CheckFleetPrinter(const std::string& printer, std::string& driverDirectory)
{
    // Such a name would share its section with the name without the blanks.
    if (!IsRecordablePrinterName(printer))
        return ApplyUnrecordable;
    m_driverDirectory.clear();
    if (!PrinterStillThere(printer))
        return ApplyPrinterGone;
    driverDirectory = m_driverDirectory;
    return ApplyCompleted;
}

void CProfileSetApply::InstallForPrinters(const std::vector<FleetPrinter>& printers)
{
    // The system directory once, and each distinct driver directory once
    // (printers of one driver share theirs).
    std::vector<std::string> driverDirectories;
    for (const FleetPrinter& printer : printers) {
        bool seen = printer.driverDirectory.empty();
        for (size_t i = 0; i < driverDirectories.size() && !seen; ++i)
            seen = MbCompareNoCase(driverDirectories[i], printer.driverDirectory) == 0;
        if (!seen)
            driverDirectories.push_back(printer.driverDirectory);
    }
    // A file that several kinds share is installed once, at its first slot;
    // each file goes to the system directory and its first driver directory
    // together, as for one printer, then to the other driver directories.
    for (int slot = 0; slot < 4; ++slot) {
        if (!IsFirstSlotOfItsFile(m_files, slot))
            continue;
        for (size_t i = 0; i < driverDirectories.size() || i == 0; ++i) {
            std::string targets[2];
            GetTargetPaths(i < driverDirectories.size() ? driverDirectories[i] : std::string(), m_files[slot],
                           targets[0], targets[1]);
            if (i > 0)
                targets[0].clear();
            InstallIntoTargets(m_files[slot], targets);
        }
    }
}
