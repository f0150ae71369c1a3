// A report-view list control of a dialog. Rows are addressed by their
// current index; -1 means "none" or "failed" wherever an index is returned.
#pragma once

#include "classlib/Wnd.h"

#include <commctrl.h>

#include <string>

class CListCtrl : public CWnd {
public:
    // Index of the new column, or -1.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    // Inserts a row whose first column shows text, with the row's item data.
    // The control places it by its own sort style: the returned index (or
    // -1) is where it went, not necessarily `item`.
    int InsertItem(int item, const char* text, DWORD_PTR data = 0);
    BOOL SetItemText(int item, int subItem, const char* text);
    // Empty for a row or column that does not exist.
    std::string GetItemText(int item, int subItem) const;
    int GetItemCount() const;
    BOOL DeleteAllItems();
    // Next row after start (-1: from the top) with the LVNI_* flags, or -1.
    int GetNextItem(int start, int flags) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    // 0 for a row that does not exist.
    DWORD_PTR GetItemData(int item) const;
    // compare receives the item data of two rows and `data`.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
    // Replaces all extended styles; returns the previous ones.
    DWORD SetExtendedStyle(DWORD exStyle);
};
