// Reading and driving the controls of another process's window, as a user's
// tools would: list-view messages carry pointers, which are not carried
// across processes, so their records are placed in the other process's
// memory first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Every row of a report list view, each as its column texts.
std::vector<std::vector<std::string>> RemoteListRows(HWND list, int columns = 3);
// Index of the selected row, or -1.
int RemoteSelectedRow(HWND list);
// Selects and focuses one row, as a click on it would.
bool RemoteSelectRow(HWND list, int row);
// Clicks a column header (LVN_COLUMNCLICK to the list's parent).
void RemoteClickColumn(HWND list, int column);

// The entries of a combo box and the selected one ("" when none).
std::vector<std::string> ComboEntries(HWND combo);
std::string ComboSelection(HWND combo);
// Selects the entry with that exact text and tells the parent, as a pick
// with the mouse does. False when there is no such entry.
bool PickComboEntry(HWND combo, const std::string& text);

// Types at the caret as a keyboard does: one posted WM_CHAR per byte, which
// the owning program's message loop handles (and may refuse). Returns once
// the program has handled them all, with the edit's text then; false in
// `handled` when that did not happen within the timeout.
std::string PostTypedText(HWND edit, const std::string& text, DWORD timeoutMs = 5000, bool* handled = nullptr);
