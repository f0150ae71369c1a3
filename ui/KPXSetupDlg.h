// The program's main window: the printers of the supported drivers with the
// colour-profile set recorded for each and their ports, the name edit where
// a printer may be given a new name, the drop-down of the profile sets the
// tool offers, and the Set button that applies the choice. Built on dialog
// template 102; start-up runs it modally and the program ends with it.
//
// The list, the drop-down and the printer snapshot are filled once, when the
// dialog initialises (the snapshot is start-up's enumeration when start-up
// hands it over). Every change is written when Set is pressed, so closing
// (Close, Esc) asks nothing and saves nothing.
#pragma once

#include "classlib/ComboBox.h"
#include "classlib/Dialog.h"
#include "classlib/ListCtrl.h"
#include "operation/ProfileSetApply.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"
#include "ui/EditPrnName.h"

#include <array>
#include <string>
#include <vector>

class CKPXSetupDlg : public CDialog, private IApplyCallback {
public:
    // toolIni: the tool settings file that offers the sets; pParent: null
    // from start-up.
    explicit CKPXSetupDlg(const CKPXSetupINI& toolIni, CWnd* pParent = nullptr);
    ~CKPXSetupDlg() override;

    // The enumeration the list is to show: a taken snapshot is exchanged
    // with the dialog's own, and the first fill lists it instead of
    // enumerating again. An untaken one changes nothing.
    void UsePrinters(CPrinterSnapshot& printers);

    // Fills the list and the drop-down, preselects the default printer and
    // puts its name into the edit; the Set button starts disabled. TRUE: the
    // dialog manager puts the focus on the first tab stop.
    BOOL OnInitDialog() override;

    // Columns, then one row per usable printer of a supported driver, sorted
    // by printer name ascending. Each printer is checked once, and one read session of the driver settings
    // file serves every row. The rows go in with the list's drawing off,
    // under the wait cursor, and neither inserting nor sorting them is a row
    // change; each row's item data is its key for the sorts, the order of
    // insertion.
    void FillPrinterList();
    // Selects the row of the system's default printer, or row 0 when it is
    // not listed; returns that row (0 also for an empty list).
    int SelectDefaultPrinter();
    // The profile sets of the tool settings file, in the control's order.
    void FillSetCombo();
    // Sorts the rows by one column's texts in the direction m_bSortAscending.
    void SortByColumn(int column);
    // LVM_SORTITEMS callback: lParam1 and lParam2 are the rows' keys (item
    // data), lParamSort the dialog; compares the texts m_rowTexts holds for
    // the keys in the column m_nSortColumn.
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    // Enables the name label and the name edit for a printer that may be
    // renamed, disables both for a shared printer or a connection, and
    // leaves both as they are when the printer cannot be opened.
    void UpdateRenameControls(int item);
    // The name edit's limit in bytes for the running platform.
    void SetNameLimit();
    // Tells why the apply refused newName for the printer called oldName.
    void ShowNameRefusal(NewNameVerdict verdict, const std::string& newName, const std::string& oldName);

    // The apply's questions: the confirmation box, the copy error dialog for
    // a missing file, the overwrite dialog. Its steps are reported once, at
    // the end of the click.
    bool ConfirmApply() override;
    bool SourceFileMissing(std::string& path, DWORD error) override;
    INT_PTR AskOverwrite(const std::string& source, const std::string& target) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    // Message handlers, in the order of the message map.
    void OnSysCommand(UINT nID, LPARAM lParam); // ui/HelpHandlers.cpp
    void OnDestroy();
    void OnSet();
    void OnVersion(); // ui/HelpHandlers.cpp
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo); // ui/HelpHandlers.cpp
    void OnSelChangeSet();
    void OnChangeName();
    void OnHelp(); // ui/HelpHandlers.cpp

    // Closes the help windows the dialog opened (ui/HelpHandlers.cpp).
    void CloseHelp();

    DECLARE_MESSAGE_MAP()

    CEditPrnName m_editName;                    // control 1001
    CComboBox m_comboSet;                       // control 1002
    CListCtrl m_listPrinters;                   // control 1000
    int m_nSortColumn = -1;                     // column of the last sort
    BOOL m_bSortAscending = TRUE;               // direction of the last sort
    BOOL m_bSorting = FALSE;                    // the rows are being filled or sorted: no row changes
    BOOL m_bUpdating = FALSE;                   // a row change is writing the name edit
    int m_nCurItem = -1;                        // row the edit and the drop-down show
    CKPXSetupINI m_toolIni;                     // the sets on offer and their files
    CProfileSetApply m_apply{m_toolIni, *this}; // the apply with its answers so far
    CPrinterSnapshot m_printers;                // the last enumeration and its listed printers
    bool m_bPrintersGiven = false;              // m_printers came from start-up and is not listed yet

private:
    void EnableSetButton(BOOL bEnable);
    // Puts the text into one cell of the row, and into m_rowTexts.
    void SetRowText(int row, int column, const std::string& text);
    // What column 1 shows for a printer: the set the driver settings file
    // records for it, or the default text when none is recorded.
    static std::string RecordedSetName(const std::string& printerName);

    // Each row's texts by its key, the item data the fill gives it (the
    // order of insertion). Every text the dialog puts into the list goes
    // here too, so a sort compares the rows' texts without reading the list
    // (nor could it read them while the rows move).
    static constexpr int kColumns = 3; // printer, set, port
    std::vector<std::array<std::string, kColumns>> m_rowTexts;
};
