#include "operation/OtherRecords.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "settings/DriverINI.h"

#include <memory>
#include <set>

std::vector<FileUsers> PrintersOfOtherSetsUsing(const CPrinterSnapshot& printers, const CKPXSetupINI& toolIni,
                                                const std::string& setName, const std::vector<std::string>& except,
                                                const std::vector<std::string>& sources)
{
    if (sources.empty() || !printers.IsTaken())
        return {};
    std::vector<FileUsers> users;
    for (const std::string& source : sources)
        users.push_back({FileNamePart(source), {}});

    // A run for every printer of a server excepts them all: looked up by
    // name, not compared one by one.
    const std::set<std::string, NoCaseLess> excepted(except.begin(), except.end());
    // One read session of the driver settings file for every printer, begun
    // at the first printer other than the apply's own (most machines have
    // none).
    std::unique_ptr<CDriverINI> driverIni;
    for (unsigned i = 0; i < printers.Count(); ++i) {
        const PRINTER_INFO_2A* record = printers.List().GetItem(i);
        if (!record || !record->pPrinterName)
            continue;
        const std::string printer = record->pPrinterName;
        if (excepted.count(printer))
            continue;
        if (!driverIni)
            driverIni = std::make_unique<CDriverINI>();
        std::string otherSet;
        if (!driverIni->ReadProfileSetName(printer, otherSet) || MbCompareNoCase(otherSet, setName) == 0)
            continue;
        for (const ProfileKind kind : kProfileSlots) {
            std::string recorded;
            if (!driverIni->ReadProfileFile(printer, kind, recorded))
                continue;
            for (size_t s = 0; s < sources.size(); ++s) {
                if (MbCompareNoCase(recorded, users[s].fileName) != 0)
                    continue;
                // The other set installs this very file for the kind: its
                // printers print with what they always did.
                std::string otherSource;
                if (toolIni.ReadProfilePath(otherSet, kind, otherSource) &&
                    MbCompareNoCase(otherSource, sources[s]) == 0)
                    continue;
                std::vector<std::string>& names = users[s].printers;
                if (names.empty() || names.back() != printer)
                    names.push_back(printer);
            }
        }
    }
    std::vector<FileUsers> found;
    for (FileUsers& entry : users) {
        if (!entry.printers.empty())
            found.push_back(std::move(entry));
    }
    return found;
}
