#include "operation/ProfileSetCheck.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/ProfileSetApply.h"
#include "operation/ProfileTargets.h"
#include "platform/FileCompare.h"
#include "printers/DriverDirectory.h"
#include "settings/DriverINI.h"

#include <map>

namespace {

struct TargetState {
    FileComparison comparison;
    DWORD error;
};

CheckDifference DifferenceOf(FileComparison comparison)
{
    switch (comparison) {
    case TargetMissing:
        return CheckFileMissing;
    case FileUnreadable:
        return CheckFileUnreadable;
    case FilesSame:
    case FilesDiffer:
        break;
    }
    return CheckFileDiffers;
}

} // namespace

CheckOutcome CheckProfileSet(const ApplyRequest& request, const CPrinterSnapshot& printers, const std::string files[4])
{
    CheckOutcome outcome;
    // Printers of one driver share the driver directory, and all of them the
    // system directory: each target is compared once.
    std::map<std::string, TargetState> compared;
    CDriverINI driverIni;
    CDriverDirectories directories;

    for (const std::string& printer : request.printers) {
        std::string driverDirectory;
        const ApplyStop refused = CheckPrinterForApply(printer, printers, directories, driverDirectory);
        if (refused != ApplyCompleted) {
            if (!request.skipUnusable) {
                outcome.stop = refused;
                outcome.stoppedAt = printer;
                outcome.findings.clear();
                return outcome;
            }
            outcome.skipped.emplace_back(printer, refused);
            continue;
        }

        const auto add = [&](CheckDifference what, const std::string& detail, DWORD error = 0) {
            outcome.findings.push_back({printer, what, detail, error});
        };
        std::string recordedSet;
        if (!driverIni.ReadProfileSetName(printer, recordedSet)) {
            add(CheckNoRecord, std::string());
        } else {
            if (MbCompareNoCase(recordedSet, request.setName) != 0)
                add(CheckOtherSet, recordedSet);
            for (int slot = 0; slot < 4; ++slot) {
                std::string recorded;
                driverIni.ReadProfileFile(printer, kProfileSlots[slot], recorded);
                const std::string expected = FileNamePart(files[slot]);
                if (MbCompareNoCase(recorded, expected) != 0)
                    add(CheckFileName, ProfileKeyLine(kProfileSlots[slot], recorded) + " (" + expected + ")");
            }
        }

        for (int slot = 0; slot < 4; ++slot) {
            if (!IsFirstSlotOfItsFile(files, slot))
                continue;
            std::string targets[2];
            GetTargetPaths(driverDirectory, files[slot], targets[0], targets[1]);
            for (const std::string& target : targets) {
                if (target.empty())
                    continue;
                auto found = compared.find(target);
                if (found == compared.end()) {
                    TargetState state{FilesSame, 0};
                    state.comparison = CompareFileWithSource(files[slot], target, state.error);
                    found = compared.emplace(target, state).first;
                }
                if (found->second.comparison != FilesSame)
                    add(DifferenceOf(found->second.comparison), target, found->second.error);
            }
        }
    }
    // Every printer skipped: nothing was compared, which is no success.
    if (outcome.skipped.size() == request.printers.size())
        outcome.stop = ApplyPrinterGone;
    return outcome;
}
