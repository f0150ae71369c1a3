#include "operation/ProfileSetCheck.h"

#include "classlib/Handle.h"
#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "operation/ProfileTargets.h"
#include "platform/OsClass.h"
#include "platform/SafeFileAccess.h"
#include "printers/DriverDirectory.h"
#include "printers/PrinterNameRules.h"
#include "settings/DriverINI.h"

#include <map>

namespace {

const ProfileKind kSlotKinds[4] = {ProfileAuto, ProfileFont, ProfileTone, ProfileVividness};

struct FileComparison {
    bool same = false;
    CheckDifference what = CheckFileDiffers;
    DWORD error = 0;
};

bool ReadChunk(HANDLE file, char* buffer, DWORD size, DWORD& read)
{
    return ::ReadFile(file, buffer, size, &read, nullptr) != FALSE;
}

// The target against its source, byte for byte; the target looked up in the
// native folders (the apply's targets), the source where the path says.
FileComparison CompareWithSource(const std::string& source, const std::string& target)
{
    FileComparison result;
    CFileHandle targetFile(SafeCreateFile(target.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!targetFile.IsValid()) {
        result.error = ::GetLastError();
        result.what = result.error == ERROR_FILE_NOT_FOUND || result.error == ERROR_PATH_NOT_FOUND
                          ? CheckFileMissing
                          : CheckFileUnreadable;
        return result;
    }
    CFileHandle sourceFile(Win32().CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!sourceFile.IsValid()) {
        result.error = ::GetLastError();
        result.what = CheckFileUnreadable;
        return result;
    }
    DWORD targetHigh = 0, sourceHigh = 0;
    const DWORD targetSize = ::GetFileSize(targetFile.Get(), &targetHigh);
    const DWORD sourceSize = ::GetFileSize(sourceFile.Get(), &sourceHigh);
    if (targetSize != sourceSize || targetHigh != sourceHigh)
        return result;
    static const DWORD kChunk = 64 * 1024;
    std::vector<char> a(kChunk), b(kChunk);
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (!ReadChunk(targetFile.Get(), a.data(), kChunk, readA) ||
            !ReadChunk(sourceFile.Get(), b.data(), kChunk, readB)) {
            result.error = ::GetLastError();
            result.what = CheckFileUnreadable;
            return result;
        }
        if (readA != readB || std::char_traits<char>::compare(a.data(), b.data(), readA) != 0)
            return result;
        if (readA == 0)
            break;
    }
    result.same = true;
    return result;
}

} // namespace

CheckOutcome CheckProfileSet(const FleetRequest& request, const std::string files[4])
{
    CheckOutcome outcome;
    // Printers of one driver share the driver directory, and all of them the
    // system directory: each target is compared once.
    std::map<std::string, FileComparison> compared;
    CDriverINI driverIni;
    const bool withDriverDirectory = GetOsClass() != OsWin9x;

    for (const std::string& printer : request.printers) {
        ApplyStop refused = ApplyCompleted;
        std::string driverDirectory;
        if (!IsRecordablePrinterName(printer))
            refused = ApplyUnrecordable;
        else if (withDriverDirectory && (driverDirectory = GetDriverDirectory(printer)).empty())
            refused = ApplyPrinterGone;
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
                driverIni.ReadProfileFile(printer, kSlotKinds[slot], recorded);
                const std::string expected = FileNamePart(files[slot]);
                if (MbCompareNoCase(recorded, expected) != 0)
                    add(CheckFileName,
                        std::string(ProfileKeyName(kSlotKinds[slot])) + "=" + recorded + " (" + expected + ")");
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
                if (found == compared.end())
                    found = compared.emplace(target, CompareWithSource(files[slot], target)).first;
                if (!found->second.same)
                    add(found->second.what, target, found->second.error);
            }
        }
    }
    // Every printer skipped: nothing was compared, which is no success.
    if (outcome.skipped.size() == request.printers.size())
        outcome.stop = ApplyPrinterGone;
    return outcome;
}
