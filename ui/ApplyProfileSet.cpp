// The apply behind the Set button: the set's files made sure of, installed
// once each, and the set recorded for the printer in the driver settings file.
#include "ui/KPXSetupDlg.h"

#include "classlib/MbString.h"
#include "classlib/WinApp.h"
#include "install/ConfirmSourceFile.h"
#include "res/resource.h"
#include "settings/DriverINI.h"
#include "settings/KPXSetupINI.h"

namespace {

// The slots of m_strProfileFiles, in the order files are checked, installed
// and recorded.
const ProfileKind kSlotKinds[4] = {ProfileAuto, ProfileFont, ProfileTone, ProfileVividness};

} // namespace

BOOL CKPXSetupDlg::ApplyProfileSet(const std::string& printerName, const std::string& setName)
{
    m_bOverwriteAll = false;
    m_bOverwriteCancelled = false;
    m_bCopyFailed = false;

    const std::string failed = LoadResString(IDS_CHANGE_FAILED);
    const std::string caption = LoadResString(IDS_CAPTION_PROFILE_SETTING);
    if (!GatherProfileFiles(setName)) {
        MessageBox(failed.c_str(), caption.c_str(), MB_OK);
        return FALSE;
    }

    // A file that several kinds share is installed once, at its first slot.
    for (int slot = 0; slot < 4; ++slot) {
        bool seen = false;
        for (int earlier = 0; earlier < slot && !seen; ++earlier)
            seen = MbCompare(m_strProfileFiles[slot], m_strProfileFiles[earlier]) == 0;
        if (!seen)
            InstallProfileFile(printerName, m_strProfileFiles[slot]);
    }

    // Recorded whatever the installations did: a declined overwrite keeps the
    // old file, which the driver then uses under the set's name.
    bool recorded = false;
    {
        CDriverINI driverIni;
        recorded = driverIni.WriteProfileSetName(printerName, setName) != FALSE;
        for (int slot = 0; slot < 4; ++slot) {
            if (!driverIni.WriteProfileFile(printerName, kSlotKinds[slot], m_strProfileFiles[slot]))
                recorded = false;
        }
    }
    if (!recorded) {
        // The list must not claim what the file does not hold: the row shows
        // the file's own record again, and Set stays enabled for another try.
        const int row = m_listPrinters.GetNextItem(-1, LVNI_SELECTED);
        if (row >= 0)
            m_listPrinters.SetItemText(row, 1, RecordedSetName(printerName).c_str());
        MessageBox(failed.c_str(), caption.c_str(), MB_OK);
        return FALSE;
    }
    // The set is recorded, but a file the driver needs may not be in place.
    if (m_bCopyFailed)
        MessageBox(failed.c_str(), caption.c_str(), MB_OK);
    return TRUE;
}

BOOL CKPXSetupDlg::GatherProfileFiles(const std::string& setName)
{
    {
        for (int slot = 0; slot < 4; ++slot) {
            m_strProfileFiles[slot].clear();
            m_toolIni.ReadProfilePath(setName, kSlotKinds[slot], m_strProfileFiles[slot]);
        }
    }
    for (int slot = 0; slot < 4; ++slot) {
        if (!ConfirmSourceFile(m_strProfileFiles[slot]))
            return FALSE;
    }
    return TRUE;
}

BOOL CKPXSetupDlg::ConfirmSourceFile(std::string& path)
{
    return ::ConfirmSourceFile(this, path);
}

std::string CKPXSetupDlg::RecordedSetName(const std::string& printerName)
{
    std::string setName;
    CDriverINI driverIni;
    if (!driverIni.ReadProfileSetName(printerName, setName))
        setName = LoadResString(IDS_DEFAULT_SET_NAME);
    return setName;
}
