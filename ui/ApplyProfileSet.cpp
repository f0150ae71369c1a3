#include "ui/KPXSetupDlg.h"

// The apply (install, record, rename) is built separately; until then nothing is applied.
BOOL CKPXSetupDlg::ApplyProfileSet(const std::string&, const std::string&, const std::string&)
{
    return FALSE;
}
