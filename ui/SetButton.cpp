// The Set button: the selected printer, the typed name and the chosen set,
// checked and then handed to the apply.
#include "ui/KPXSetupDlg.h"

#include "res/resource.h"

void CKPXSetupDlg::OnSet()
{
    const int row = m_listPrinters.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;

    const std::string oldName = m_listPrinters.GetItemText(row, 0);
    std::string newName = m_editName.GetWindowText();
    // Without a selected set this throws: the click ends, reported, before
    // anything is checked or changed.
    const std::string setName = m_comboSet.GetLBText(m_comboSet.GetCurSel());

    if (!ValidateName(newName, oldName)) {
        // The check may have handed the old name back. Putting it in raises
        // EN_CHANGE, which enables the Set button for another try.
        m_editName.SetWindowText(newName);
        return;
    }

    ApplyProfileSet(oldName, newName, setName);
}
