#include "ui/KPXSetupDlg.h"

#include "classlib/GlobalLock.h"
#include "classlib/MbString.h"
#include "classlib/WaitCursor.h"
#include "classlib/WinApp.h"
#include "operation/ListedPrinters.h"
#include "platform/OsClass.h"
#include "printers/RenamePermission.h"
#include "report/ApplyStopText.h"
#include "res/resource.h"
#include "settings/DriverINI.h"
#include "settings/KPXSetupINI.h"
#include "ui/ApplyReport.h"
#include "ui/OverwriteDlg.h"
#include "ui/SourceFileQuestion.h"


BEGIN_MESSAGE_MAP(CKPXSetupDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_SET, &CKPXSetupDlg::OnSet)
    ON_BN_CLICKED(IDC_VERSION, &CKPXSetupDlg::OnVersion)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_PRINTER_LIST, &CKPXSetupDlg::OnColumnClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PRINTER_LIST, &CKPXSetupDlg::OnItemChanged)
    ON_WM_HELPINFO()
    ON_CBN_SELCHANGE(IDC_PROFILE_SET, &CKPXSetupDlg::OnSelChangeSet)
    ON_EN_CHANGE(IDC_PRINTER_NAME, &CKPXSetupDlg::OnChangeName)
    ON_BN_CLICKED(ID_HELP, &CKPXSetupDlg::OnHelp)
END_MESSAGE_MAP()

CKPXSetupDlg::CKPXSetupDlg(const CKPXSetupINI& toolIni, CWnd* pParent)
    : CDialog(IDD_KPXSETUP_DIALOG, pParent), m_toolIni(toolIni)
{
}

CKPXSetupDlg::~CKPXSetupDlg() = default;

void CKPXSetupDlg::UsePrinters(CPrinterSnapshot& printers)
{
    if (!printers.IsTaken())
        return;
    m_printers.Swap(printers);
    m_bPrintersGiven = true;
}

void CKPXSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRINTER_NAME, m_editName);
    DDX_Control(pDX, IDC_PROFILE_SET, m_comboSet);
    DDX_Control(pDX, IDC_PRINTER_LIST, m_listPrinters);
}

// --- Initialisation ---

BOOL CKPXSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (HMENU sysMenu = GetSystemMenu(FALSE)) {
        std::string about = LoadResString(IDS_ABOUTBOX);
        if (!about.empty()) {
            ::AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }

    m_bSorting = FALSE;
    m_bUpdating = FALSE;

    FillPrinterList();
    int row = SelectDefaultPrinter();
    m_editName.SetWindowText(m_listPrinters.GetItemText(row, 0));
    // After the text: the limit binds only what the user types or pastes, so
    // a longer name already in the list still shows whole.
    SetNameLimit();
    FillSetCombo();
    m_comboSet.SelectString(-1, m_listPrinters.GetItemText(row, 1).c_str());
    UpdateRenameControls(m_nCurItem);
    EnableSetButton(FALSE);
    return TRUE;
}

void CKPXSetupDlg::FillPrinterList()
{
    // The three columns fill the list's width without a horizontal scroll
    // bar, leaving room for a vertical one.
    RECT client = {};
    m_listPrinters.GetClientRect(&client);
    const int width = (client.right - client.left) - ::GetSystemMetrics(SM_CXVSCROLL) - ::GetSystemMetrics(SM_CXEDGE);
    const int nameWidth = width / 2;
    const int setWidth = (width - width / 2) / 2;
    m_listPrinters.InsertColumn(0, LoadResString(IDS_COL_PRINTER).c_str(), LVCFMT_LEFT, nameWidth);
    m_listPrinters.InsertColumn(1, LoadResString(IDS_COL_PROFILESET).c_str(), LVCFMT_LEFT, setWidth);
    m_listPrinters.InsertColumn(2, LoadResString(IDS_COL_PORT).c_str(), LVCFMT_LEFT, width - nameWidth - setWidth);

    // Neither an inserted row nor the sort is a row change: the selected
    // row's state is set once the list is complete (OnInitDialog). The list
    // draws once, when it is complete.
    CWaitCursor wait;
    m_bSorting = TRUE;
    m_listPrinters.SendMessage(WM_SETREDRAW, FALSE);
    m_listPrinters.DeleteAllItems();
    m_rowTexts.clear();
    // Start-up's enumeration when it handed one over, else a fresh one.
    if (!m_bPrintersGiven)
        m_printers.Take();
    m_bPrintersGiven = false;
    // Each printer is checked once, for the start-up check or here; a
    // printer that is not usable or of another driver is not listed.
    for (const ListedPrinter& listed : ReadListedPrinters(m_printers)) {
        const std::array<std::string, kColumns> texts = {
            listed.printer.name, listed.recorded ? listed.setName : LoadResString(IDS_DEFAULT_SET_NAME),
            listed.printer.port};

        // The list places the row by its own sorted style.
        int row = m_listPrinters.InsertItem(static_cast<int>(m_rowTexts.size()), texts[0].c_str(), m_rowTexts.size());
        if (row < 0)
            continue;
        m_listPrinters.SetItemText(row, 1, texts[1].c_str());
        m_listPrinters.SetItemText(row, 2, texts[2].c_str());
        m_rowTexts.push_back(texts);
    }

    m_listPrinters.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_bSortAscending = TRUE;
    m_nSortColumn = -1;
    SortByColumn(0);
    m_listPrinters.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_listPrinters.GetSafeHwnd(), nullptr, TRUE);
    m_bSorting = FALSE;
}

