// The main dialog's help and version controls reach the engines and the
// version dialog: the old help engine through the seam on Windows 9x (Wine's
// blocks behind a box of its own), the version dialog for real.
#include "app/KPXSetupApp.h"
#include "install/Help.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/ScopedOsVersion.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "ui/KPXSetupDlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct HelpCall {
    HWND window;
    std::string file;
    UINT command;
    ULONG_PTR data;
};
std::vector<HelpCall> g_calls;

BOOL WINAPI RecordingWinHelp(HWND window, LPCSTR file, UINT command, ULONG_PTR data)
{
    g_calls.push_back({window, file ? file : "", command, data});
    return TRUE;
}

class HelpHandlersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        g_calls.clear();
        AfxEnableControlContainer();
        m_app.InitApplication(GetModuleHandleA(nullptr));
        m_app.InitModuleDir();
        m_app.GetIniFilePath(m_toolIni);
        ASSERT_TRUE(WriteFileBytes(m_toolIni, "[KESTRO PLOTARA Color Profile Setup Tool]\r\nNumColorProfileSets=0\r\n"));
        m_dlg = std::make_unique<CKPXSetupDlg>(m_app.ToolSettings());
        ASSERT_TRUE(m_dlg->Create());
    }
    void TearDown() override
    {
        if (m_dlg)
            m_dlg->DestroyWindow();
        m_dlg.reset();
        DeleteFileA(m_toolIni.c_str());
        DeleteAllPrinters();
    }

    HWND Dlg() const { return m_dlg->m_hWnd; }

    CKPXSetupApp m_app;
    std::string m_toolIni;
    TestPrinter m_printer{"Plotter 3F", kDriver};
    ScopedOsVersion m_version{OsWin9x};
    ScopedApiOverride<&Win32Api::WinHelpA> m_winHelp{&RecordingWinHelp};
    std::unique_ptr<CKPXSetupDlg> m_dlg;
};

TEST_F(HelpHandlersTest, HelpButtonF1AndClosingUseTheOldEngineOnWindows9x)
{
    SendMessageA(GetDlgItem(Dlg(), ID_HELP), BM_CLICK, 0, 0);

    HWND list = GetDlgItem(Dlg(), IDC_PRINTER_LIST);
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = IDC_PRINTER_LIST;
    info.hItemHandle = list;
    SendMessageA(Dlg(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));

    m_dlg->DestroyWindow();

    ASSERT_EQ(3u, g_calls.size());
    const std::string helpFile = m_app.m_strHelpFilePath;
    EXPECT_EQ(".HLP", helpFile.substr(helpFile.size() - 4));
    EXPECT_EQ(static_cast<UINT>(HELP_INDEX), g_calls[0].command);
    EXPECT_EQ(static_cast<UINT>(HELP_WM_HELP), g_calls[1].command);
    EXPECT_EQ(list, g_calls[1].window);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(HelpIdTable), g_calls[1].data);
    EXPECT_EQ(static_cast<UINT>(HELP_QUIT), g_calls[2].command);
    for (const HelpCall& call : g_calls)
        EXPECT_EQ(helpFile, call.file);
}

TEST_F(HelpHandlersTest, VersionButtonAndSystemMenuEntryShowTheVersionDialog)
{
    const std::string& caption = AboutCaption();
    std::vector<std::string> texts;
    auto readAndClose = [&](HWND d) {
        texts.push_back(DialogItemText(d, IDC_VERSION_TEXT));
        ClickButton(d, IDOK);
    };
    DialogDriver driver({{caption, readAndClose}, {caption, readAndClose}});
    SendMessageA(GetDlgItem(Dlg(), IDC_VERSION), BM_CLICK, 0, 0);
    // The low four bits of a system command are the system's own.
    SendMessageA(Dlg(), WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    driver.Finish();
    EXPECT_EQ(2, driver.Done());
    EXPECT_EQ(0, driver.Unexpected());
    std::string expected = LoadResString(IDS_VERSION_TEXT);
    EXPECT_EQ((std::vector<std::string>{expected, expected}), texts);
}

} // namespace
