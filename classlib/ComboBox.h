// A drop-down list of a dialog. Indexes are the control's own (its sorted
// order for CBS_SORT); CB_ERR (-1) means "none" or "failed".
#pragma once

#include "classlib/Wnd.h"

#include <commctrl.h>

#include <string>

class CComboBox : public CWnd {
public:
    // Index the entry got, CB_ERR or CB_ERRSPACE.
    int AddString(const char* text);
    void ResetContent();
    // Index of the selected entry; CB_ERR when none is selected.
    int GetCurSel() const;
    // Text of the entry at index. Throws CInvalidArgException when the index
    // names no entry (CB_ERR included), like reading "the selected entry"
    // of a drop-down without a selection.
    std::string GetLBText(int index) const;
    void GetLBText(int index, std::string& text) const { text = GetLBText(index); }
    // Selects the first entry after startAfter (-1: from the top) whose text
    // begins with prefix, ignoring case; its index, or CB_ERR with the
    // selection unchanged. Sends no CBN_SELCHANGE.
    int SelectString(int startAfter, const char* prefix);
};