int CKPXSetupDlg::SelectDefaultPrinter()
{
    int row = 0;
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    CWinApp* app = AfxGetApp();
    if (app && app->GetPrinterDeviceDefaults(&pd)) {
        CGlobalLock lock(pd.hDevNames);
        if (const DEVNAMES* names = static_cast<const DEVNAMES*>(lock.Get())) {
            const char* device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
            for (int i = 0; i < m_listPrinters.GetItemCount(); ++i) {
                // The spooler matches printer names without regard to case.
                if (MbCompareNoCase(m_listPrinters.GetItemText(i, 0), device) == 0) {
                    row = i;
                    break;
                }
            }
        }
    }
    m_listPrinters.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_nCurItem = row;
    return row;
}

void CKPXSetupDlg::FillSetCombo()
{
    m_comboSet.ResetContent();
    for (const std::string& name : m_toolIni.GetSetNames())
        m_comboSet.AddString(name.c_str());
}

void CKPXSetupDlg::SetNameLimit()
{
    m_editName.SetLimitText(PrinterNameLimit(GetOsClass()));
}

// --- Sorting ---

void CKPXSetupDlg::SortByColumn(int column)
{
    m_nSortColumn = column;
    m_listPrinters.SortItems(&CKPXSetupDlg::CompareItems, reinterpret_cast<DWORD_PTR>(this));
}

int CALLBACK CKPXSetupDlg::CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const CKPXSetupDlg* dlg = reinterpret_cast<const CKPXSetupDlg*>(lParamSort);
    const std::vector<std::array<std::string, kColumns>>& texts = dlg->m_rowTexts;
    const int column = dlg->m_nSortColumn;
    static const std::string empty;
    auto text = [&texts, column](LPARAM key) -> const std::string& {
        if (key < 0 || static_cast<size_t>(key) >= texts.size() || column < 0 || column >= kColumns)
            return empty;
        return texts[static_cast<size_t>(key)][static_cast<size_t>(column)];
    };
    // Multi-byte aware and without regard to case, in the system code page.
    if (dlg->m_bSortAscending)
        return MbCompareNoCase(text(lParam1), text(lParam2));
    return MbCompareNoCase(text(lParam2), text(lParam1));
}

void CKPXSetupDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pNMLV = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    // The rows' item data change while sorting, which the list reports as
    // item changes: they are not row changes.
    m_bSorting = TRUE;
    if (pNMLV->iSubItem != m_nSortColumn)
        m_bSortAscending = TRUE;
    else
        m_bSortAscending = !m_bSortAscending;
    SortByColumn(pNMLV->iSubItem);
    m_bSorting = FALSE;
    *pResult = 0;
}

// --- Row changes and the Set button ---

void CKPXSetupDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pNMLV = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const int row = pNMLV->iItem;
    // A change of every row at once (-1) names no row to show.
    if (row < 0 || row == m_nCurItem || m_bSorting)
        return;

    // The text put into the edit here is the row's, not the user's: it must
    // not enable the Set button.
    m_bUpdating = TRUE;
    m_editName.SetWindowText(m_listPrinters.GetItemText(row, 0));
    m_comboSet.SelectString(-1, m_listPrinters.GetItemText(row, 1).c_str());
    m_nCurItem = row;
    m_bUpdating = FALSE;

    UpdateRenameControls(row);
    EnableSetButton(FALSE);
    *pResult = 0;
}

