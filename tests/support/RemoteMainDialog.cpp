#include "support/RemoteMainDialog.h"

#include "res/resource.h"
#include "support/Cp932.h"
#include "support/DialogTexts.h"
#include "support/RemoteControls.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>

std::vector<std::vector<std::string>> RemoteMainDialog::Rows() const
{
    return RemoteListRows(item(IDC_PRINTER_LIST), 3);
}

std::vector<std::string> RemoteMainDialog::Printers() const
{
    std::vector<std::string> names;
    for (const auto& row : Rows())
        names.push_back(row[0]);
    return names;
}

int RemoteMainDialog::RowOf(const std::string& printer) const
{
    std::vector<std::string> names = Printers();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == printer)
            return static_cast<int>(i);
    }
    return -1;
}

int RemoteMainDialog::SelectedRow() const
{
    return RemoteSelectedRow(item(IDC_PRINTER_LIST));
}

bool RemoteMainDialog::SelectRow(int row) const
{
    return RemoteSelectRow(item(IDC_PRINTER_LIST), row);
}

void RemoteMainDialog::ClickColumn(int column) const
{
    RemoteClickColumn(item(IDC_PRINTER_LIST), column);
}

std::string RemoteMainDialog::Name() const
{
    char text[1024] = {};
    SendMessageA(item(IDC_PRINTER_NAME), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void RemoteMainDialog::SetName(const std::string& text) const
{
    SendMessageA(item(IDC_PRINTER_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string RemoteMainDialog::TypeName(const std::string& text) const
{
    HWND edit = item(IDC_PRINTER_NAME);
    LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(edit, EM_SETSEL, end, end);
    bool handled = false;
    std::string result = PostTypedText(edit, text, 5000, &handled);
    EXPECT_TRUE(handled) << "the typed characters were not handled in time";
    return result;
}

UINT RemoteMainDialog::NameLimit() const
{
    return static_cast<UINT>(SendMessageA(item(IDC_PRINTER_NAME), EM_GETLIMITTEXT, 0, 0));
}

bool RemoteMainDialog::NameEditEnabled() const
{
    return IsWindowEnabled(item(IDC_PRINTER_NAME)) != FALSE;
}

std::vector<std::string> RemoteMainDialog::Sets() const
{
    return ComboEntries(item(IDC_PROFILE_SET));
}

std::string RemoteMainDialog::SelectedSet() const
{
    return ComboSelection(item(IDC_PROFILE_SET));
}

bool RemoteMainDialog::PickSet(const std::string& set) const
{
    return PickComboEntry(item(IDC_PROFILE_SET), set);
}

bool RemoteMainDialog::SetButtonEnabled() const
{
    return IsWindowEnabled(item(IDC_SET)) != FALSE;
}

void RemoteMainDialog::PressSet() const
{
    PressButton(m_dialog, IDC_SET);
}

void RemoteMainDialog::PressVersion() const
{
    PressButton(m_dialog, IDC_VERSION);
}

void RemoteMainDialog::PressHelp() const
{
    PressButton(m_dialog, ID_HELP);
}

void RemoteMainDialog::PressClose() const
{
    PressButton(m_dialog, IDOK);
}

void RemoteMainDialog::SystemCommand(UINT command) const
{
    PostMessageA(m_dialog, WM_SYSCOMMAND, command, 0);
}

std::string AnswerMessageBox(const ToolProcess& tool, const std::string& caption, int button, DWORD timeoutMs)
{
    HWND box = tool.WaitForMessageBox(caption, timeoutMs);
    if (!box) {
        ADD_FAILURE() << "no box captioned " << Utf8FromCp932(caption) << "; windows up:\n"
                      << DescribeWindows(tool.VisibleWindows());
        return std::string();
    }
    std::string text = MessageBoxText(box);
    PressButton(box, button);
    EXPECT_TRUE(WaitForWindowToClose(box, timeoutMs));
    return text;
}

void ExpectApplyDone(const ToolProcess& tool, const RemoteMainDialog& main, DWORD timeoutMs)
{
    EXPECT_TRUE(WaitUntil([&] { return !main.SetButtonEnabled(); }, timeoutMs))
        << DescribeWindows(tool.VisibleWindows());
    PumpMessages(300);
    EXPECT_EQ(tool.VisibleWindows(), std::vector<HWND>{main.window()}) << DescribeWindows(tool.VisibleWindows());
}

HWND StartMainDialog(ToolProcess& tool, const std::string& exe, DWORD timeoutMs)
{
    if (!tool.Start(exe)) {
        ADD_FAILURE() << "the tool could not be started: " << exe;
        return nullptr;
    }
    HWND dlg = tool.WaitForDialog(MainCaption(), timeoutMs);
    if (!dlg) {
        // Whether the tool ended (and how) or still runs without its
        // dialog tells a start-up that failed from one that hangs.
        if (tool.Running())
            ADD_FAILURE() << "the tool runs but shows no main dialog; windows up:\n"
                          << DescribeWindows(tool.VisibleWindows());
        else
            ADD_FAILURE() << "the tool ended without its main dialog, exit code 0x" << std::hex << tool.ExitCode();
    }
    return dlg;
}
