// The Set button: the selected printer, the typed name and the chosen set,
// checked and applied; the user is told once, at the end, what did not happen.
#include "ui/KPXSetupDlg.h"

#include "classlib/WaitCursor.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "ui/ApplyReport.h"

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

    const ApplyRequest request{oldName, setName, newName};
    ApplyOutcome outcome;
    {
        CWaitCursor wait;
        outcome = m_apply.Run(request, m_printers);
    }
    const std::string report = ApplyReportText(request, outcome);
    if (!report.empty())
        MessageBox(report.c_str(), LoadResString(IDS_CAPTION_PROFILE_SETTING).c_str(), MB_OK);

    if (outcome.stop == ApplyPrinterGone) {
        // The snapshot the name check uses must know what the spooler now has.
        m_printers.Take();
        return;
    }
    if (!outcome.recorded) {
        // The list must not claim what the file does not hold: after a failed
        // record the row shows the file's own record again. Set stays enabled
        // for another try.
        if (outcome.stop == ApplyNotRecorded)
            SetRowText(row, 1, RecordedSetName(oldName));
        return;
    }
    SetRowText(row, 1, setName);
    if (outcome.rename == RenameDone)
        SetRowText(row, 0, newName);

    // A rename that did not happen keeps the old name in the row and the
    // typed one in the edit, with Set enabled, so the user can try again.
    if (outcome.rename != RenameRefused && outcome.rename != RenameSkippedUnreadable)
        EnableSetButton(FALSE);
    m_printers.Take();
}
