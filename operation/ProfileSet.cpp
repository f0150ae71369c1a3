#include "operation/ProfileSet.h"

#include "classlib/PathParts.h"
#include "operation/ProfileSourceCheck.h"
#include "platform/FileReadable.h"

namespace {

// The name a file shares with an earlier slot's different file; empty when
// none.
std::string SharedName(const std::string paths[4], int slot)
{
    for (int earlier = 0; earlier < slot; ++earlier) {
        if (SourcesClash(paths[earlier], paths[slot]))
            return FileNamePart(paths[slot]);
    }
    return std::string();
}

} // namespace

void ReadSetPaths(const CKPXSetupINI& toolIni, const std::string& setName, std::string paths[4])
{
    for (int slot = 0; slot < 4; ++slot) {
        paths[slot].clear();
        toolIni.ReadProfilePath(setName, kProfileSlots[slot], paths[slot]);
    }
}

SetFault ReadProfileSet(const CKPXSetupINI& toolIni, const std::string& setName, const AskMissingFile& missing,
                        ProfileSetFiles& set)
{
    ReadSetPaths(toolIni, setName, set.paths);
    for (int slot = 0; slot < 4; ++slot) {
        std::string& path = set.paths[slot];
        DWORD error = 0;
        while (!FileReadable(path.c_str(), error)) {
            if (!missing(path, error)) {
                set.badFile = path;
                set.badKind = kProfileSlots[slot];
                return SetFileMissing;
            }
        }
    }
    // Only profile files are installed: any other name could replace a file
    // of the system or of the driver in the target folders, or reach a device.
    for (int slot = 0; slot < 4; ++slot) {
        if (!MayInstallProfileFile(set.paths[slot])) {
            set.badFile = set.paths[slot];
            set.badKind = kProfileSlots[slot];
            return SetFileNotProfile;
        }
    }
    // The files are copied with administrator rights into the system's
    // folders: whoever else may change one chooses what is installed there.
    for (int slot = 0; slot < 4; ++slot) {
        set.trust = CheckSourceTrust(set.paths[slot]);
        if (set.trust.fault != SourceTrusted) {
            set.badFile = set.paths[slot];
            set.badKind = kProfileSlots[slot];
            return SetFileUntrusted;
        }
    }
    // Two different files of one name would replace each other in the
    // targets and be recorded alike.
    for (int slot = 1; slot < 4; ++slot) {
        set.clashingFile = SharedName(set.paths, slot);
        if (!set.clashingFile.empty())
            return SetFileNameShared;
    }
    return SetFilesOk;
}

SetFault CheckSetFile(const std::string paths[4], int slot, DWORD& error, SourceTrust& trust)
{
    error = 0;
    if (!FileReadable(paths[slot].c_str(), error))
        return SetFileMissing;
    if (!MayInstallProfileFile(paths[slot]))
        return SetFileNotProfile;
    trust = CheckSourceTrust(paths[slot]);
    if (trust.fault != SourceTrusted)
        return SetFileUntrusted;
    return SharedName(paths, slot).empty() ? SetFilesOk : SetFileNameShared;
}
