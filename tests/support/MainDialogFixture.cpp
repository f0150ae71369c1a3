#include "support/MainDialogFixture.h"

#include "res/resource.h"
#include "settings/DriverINI.h"
#include "support/Cp932.h"
#include "support/SettingsText.h"
#include "support/TempDir.h"

void MainDialogFixture::SetUp()
{
    DeleteAllPrinters();
    InitCommonControlClasses();
    m_app.InitApplication(GetModuleHandleA(nullptr));
    m_app.InitModuleDir();
    m_toolIni = m_app.ToolSettingsFile().Path();
    m_driverIni = CDriverINI().GetIniPath();
    DeleteFileA(m_driverIni.c_str());
}

void MainDialogFixture::TearDown()
{
    m_dlg.reset();
    DeleteFileA(m_toolIni.c_str());
    DeleteFileA(m_driverIni.c_str());
    m_printers.clear();
    DeleteAllPrinters();
}

void MainDialogFixture::WriteSets(const std::vector<std::string>& names, const std::vector<IniSectionRows>& sections)
{
    ASSERT_TRUE(WriteFileBytes(m_toolIni, ToolSettingsText(names, sections)));
}

void MainDialogFixture::RecordSet(const std::string& printer, const std::string& set)
{
    ASSERT_TRUE(WritePrivateProfileStringA(printer.c_str(), "ColorProfileSetName", set.c_str(), m_driverIni.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_driverIni.c_str());
}

void MainDialogFixture::Add(const std::string& name, const char* driver, const std::string& port, DWORD attributes)
{
    m_printers.push_back(std::make_unique<TestPrinter>(name, driver, port, attributes));
    ASSERT_TRUE(m_printers.back()->added()) << name;
}

void MainDialogFixture::Open()
{
    m_dlg = std::make_unique<ProbeDlg>();
    ASSERT_TRUE(m_dlg->Create());
    m_hDlg = m_dlg->m_hWnd;
}