void CKPXSetupDlg::OnSelChangeSet()
{
    if (!m_bUpdating)
        EnableSetButton(TRUE);
}

void CKPXSetupDlg::OnChangeName()
{
    // Nothing compares the text with the row's name: any change by the user,
    // also one that restores the name, enables the button.
    if (!m_bUpdating)
        EnableSetButton(TRUE);
}

void CKPXSetupDlg::SetRowText(int row, int column, const std::string& text)
{
    if (!m_listPrinters.SetItemText(row, column, text.c_str()))
        return;
    const DWORD_PTR key = m_listPrinters.GetItemData(row);
    if (key < m_rowTexts.size() && column >= 0 && column < kColumns)
        m_rowTexts[key][static_cast<size_t>(column)] = text;
}

void CKPXSetupDlg::EnableSetButton(BOOL bEnable)
{
    if (CWnd* button = GetDlgItem(IDC_SET))
        button->EnableWindow(bEnable);
}

void CKPXSetupDlg::UpdateRenameControls(int item)
{
    int allowed = QueryRenameAllowed(m_listPrinters.GetItemText(item, 0).c_str());
    if (allowed < 0)
        return;
    for (int id : {IDC_NAME_LABEL, IDC_PRINTER_NAME}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(allowed == 1);
    }
}

// --- The Set button ---

void CKPXSetupDlg::OnSet()
{
    const int row = m_listPrinters.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;

    const std::string oldName = m_listPrinters.GetItemText(row, 0);
    const std::string newName = m_editName.GetWindowText();
    // Without a selected set this throws: the click ends, reported, before
    // anything is checked or changed.
    const std::string setName = m_comboSet.GetLBText(m_comboSet.GetCurSel());

    ApplyRequest request;
    request.printers.push_back(oldName);
    request.setName = setName;
    request.newName = newName;
    ApplyResult result;
    {
        CWaitCursor wait;
        result = m_apply.Run(request, m_printers);
    }
    const PrinterApplied& applied = result.printers.front();
    const ApplyOutcome& outcome = applied.outcome;
    if (outcome.stop == ApplyNewNameRefused) {
        ShowNameRefusal(outcome.nameVerdict, newName, oldName);
        // The old name goes back. Putting it in raises EN_CHANGE, which
        // enables the Set button for another try.
        m_editName.SetWindowText(oldName);
        return;
    }
    const std::string report = ApplyReportText(applied.request, outcome);
    if (!report.empty())
        MessageBox(report.c_str(), LoadResString(IDS_CAPTION_PROFILE_SETTING).c_str(), MB_OK);

    if (outcome.stop == ApplyPrinterGone) {
        // The snapshot the name check uses must know what the spooler now has.
        m_printers.Take();
        return;
    }
    if (!outcome.Recorded()) {
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

void CKPXSetupDlg::ShowNameRefusal(NewNameVerdict verdict, const std::string& newName, const std::string& oldName)
{
    // An empty name is a missing printer name; every other refusal a name
    // error.
    const UINT caption = verdict == NewNameEmpty ? IDS_CAPTION_PRINTER : IDS_CAPTION_NAME_ERROR;
    MessageBox(NewNameRefusalText(verdict, newName, oldName).c_str(), LoadResString(caption).c_str(),
               MB_OK | MB_ICONEXCLAMATION);
}

// --- The apply's questions ---

bool CKPXSetupDlg::ConfirmApply()
{
    return MessageBox(LoadResString(IDS_CONFIRM_CHANGE).c_str(), LoadResString(IDS_CAPTION_PROFILE_SETTING).c_str(),
                      MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL;
}

bool CKPXSetupDlg::SourceFileMissing(std::string& path, DWORD)
{
    return AskForSourceFile(this, path);
}

INT_PTR CKPXSetupDlg::AskOverwrite(const std::string& source, const std::string& target)
{
    COverwriteDlg overwrite(this);
    overwrite.SetFiles(source.c_str(), target.c_str());
    return overwrite.DoModal();
}

std::string CKPXSetupDlg::RecordedSetName(const std::string& printerName)
{
    std::string setName;
    if (!CDriverINI().ReadProfileSetName(printerName, setName))
        setName = LoadResString(IDS_DEFAULT_SET_NAME);
    return setName;
}

// --- Window messages ---

void CKPXSetupDlg::OnDestroy()
{
    CloseHelp();
    CDialog::OnDestroy();
}
