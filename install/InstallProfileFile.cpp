// Installing one profile file for the printer of the current apply; the
// targets and the copy are in ProfileTargets and ProfileCopy, the question
// before replacing a file is the overwrite dialog.
#include "ui/KPXSetupDlg.h"

#include "install/OverwriteDlg.h"
#include "install/ProfileCopy.h"
#include "install/ProfileTargets.h"

void CKPXSetupDlg::InstallProfileFile(const std::string& printerName, const std::string& sourcePath)
{
    std::string targets[2];
    GetTargetPaths(printerName, sourcePath, targets[0], targets[1]);

    // One dialog serves both targets of the file.
    COverwriteDlg overwrite(this);
    InstallToTargets(sourcePath, targets, m_bOverwriteAll, m_bOverwriteCancelled, m_bCopyFailed,
                     [&overwrite](const std::string& source, const std::string& target) {
                         overwrite.SetFiles(source.c_str(), target.c_str());
                         return overwrite.DoModal();
                     });
}

void CKPXSetupDlg::GetTargetPaths(const std::string& printerName, const std::string& sourcePath,
                                  std::string& systemTarget, std::string& driverTarget)
{
    ::GetTargetPaths(printerName, sourcePath, systemTarget, driverTarget);
}
