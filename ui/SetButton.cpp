// The Set button: the selected printer, the typed name and the chosen set,
// checked, applied, and the printer renamed when a new name was typed.
#include "ui/KPXSetupDlg.h"

#include "classlib/MbString.h"
#include "classlib/WaitCursor.h"
#include "printers/PrinterRename.h"
#include "res/resource.h"
#include "settings/DriverINI.h"

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

    // The settings are recorded under the printer's current name; they move
    // to the new name only once the spooler has accepted it.
    if (!ApplyProfileSet(oldName, setName))
        return;
    m_listPrinters.SetItemText(row, 1, setName.c_str());

    if (MbCompare(newName, oldName) != 0) {
        CWaitCursor wait;
        CDriverINI driverIni;
        const BOOL loaded = driverIni.LoadSection(oldName);
        if (RenamePrinter(oldName.c_str(), newName.c_str())) {
            m_listPrinters.SetItemText(row, 0, newName.c_str());
            // Section names match without regard to case: for a name that
            // differs only in case the section already serves the new name,
            // and saving then deleting would delete it. Otherwise the old
            // section goes only once the new one is written.
            if (loaded && MbCompareNoCase(newName, oldName) != 0 && driverIni.SaveSection(newName))
                driverIni.DeleteSection(oldName);
        }
    }

    EnableSetButton(FALSE);
    m_nPrinterCount = m_printers.Enumerate();
}
