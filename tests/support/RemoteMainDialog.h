// The tool's main dialog seen and driven from another process, as an
// administrator works it: the printer list's rows, the name edit, the set
// drop-down and the buttons. Clicks are posted, so a button that opens a
// modal dialog or message box returns at once; the caller then waits for
// that window with ToolProcess::WaitForDialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RemoteMainDialog {
public:
    explicit RemoteMainDialog(HWND dialog) : m_dialog(dialog) {}

    HWND window() const { return m_dialog; }
    HWND item(int id) const { return GetDlgItem(m_dialog, id); }

    // The list's rows (printer, set, port) in their shown order.
    std::vector<std::vector<std::string>> Rows() const;
    // Column 0 of each row.
    std::vector<std::string> Printers() const;
    // The row of that printer, or -1.
    int RowOf(const std::string& printer) const;
    int SelectedRow() const;
    // Selects a row as a click on it does.
    bool SelectRow(int row) const;
    // Clicks a column header.
    void ClickColumn(int column) const;

    std::string Name() const;
    // Puts a name into the edit as a paste over the whole text would (no
    // character filter; EN_CHANGE follows).
    void SetName(const std::string& text) const;
    // Types at the end of the name through the program's message loop, where
    // refused characters are dropped; returns the edit's text afterwards.
    std::string TypeName(const std::string& text) const;
    // The edit's length limit (EM_GETLIMITTEXT).
    UINT NameLimit() const;
    bool NameEditEnabled() const;

    std::vector<std::string> Sets() const;
    std::string SelectedSet() const;
    bool PickSet(const std::string& set) const;

    bool SetButtonEnabled() const;
    void PressSet() const;
    void PressVersion() const;
    void PressHelp() const;
    void PressClose() const;
    // Chooses a system-menu command (WM_SYSCOMMAND), as the menu does.
    void SystemCommand(UINT command) const;

private:
    HWND m_dialog;
};

// The text, caption-checked, of a message box of the program: waits for a
// box with that caption, reads its message, presses the button and waits
// until it has gone. Empty (and a test failure) when no such box appears.
class ToolProcess;
std::string AnswerMessageBox(const ToolProcess& tool, const std::string& caption, int button, DWORD timeoutMs = 10000);

// A Set that asked nothing more has ended: waits until the Set button is
// disabled, then expects the main dialog to be the tool's only window.
void ExpectApplyDone(const ToolProcess& tool, const RemoteMainDialog& main, DWORD timeoutMs = 10000);

// Starts the deployed tool at exe and waits for its main dialog; null, and a
// test failure naming the windows that are up, when it does not appear.
HWND StartMainDialog(ToolProcess& tool, const std::string& exe, DWORD timeoutMs = 20000);
