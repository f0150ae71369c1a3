// The control wrappers on the main dialog's real controls: the list view
// (sorted descending by its style), the sorted drop-down list and the edit.
// Only what the wrappers add is tested: texts of any length, where an
// inserted row lands, the drop-down's refusal of an index without an entry.
#include "classlib/ComboBox.h"
#include "classlib/Dialog.h"
#include "classlib/Edit.h"
#include "classlib/InvalidArgException.h"
#include "classlib/ListCtrl.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class HostDlg : public CDialog {
public:
    HostDlg() : CDialog(IDD_KPXSETUP_DIALOG) {}
    CEdit m_edit;
    CComboBox m_combo;
    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PRINTER_NAME, m_edit);
        DDX_Control(pDX, IDC_PROFILE_SET, m_combo);
        DDX_Control(pDX, IDC_PRINTER_LIST, m_list);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControlClasses();
        ASSERT_TRUE(dlg.Create());
        ASSERT_EQ(dlg.m_list.InsertColumn(0, "name", LVCFMT_LEFT, 80), 0);
        ASSERT_EQ(dlg.m_list.InsertColumn(1, "set", LVCFMT_LEFT, 80), 1);
    }

    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < dlg.m_list.GetItemCount(); ++i)
            rows.push_back(dlg.m_list.GetItemText(i, column));
        return rows;
    }

    HostDlg dlg;
};

// --- List ---

int CALLBACK AscendingByData(LPARAM a, LPARAM b, LPARAM)
{
    return static_cast<int>(a - b);
}

TEST_F(ControlsTest, InsertedRowIndexIsWhereTheSortedListPutIt)
{
    EXPECT_EQ(dlg.m_list.InsertItem(0, "alpha"), 0);
    // Descending order puts "beta" first, whatever index was asked for.
    EXPECT_EQ(dlg.m_list.InsertItem(1, "beta"), 0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"beta", "alpha"}));
}

TEST_F(ControlsTest, ItemTextOfAnyLengthComesBackWhole)
{
    for (size_t length : {0u, 1u, 254u, 255u, 256u, 257u, 600u}) {
        std::string text(length, 'x');
        if (length > 2)
            text.replace(length - 2, 2, "\x83\x5C");
        dlg.m_list.DeleteAllItems();
        int row = dlg.m_list.InsertItem(0, "row");
        ASSERT_TRUE(dlg.m_list.SetItemText(row, 1, text.c_str()));
        EXPECT_EQ(dlg.m_list.GetItemText(row, 1), text) << length;
    }
}

TEST_F(ControlsTest, SortItemsOrdersRowsByTheCallback)
{
    for (const char* name : {"b", "C", "a"})
        dlg.m_list.InsertItem(0, name, static_cast<DWORD_PTR>(name[0] | 0x20));
    ASSERT_TRUE(dlg.m_list.SortItems(&AscendingByData, 0));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b", "C"}));
}

// --- Drop-down ---

TEST_F(ControlsTest, DropDownSortsAndSelectsByCaseInsensitivePrefix)
{
    for (const char* name : {"Poster", "Photo Fine", "Art"})
        dlg.m_combo.AddString(name);
    EXPECT_EQ(dlg.m_combo.SendMessage(CB_GETCOUNT), 3);
    EXPECT_EQ(dlg.m_combo.GetCurSel(), CB_ERR);

    EXPECT_EQ(dlg.m_combo.SelectString(-1, "photo"), 1);
    EXPECT_EQ(dlg.m_combo.GetLBText(dlg.m_combo.GetCurSel()), "Photo Fine");

    // No entry begins with the text: the selection stays.
    EXPECT_EQ(dlg.m_combo.SelectString(-1, "MODELA QX 480"), CB_ERR);
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 1);

    dlg.m_combo.ResetContent();
    EXPECT_EQ(dlg.m_combo.SendMessage(CB_GETCOUNT), 0);
}

TEST_F(ControlsTest, EntryTextWithoutSelectionIsAnInvalidArgument)
{
    dlg.m_combo.AddString("Photo");
    EXPECT_THROW(dlg.m_combo.GetLBText(dlg.m_combo.GetCurSel()), CInvalidArgException);
    EXPECT_THROW(dlg.m_combo.GetLBText(1), CInvalidArgException);
}

// --- Edit ---

} // namespace
