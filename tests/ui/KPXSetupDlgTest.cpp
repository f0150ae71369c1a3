// The main dialog on its real template, created modeless and driven by the
// messages a user's actions produce: clicks on column headers and on the
// list, row selections, typed and pasted text, drop-down picks, the Set
// button. Printers are real printers of Wine's spooler; the tool settings
// file lies beside the test executable, the driver settings file where the
// program looks for it.
#include "ui/KPXSetupDlg.h"

#include "app/KPXSetupApp.h"
#include "res/resource.h"
#include "settings/DriverINI.h"
#include "support/ApiOverride.h"
#include "support/BeepRecorder.h"
#include "support/ClipboardText.h"
#include "support/Cp932.h"
#include "support/MainDialogFixture.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedOsVersion.h"
#include "support/SpoolerFakes.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

class KPXSetupDlgTest : public MainDialogFixture {
public:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        WriteSets({"Poster", "Photo Fine", "Art"});
    }

    HWND List() const { return Item(IDC_PRINTER_LIST); }

    Rows Column(int column) const
    {
        Rows rows;
        for (int i = 0; i < m_dlg->m_listPrinters.GetItemCount(); ++i)
            rows.push_back(m_dlg->m_listPrinters.GetItemText(i, column));
        return rows;
    }

    int SelectedRow() const { return m_dlg->m_listPrinters.GetNextItem(-1, LVNI_SELECTED); }
    std::string EditText() const { return m_dlg->m_editName.GetWindowText(); }

    // The text of the drop-down's selected entry; empty when none is selected.
    std::string ChosenSet() const
    {
        int sel = m_dlg->m_comboSet.GetCurSel();
        return sel == CB_ERR ? std::string() : m_dlg->m_comboSet.GetLBText(sel);
    }

    // A click on the column's header, as the mouse gives it.
    void ClickColumn(int column)
    {
        HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
        RECT rect = {};
        ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rect)));
        LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(header, WM_LBUTTONUP, 0, at);
    }

    // A click into the list's client area.
    void ClickList(int x, int y)
    {
        SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    void ClickRow(int row)
    {
        RECT rect = {};
        rect.left = LVIR_LABEL;
        ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)));
        ClickList(rect.left + 4, (rect.top + rect.bottom) / 2);
    }

    // Characters typed at the end of the name, handed over as the modal
    // loop hands them: the edit's filter first.
    void Type(const std::string& bytes)
    {
        SendMessageA(Item(IDC_PRINTER_NAME), EM_SETSEL, 0x7FFF, 0x7FFF);
        for (unsigned char c : bytes) {
            MSG msg = {Item(IDC_PRINTER_NAME), WM_CHAR, c, 1, 0, {0, 0}};
            if (!m_dlg->m_editName.PreTranslateMessage(&msg))
                DispatchMessageA(&msg);
        }
    }

    void PickNextSet() { SendMessageA(Item(IDC_PROFILE_SET), WM_KEYDOWN, VK_DOWN, 0); }
    void ClickSet() { SendMessageA(Item(IDC_SET), BM_CLICK, 0, 0); }
};

// --- The list ---

