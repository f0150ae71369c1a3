// The tool's main dialog on its real template, created modeless for a test
// to drive with the messages a user's actions produce. Printers are real
// printers of Wine's spooler (every printer is deleted before and after each
// test); the tool settings file lies beside the test executable, the driver
// settings file where the program looks for it, and both are removed after
// the test. A suite derives its fixture from this one.
#pragma once

#include "app/KPXSetupApp.h"
#include "res/resource.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "ui/KPXSetupDlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The dialog with its state open to the tests.
class ProbeDlg : public CKPXSetupDlg {
public:
    ProbeDlg() : CKPXSetupDlg(static_cast<CKPXSetupApp*>(AfxGetApp())->ToolSettings()) {}
    using CKPXSetupDlg::m_bSortAscending;
    using CKPXSetupDlg::m_comboSet;
    using CKPXSetupDlg::m_editName;
    using CKPXSetupDlg::m_listPrinters;
    using CKPXSetupDlg::m_nCurItem;
    using CKPXSetupDlg::m_nSortColumn;
    using CKPXSetupDlg::m_printers;
};

class MainDialogFixture : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // The tool settings file with these set names (and these sections).
    void WriteSets(const std::vector<std::string>& names, const std::vector<IniSectionRows>& sections = {});
    // The set the driver settings file records for a printer.
    void RecordSet(const std::string& printer, const std::string& set);
    // A printer of the spooler, deleted after the test.
    void Add(const std::string& name, const char* driver = kDriver,
             const std::string& port = "FILE:", DWORD attributes = 0);
    // Creates the dialog; it reads the printers and settings as they are now.
    void Open();

    ProbeDlg& Dlg() { return *m_dlg; }
    HWND Item(int id) const { return GetDlgItem(m_hDlg, id); }
    bool SetEnabled() const { return IsWindowEnabled(Item(IDC_SET)) != FALSE; }

    CKPXSetupApp m_app;
    std::string m_toolIni;
    std::string m_driverIni;
    std::vector<std::unique_ptr<TestPrinter>> m_printers;
    std::unique_ptr<ProbeDlg> m_dlg;
    HWND m_hDlg = nullptr;
};
