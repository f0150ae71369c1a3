// The main dialog's help and version controls reach the engines and the
// version dialog: the old help engine through the seam on Windows 9x (Wine's
// blocks behind a box of its own), the version dialog for real.
#include "app/KPXSetupApp.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/HelpProbe.h"
#include "support/MainDialogFixture.h"
#include "support/ScopedOsVersion.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "support/WinHelpRecorder.h"
#include "ui/Help.h"
#include "ui/KPXSetupDlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class HelpHandlersTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        Add("Plotter 3F");
        WriteSets({});
        Open();
    }

    HWND Dlg() const { return m_hDlg; }

    ScopedOsVersion m_version{OsWin9x};
    WinHelpRecorder m_winHelp;
};

TEST_F(HelpHandlersTest, HelpButtonF1AndClosingUseTheOldEngineOnWindows9x)
{
    SendMessageA(GetDlgItem(Dlg(), ID_HELP), BM_CLICK, 0, 0);

    HWND list = GetDlgItem(Dlg(), IDC_PRINTER_LIST);
    SendHelp(Dlg(), IDC_PRINTER_LIST);

    m_dlg->DestroyWindow();

    ASSERT_EQ(3u, m_winHelp.calls.size());
    const std::string helpFile = m_app.m_strHelpFilePath;
    EXPECT_EQ(".HLP", helpFile.substr(helpFile.size() - 4));
    EXPECT_EQ(static_cast<UINT>(HELP_INDEX), m_winHelp.calls[0].command);
    EXPECT_EQ(static_cast<UINT>(HELP_WM_HELP), m_winHelp.calls[1].command);
    EXPECT_EQ(list, m_winHelp.calls[1].hwnd);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(HelpIdTable), m_winHelp.calls[1].data);
    EXPECT_EQ(static_cast<UINT>(HELP_QUIT), m_winHelp.calls[2].command);
    for (const HelpCall& call : m_winHelp.calls)
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
    EXPECT_TRUE(driver.FinishAfter(2));
    std::string expected = LoadResString(IDS_VERSION_TEXT);
    EXPECT_EQ((std::vector<std::string>{expected, expected}), texts);
}

} // namespace