TEST_F(KPXSetupDlgTest, RowsAreSortedByNameWithoutRegardToCase)
{
    Add("beta", kDriver, "FILE:");
    Add("Alpha", kColorDriver, "LPT1:");
    Add("gamma", kDriver, "COM1:");
    Open();

    EXPECT_EQ(Column(0), (Rows{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(Column(2), (Rows{"LPT1:", "FILE:", "COM1:"}));
}

TEST_F(KPXSetupDlgTest, ColumnClicksReverseRestoreAndSortByAnotherColumn)
{
    Add("beta", kDriver, "FILE:");
    Add("Alpha", kColorDriver, "LPT1:");
    Add("gamma", kDriver, "COM1:");
    Open();

    ClickColumn(0);
    EXPECT_EQ(Column(0), (Rows{"gamma", "beta", "Alpha"}));
    ClickColumn(0);
    EXPECT_EQ(Column(0), (Rows{"Alpha", "beta", "gamma"}));
    ClickColumn(2);
    EXPECT_EQ(Column(2), (Rows{"COM1:", "FILE:", "LPT1:"}));
    EXPECT_EQ(Column(0), (Rows{"gamma", "beta", "Alpha"}));
    // The first click on another column sorts it ascending again.
    ClickColumn(2);
    EXPECT_EQ(Column(2), (Rows{"LPT1:", "FILE:", "COM1:"}));
    ClickColumn(0);
    EXPECT_EQ(Column(0), (Rows{"Alpha", "beta", "gamma"}));
}

TEST_F(KPXSetupDlgTest, DoubleByteNamesSortByCharacterNotByByte)
{
    // "ア" is 0x83 0x41 and "ソ" 0x83 0x5C. Folding the trail byte 0x41 to
    // lower case, as a byte-wise comparison would, puts "ア" after "ソ".
    Add("\x83\x5C Plotter", kDriver);
    Add("\x83\x41 Plotter", kDriver);
    Add("b Plotter", kDriver);
    Add("A Plotter", kDriver);
    Open();
    EXPECT_EQ(Column(0), (Rows{"A Plotter", "b Plotter", "\x83\x41 Plotter", "\x83\x5C Plotter"}));
}

TEST_F(KPXSetupDlgTest, OnlyUsablePrintersOfSupportedDriversAreListedButAllAreCounted)
{
    Add("Plotter 3F", kDriver);
    Add("Color Plotter", kColorDriver);
    Add("Locked Plotter", kDriver);
    for (int i = 0; i < 6; ++i)
        Add("Laser " + std::to_string(i), kOtherDriver);
    Add("Near Miss", "KESTRO PLOTARA "); // a trailing blank is another driver
    SpoolerFakes spooler;
    spooler.RefuseOpen("Locked Plotter");
    Open();

    EXPECT_EQ(Column(0), (Rows{"Color Plotter", "Plotter 3F"}));
    EXPECT_EQ(Dlg().m_printers.Count(), 10u);
}

TEST_F(KPXSetupDlgTest, ListThatCannotBeReadStaysEmpty)
{
    Add("Plotter 3F", kDriver);
    SpoolerFakes spooler;
    spooler.FailListing();
    Open();

    EXPECT_EQ(Dlg().m_listPrinters.GetItemCount(), 0);
    EXPECT_EQ(Dlg().m_printers.Count(), 0u);
    EXPECT_EQ(EditText(), "");
    EXPECT_FALSE(SetEnabled());
}

TEST_F(KPXSetupDlgTest, SetColumnShowsTheRecordedSetOrTheDefaultText)
{
    Add("Plotter A", kDriver);
    Add("Plotter B", kDriver);
    Add("Plotter C", kColorDriver);
    Add("Plotter D", kColorDriver);
    RecordSet("Plotter A", "Photo");
    RecordSet("Plotter C", "");
    RecordSet("plotter d", "\x8E\xCA\x90\x5E Photo"); // "写真 Photo"; sections ignore case
    Open();

    EXPECT_EQ(Column(1), (Rows{"Photo", "MODELA QX 480", "MODELA QX 480", "\x8E\xCA\x90\x5E Photo"}));
    EXPECT_PRED_FORMAT2(SameBytes, LoadResString(IDS_DEFAULT_SET_NAME), Column(1)[1]);
}

// A printer whose name ends in a blank has no section of its own: the one of
// the trimmed name belongs to another printer and is not shown for it.
TEST_F(KPXSetupDlgTest, NameEndingInABlankShowsNoBorrowedRecord)
{
    Add("Alpha", kDriver);
    Add("Alpha ", kDriver);
    RecordSet("Alpha", "Photo");
    Open();

    EXPECT_EQ(Column(0), (Rows{"Alpha", "Alpha "}));
    EXPECT_EQ(Column(1), (Rows{"Photo", LoadResString(IDS_DEFAULT_SET_NAME)}));
}

TEST_F(KPXSetupDlgTest, ColumnsShareTheListWidthAndCarryTheirHeaders)
{
    Add("Plotter 3F", kDriver);
    Open();

    RECT client = {};
    GetClientRect(List(), &client);
    const int w = client.right - GetSystemMetrics(SM_CXVSCROLL) - GetSystemMetrics(SM_CXEDGE);
    int widths[3];
    for (int c = 0; c < 3; ++c)
        widths[c] = static_cast<int>(SendMessageA(List(), LVM_GETCOLUMNWIDTH, c, 0));
    EXPECT_EQ(widths[0], w / 2);
    EXPECT_EQ(widths[1], (w - w / 2) / 2);
    EXPECT_EQ(widths[0] + widths[1] + widths[2], w);

    const UINT headers[] = {IDS_COL_PRINTER, IDS_COL_PROFILESET, IDS_COL_PORT};
    for (int c = 0; c < 3; ++c) {
        char text[256] = {};
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_FMT;
        col.pszText = text;
        col.cchTextMax = sizeof(text);
        ASSERT_TRUE(SendMessageA(List(), LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&col)));
        EXPECT_PRED_FORMAT2(SameBytes, LoadResString(headers[c]), std::string(text));
        EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    EXPECT_EQ(SendMessageA(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
}

// --- Start-up state ---

TEST_F(KPXSetupDlgTest, DefaultPrinterIsSelectedAndNamedInTheEdit)
{
    for (const char* name : {"Alpha", "beta", "gamma"})
        Add(name, kDriver);
    // Named in another case, as the spooler takes it: still that printer.
    ASSERT_TRUE(SetDefaultTestPrinter("BETA"));
    Open();

    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(Dlg().m_listPrinters.GetNextItem(-1, LVNI_FOCUSED), 1);
    EXPECT_EQ(Dlg().m_nCurItem, 1);
    EXPECT_EQ(EditText(), "beta");
    EXPECT_FALSE(SetEnabled());
}

TEST_F(KPXSetupDlgTest, DefaultPrinterOfAnotherDriverSelectsTheFirstRow)
{
    Add("Office Laser", kOtherDriver);
    for (const char* name : {"gamma", "Alpha"})
        Add(name, kDriver);
    ASSERT_TRUE(SetDefaultTestPrinter("Office Laser"));
    Open();

    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Dlg().m_nCurItem, 0);
    EXPECT_EQ(EditText(), "Alpha");
}

TEST_F(KPXSetupDlgTest, DropDownOffersTheSetsAndSelectsTheFirstThatBeginsWithTheRecordedSet)
{
    WriteSets({"Poster", "Photo Fine", "Art"});
    Add("Plotter A", kDriver);
    RecordSet("Plotter A", "Photo");
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter A"));
    Open();

    ASSERT_EQ(Dlg().m_comboSet.SendMessage(CB_GETCOUNT), 3);
    EXPECT_EQ(Dlg().m_comboSet.GetLBText(0), "Art");
    EXPECT_EQ(Dlg().m_comboSet.GetLBText(1), "Photo Fine");
    EXPECT_EQ(Dlg().m_comboSet.GetLBText(2), "Poster");
    EXPECT_EQ(ChosenSet(), "Photo Fine");
}

TEST_F(KPXSetupDlgTest, DefaultSetTextWithoutAMatchingEntryLeavesNoSelection)
{
    Add("Plotter B", kDriver);
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter B"));
    Open();
    EXPECT_EQ(Dlg().m_listPrinters.GetItemText(0, 1), "MODELA QX 480");
    EXPECT_EQ(Dlg().m_comboSet.GetCurSel(), CB_ERR);
}

TEST_F(KPXSetupDlgTest, SetsThatCannotBeReadAreLeftOut)
{
    ASSERT_TRUE(WriteFileBytes(m_toolIni, IniText({{"KESTRO PLOTARA Color Profile Setup Tool",
                                                    {{"NumColorProfileSets", "4"},
                                                     {"ColorProfileSetName1", "Office"},
                                                     {"ColorProfileSetName2", ""},
                                                     {"ColorProfileSetName4", "Poster"}}}})));
    Add("Plotter A", kDriver);
    Open();
    ASSERT_EQ(Dlg().m_comboSet.SendMessage(CB_GETCOUNT), 2);
    EXPECT_EQ(Dlg().m_comboSet.GetLBText(0), "Office");
    EXPECT_EQ(Dlg().m_comboSet.GetLBText(1), "Poster");
}

TEST_F(KPXSetupDlgTest, SystemMenuEndsWithTheVersionEntry)
{
    Add("Plotter A", kDriver);
    Open();
    HMENU menu = GetSystemMenu(m_hDlg, FALSE);
    ASSERT_NE(menu, nullptr);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);

    MENUITEMINFOA separator = {};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, count - 2, TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);

    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    char text[256] = {};
    GetMenuStringA(menu, count - 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_PRED_FORMAT2(SameBytes, LoadResString(IDS_ABOUTBOX), std::string(text));
    EXPECT_FALSE(std::string(text).empty());
}

TEST_F(KPXSetupDlgTest, NameLimitFollowsThePlatformAndSpareTheNameAlreadyShown)
{
    const std::string longName(40, 'L');
    Add(longName, kDriver);
    const struct {
        OsClass os;
        UINT limit;
    } cases[] = {{OsWin9x, 31}, {OsNT4, 259}, {OsVista, 128}, {Os7, 256}, {OsXP, 220}, {OsUnknown, 220}};
    for (const auto& c : cases) {
        SCOPED_TRACE("platform class " + std::to_string(c.os));
        ScopedOsVersion os(c.os);
        Open();
        EXPECT_EQ(SendMessageA(Item(IDC_PRINTER_NAME), EM_GETLIMITTEXT, 0, 0), static_cast<LRESULT>(c.limit));
        EXPECT_EQ(EditText(), longName);
    }
}

// --- Row changes and the Set button ---

TEST_F(KPXSetupDlgTest, RowChangeFollowsWithTheEditAndTheDropDown)
{
    Add("Plotter A", kDriver);
    Add("Plotter B", kDriver);
    RecordSet("Plotter B", "poster");
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter A"));
    Open();
    ASSERT_EQ(EditText(), "Plotter A");
    ASSERT_EQ(ChosenSet(), "");

    ClickRow(1);
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(Dlg().m_nCurItem, 1);
    EXPECT_EQ(EditText(), "Plotter B");
    EXPECT_EQ(ChosenSet(), "Poster");
    EXPECT_FALSE(SetEnabled());

    // Back to a row whose set matches no entry: the drop-down keeps its choice.
    ClickRow(0);
    EXPECT_EQ(EditText(), "Plotter A");
    EXPECT_EQ(ChosenSet(), "Poster");
    EXPECT_FALSE(SetEnabled());
}

TEST_F(KPXSetupDlgTest, EachUserChangeEnablesSetAndARowChangeDisablesItAgain)
{
    Add("Plotter A", kDriver);
    Add("Plotter B", kDriver);
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter A"));
    const struct {
        const char* action;
        void (*act)(KPXSetupDlgTest&);
        const char* text; // the edit's text afterwards
    } cases[] = {
        {"typing", [](KPXSetupDlgTest& t) { t.Type("x"); }, "Plotter Ax"},
        {"typing and deleting", [](KPXSetupDlgTest& t) { t.Type("x\b"); }, "Plotter A"},
        {"pasting",
         [](KPXSetupDlgTest& t) {
             ASSERT_TRUE(PutClipboardText(t.m_hDlg, "Plotter 9"));
             SendMessageA(t.Item(IDC_PRINTER_NAME), EM_SETSEL, 0, -1);
             SendMessageA(t.Item(IDC_PRINTER_NAME), WM_PASTE, 0, 0);
         },
         "Plotter 9"},
        {"picking a set", [](KPXSetupDlgTest& t) { t.PickNextSet(); }, "Plotter A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Open();
        ASSERT_FALSE(SetEnabled());
        c.act(*this);
        EXPECT_EQ(EditText(), c.text);
        EXPECT_TRUE(SetEnabled());

        // Another row: its name replaces the text and the button goes off.
        ClickRow(1);
        EXPECT_EQ(EditText(), "Plotter B");
        EXPECT_FALSE(SetEnabled());
    }
}

TEST_F(KPXSetupDlgTest, RefusedCharacterChangesNothing)
{
    Add("Plotter A", kDriver);
    Open();
    BeepRecorder beeps;
    Type(",");
    EXPECT_EQ(EditText(), "Plotter A");
    EXPECT_FALSE(SetEnabled());
    EXPECT_EQ(beeps.beeps().size(), 1u);
}

TEST_F(KPXSetupDlgTest, ClickOnEmptySpaceLeavesEditAndDropDownAlone)
{
    Add("Plotter A", kDriver);
    Add("Plotter B", kDriver);
    RecordSet("Plotter B", "Art");
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter B"));
    Open();
    Type("2");
    ASSERT_EQ(ChosenSet(), "Art");

    RECT client = {};
    GetClientRect(List(), &client);
    ClickList(client.right / 2, client.bottom - 4);
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(EditText(), "Plotter B2");
    EXPECT_EQ(ChosenSet(), "Art");
    EXPECT_TRUE(SetEnabled());
    EXPECT_EQ(Dlg().m_nCurItem, 1);

    // The same when every row is deselected at once.
    ClickRow(0);
    Type("3");
    Dlg().m_listPrinters.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(EditText(), "Plotter A3");
    EXPECT_EQ(Dlg().m_nCurItem, 0);

    // A list view may report such a change once for all rows (row -1).
    NMLISTVIEW all = {};
    all.hdr.hwndFrom = List();
    all.hdr.idFrom = IDC_PRINTER_LIST;
    all.hdr.code = LVN_ITEMCHANGED;
    all.iItem = -1;
    all.uChanged = LVIF_STATE;
    all.uOldState = LVIS_SELECTED;
    all.uNewState = 0;
    SendMessageA(m_hDlg, WM_NOTIFY, IDC_PRINTER_LIST, reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(EditText(), "Plotter A3");
    EXPECT_EQ(Dlg().m_nCurItem, 0);
    EXPECT_TRUE(SetEnabled());
}

TEST_F(KPXSetupDlgTest, SortingIsNoRowChange)
{
    for (const char* name : {"Alpha", "beta", "gamma"})
        Add(name, kDriver);
    // Named in another case, as the spooler takes it: still that printer.
    ASSERT_TRUE(SetDefaultTestPrinter("BETA"));
    Open();
    Type("!");

    ClickColumn(0);
    EXPECT_EQ(Column(0), (Rows{"gamma", "beta", "Alpha"}));
    EXPECT_EQ(EditText(), "beta!");
    EXPECT_TRUE(SetEnabled());
    EXPECT_EQ(Dlg().m_nCurItem, 1);
    EXPECT_EQ(Dlg().m_nSortColumn, 0);
    EXPECT_FALSE(Dlg().m_bSortAscending);
}

// --- The name check ---

struct NameCase {
    const char* what;
    std::string typed;
    UINT text, caption; // the one box shown
};

// The operation checks the name once per click, before it asks anything;
// the dialog shows its refusal with the refusal's caption and puts the old
// name back.
TEST_F(KPXSetupDlgTest, SetRefusesEmptyAndTakenNamesWithOneMessageAndOneRenameQuery)
{
    Add("Plotter 3F", kDriver);
    Add("Office Laser", kOtherDriver);
    Add("Plotter 2F", kColorDriver);
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter 3F"));
    Open();
    PickNextSet();

    const NameCase cases[] = {
        {"empty", "", IDS_NAME_EMPTY, IDS_CAPTION_PRINTER},
        {"another driver's printer", "office LASER", IDS_NAME_EXISTS, IDS_CAPTION_NAME_ERROR},
        {"a listed printer", "Plotter 2F", IDS_NAME_EXISTS, IDS_CAPTION_NAME_ERROR},
        {"own name in other case", "PLOTTER 3F", IDS_NAME_EXISTS, IDS_CAPTION_NAME_ERROR},
        // A blank at an end would share the section of the trimmed name.
        {"one blank", " ", IDS_NAME_BLANK_EDGE, IDS_CAPTION_NAME_ERROR},
        {"trailing blank", "Plotter 4F ", IDS_NAME_BLANK_EDGE, IDS_CAPTION_NAME_ERROR},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        SendMessageA(Item(IDC_PRINTER_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed.c_str()));
        MessageBoxRecorder boxes;
        ClickSet();
        EXPECT_EQ(EditText(), "Plotter 3F");
        ASSERT_EQ(boxes.boxes().size(), 1u);
        const RecordedBox& box = boxes.boxes()[0];
        EXPECT_PRED_FORMAT2(SameBytes, LoadResString(c.text), box.text);
        EXPECT_PRED_FORMAT2(SameBytes, LoadResString(c.caption), box.caption);
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(box.owner, m_hDlg);
    }

    // A name that passes: the spooler is asked once whether the printer may
    // be renamed (its record read once), then the confirmation comes.
    int recordReads = 0;
    ScopedApiOverride<&Win32Api::GetPrinterA> reads([&](HANDLE h, DWORD level, LPBYTE buffer, DWORD size, LPDWORD n) {
        recordReads += level == 2 && buffer != nullptr;
        return reads.saved()(h, level, buffer, size, n);
    });
    SendMessageA(Item(IDC_PRINTER_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Plotter 4F"));
    MessageBoxRecorder boxes(IDCANCEL);
    ClickSet();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, LoadResString(IDS_CONFIRM_CHANGE));
    EXPECT_EQ(recordReads, 1);
}

TEST_F(KPXSetupDlgTest, SetWithATakenNamePutsTheOldNameBackAndStaysEnabled)
{
    Add("Plotter 3F", kDriver);
    Add("Office Laser", kOtherDriver);
    Open();
    PickNextSet();
    SendMessageA(Item(IDC_PRINTER_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Office Laser"));
    ASSERT_TRUE(SetEnabled());

    MessageBoxRecorder boxes;
    ClickSet();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, LoadResString(IDS_NAME_EXISTS));
    EXPECT_EQ(EditText(), "Plotter 3F");
    EXPECT_TRUE(SetEnabled());
}

TEST_F(KPXSetupDlgTest, SetWithAnEmptyNamePutsTheOldNameBack)
{
    Add("Plotter 3F", kDriver);
    Open();
    PickNextSet();
    SendMessageA(Item(IDC_PRINTER_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));

    MessageBoxRecorder boxes;
    ClickSet();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, LoadResString(IDS_NAME_EMPTY));
    EXPECT_EQ(EditText(), "Plotter 3F");
}

TEST_F(KPXSetupDlgTest, CancelAtTheConfirmationKeepsTheTypedName)
{
    Add("Plotter 3F", kDriver);
    Open();
    PickNextSet();
    Type(" new");

    MessageBoxRecorder boxes(IDCANCEL);
    ClickSet();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, LoadResString(IDS_CONFIRM_CHANGE));
    EXPECT_EQ(EditText(), "Plotter 3F new");
    EXPECT_TRUE(SetEnabled());
    EXPECT_EQ(Column(0), (Rows{"Plotter 3F"}));
}

TEST_F(KPXSetupDlgTest, SetWithoutAChosenSetIsReportedBeforeTheNameCheck)
{
    Add("Plotter 3F", kDriver);
    Open();
    Type("x"); // enables the button; no set is chosen
    ASSERT_EQ(Dlg().m_comboSet.GetCurSel(), CB_ERR);

    MessageBoxRecorder boxes;
    ClickSet();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(EditText(), "Plotter 3Fx");
}

TEST_F(KPXSetupDlgTest, SetWithoutASelectedRowDoesNothing)
{
    Add("Plotter 3F", kDriver);
    Open();
    PickNextSet();
    Dlg().m_listPrinters.SetItemState(0, 0, LVIS_SELECTED);
    ASSERT_EQ(SelectedRow(), -1);

    MessageBoxRecorder boxes;
    ClickSet();
    EXPECT_TRUE(boxes.boxes().empty());
}

// --- Rename permission ---

TEST_F(KPXSetupDlgTest, SharedAndNetworkPrintersCannotBeRenamed)
{
    Add("A Local", kDriver, "FILE:", PRINTER_ATTRIBUTE_LOCAL);
    Add("B Shared", kDriver, "FILE:", PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_SHARED);
    Add("C Network", kColorDriver, "FILE:", PRINTER_ATTRIBUTE_NETWORK);
    ASSERT_TRUE(SetDefaultTestPrinter("B Shared"));
    Open();
    auto renamable = [this] {
        bool label = IsWindowEnabled(Item(IDC_NAME_LABEL)) != FALSE;
        bool edit = IsWindowEnabled(Item(IDC_PRINTER_NAME)) != FALSE;
        EXPECT_EQ(label, edit);
        return label && edit;
    };
    EXPECT_FALSE(renamable());

    ClickRow(0);
    EXPECT_TRUE(renamable());
    ClickRow(2);
    EXPECT_FALSE(renamable());
    ClickRow(0);
    EXPECT_TRUE(renamable());
}

TEST_F(KPXSetupDlgTest, PrinterThatCannotBeOpenedLeavesTheRenameControlsAsTheyWere)
{
    Add("A Shared", kDriver, "FILE:", PRINTER_ATTRIBUTE_SHARED);
    Add("B Local", kDriver);
    Add("C Local", kDriver);
    ASSERT_TRUE(SetDefaultTestPrinter("A Shared"));
    SpoolerFakes spooler;
    Open();
    ASSERT_FALSE(IsWindowEnabled(Item(IDC_PRINTER_NAME)));

    spooler.RefuseOpen("C Local");
    ClickRow(2);
    EXPECT_EQ(EditText(), "C Local");
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_NAME_LABEL)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_PRINTER_NAME)));

    ClickRow(1);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_PRINTER_NAME)));
    ClickRow(2);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_NAME_LABEL)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_PRINTER_NAME)));
}

// --- The modal run ---

// Presses Enter in the name edit once the dialog runs.
class EnterPressingDlg : public CKPXSetupDlg {
public:
    EnterPressingDlg() : CKPXSetupDlg(static_cast<CKPXSetupApp*>(AfxGetApp())->ToolSettings()) {}
    BOOL OnInitDialog() override
    {
        CKPXSetupDlg::OnInitDialog();
        HWND edit = ::GetDlgItem(m_hWnd, IDC_PRINTER_NAME);
        ::SetFocus(edit);
        PostMessageA(edit, WM_CHAR, 'x', 1);
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
        return FALSE;
    }
};

TEST_F(KPXSetupDlgTest, EnterInTheNameEditClosesWithoutApplying)
{
    Add("Plotter 3F", kDriver);
    MessageBoxRecorder boxes;
    EnterPressingDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(boxes.boxes().empty());
}

} // namespace
