// The Set button's whole job on the real dialog: the set's files installed in
// the system and driver directories, the set recorded in the driver settings
// file, the printer renamed and its section moved, and every way out with
// what it leaves behind. Printers, files and settings files are real; the
// spooler's side of an accepted rename is faked (Wine's refuses level 5).
#include "app/KPXSetupApp.h"
#include "printers/PrinterSnapshot.h"
#include "res/resource.h"
#include "settings/DriverINI.h"
#include "support/AcceptedRenames.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/MainDialogFixture.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "support/WinePrefix.h"
#include "ui/KPXSetupDlg.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

const char kPrinter[] = "Plotter 3F";

class ApplyTest : public MainDialogFixture {
public:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        m_systemDir = SystemDirectoryFile("");
        m_driverDir = DriverDirectoryFile("");
        Add(kPrinter);
    }

    void TearDown() override
    {
        MainDialogFixture::TearDown();
        for (const std::string& name : m_installed) {
            for (const std::string& dir : {m_systemDir, m_driverDir}) {
                SetFileAttributesA((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((dir + name).c_str());
            }
        }
    }

    // Every installation made from now on is recorded in m_copies ("source
    // -> target") once the copy of source has taken the target's place (the
    // driver settings file, copied from itself, and the tool's account of
    // what it installed are no installations). A temporary file is a copy of
    // the file opened for reading just before.
    void RecordCopies()
    {
        m_copy.emplace([this](LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD creation,
                              DWORD flags, HANDLE templateFile) {
            if (creation == CREATE_NEW)
                m_copied[name] = m_lastRead;
            else if (access == GENERIC_READ && creation == OPEN_EXISTING)
                m_lastRead = name;
            return ::CreateFileA(name, access, share, security, creation, flags, templateFile);
        });
        m_move.emplace([this](LPCSTR temp, LPCSTR target, DWORD flags) {
            const BOOL moved = ::MoveFileExA(temp, target, flags);
            if (moved && m_copied.count(temp) && m_copied[temp] != target &&
                lstrcmpiA(target, (m_systemDir + "KPXSETUP.LST").c_str()) != 0)
                m_copies.push_back(m_copied[temp] + " -> " + target);
            return moved;
        });
    }

    // A tool settings file with one set "Office" whose kinds name these files
    // of the source folder (an empty name leaves the kind out).
    void WriteSet(const char* autoFile, const char* vivid, const char* tone, const char* font)
    {
        IniSectionRows office{"Office", {}};
        const char* keys[] = {"Auto", "Vividness", "Tone", "Font"};
        const char* files[] = {autoFile, vivid, tone, font};
        for (int i = 0; i < 4; ++i) {
            if (!*files[i])
                continue;
            office.entries.emplace_back(keys[i], m_source.file(files[i]));
            m_installed.push_back(files[i]);
        }
        WriteSets({"Office"}, {office});
    }

    void Source(const char* name) { ASSERT_TRUE(WriteFileBytes(m_source.file(name), std::string("new ") + name)); }

    // Picks the set, types the name and presses Set, as the user does.
    void Set(const std::string& name = kPrinter, const char* set = "Office")
    {
        HWND combo = GetDlgItem(m_hDlg, IDC_PROFILE_SET);
        LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(set));
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(GetDlgItem(m_hDlg, IDC_PRINTER_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageA(GetDlgItem(m_hDlg, IDC_SET), BM_CLICK, 0, 0);
    }

    std::string Cell(int column) const { return m_dlg->m_listPrinters.GetItemText(0, column); }
    std::string Driver() const { return ReadFileBytes(m_driverIni); }
    std::string Installed(const std::string& dir, const char* name) const { return ReadFileBytes(dir + name); }

    static std::vector<std::string> Texts(const MessageBoxRecorder& boxes)
    {
        std::vector<std::string> texts;
        for (const RecordedBox& box : boxes.boxes())
            texts.push_back(box.text);
        return texts;
    }

    TempDir m_source{"sets"};
    std::string m_systemDir, m_driverDir;
    std::vector<std::string> m_copies;
    std::map<std::string, std::string> m_copied; // temporary file -> its source
    std::string m_lastRead;
    std::optional<ScopedApiOverride<&Win32Api::CreateFileA>> m_copy;
    std::optional<ScopedApiOverride<&Win32Api::MoveFileExA>> m_move;
    std::vector<std::string> m_installed;
    ScopedOsVersion m_version{Os7};
    ScopedPlatformFlags m_flags{false, false};
};

const std::string& Confirm()
{
    static const std::string t = LoadResString(IDS_CONFIRM_CHANGE);
    return t;
}
const std::string& Failed()
{
    static const std::string t = LoadResString(IDS_CHANGE_FAILED);
    return t;
}

TEST_F(ApplyTest, FullApplyInstallsRecordsAndRefreshesTheEnumeration)
{
    for (const char* f : {"kpx1_auto.kpx", "kpx1_vivid.kpx", "kpx1_tone.kpx", "kpx1_font.kpx"})
        Source(f);
    WriteSet("kpx1_auto.kpx", "kpx1_vivid.kpx", "kpx1_tone.kpx", "kpx1_font.kpx");
    Open();
    ASSERT_EQ(LoadResString(IDS_DEFAULT_SET_NAME), Cell(1));

    // A printer added while the dialog is open.
    TestPrinter late("Late Printer", kOtherDriver);
    MessageBoxRecorder boxes(IDOK);
    Set();
    EXPECT_EQ(std::vector<std::string>{Confirm()}, Texts(boxes));
    for (const char* f : {"kpx1_auto.kpx", "kpx1_vivid.kpx", "kpx1_tone.kpx", "kpx1_font.kpx"}) {
        EXPECT_EQ(std::string("new ") + f, Installed(m_systemDir, f));
        EXPECT_EQ(std::string("new ") + f, Installed(m_driverDir, f));
    }
    EXPECT_EQ("[Plotter 3F]\r\n"
              "ColorProfileSetName=Office\r\n"
              "Auto=kpx1_auto.kpx\r\n"
              "Font=kpx1_font.kpx\r\n"
              "Tone=kpx1_tone.kpx\r\n"
              "Vividness=kpx1_vivid.kpx\r\n",
              Driver());
    EXPECT_EQ("Office", Cell(1));
    EXPECT_EQ(kPrinter, Cell(0));
    EXPECT_FALSE(SetEnabled());

    // The next name check sees the printer added meanwhile.
    Set("late printer");
    ASSERT_EQ(2u, boxes.boxes().size());
    EXPECT_EQ(LoadResString(IDS_NAME_EXISTS), boxes.boxes()[1].text);
}

TEST_F(ApplyTest, FileSharedByKindsIsInstalledOnceAndRecordedForEach)
{
    Source("kpx2_all.kpx");
    WriteSet("kpx2_all.kpx", "kpx2_all.kpx", "kpx2_all.kpx", "kpx2_all.kpx");
    Open();
    RecordCopies();
    MessageBoxRecorder boxes(IDOK);
    Set();
    const std::string source = m_source.file("kpx2_all.kpx");
    EXPECT_EQ((std::vector<std::string>{source + " -> " + m_systemDir + "kpx2_all.kpx",
                                        source + " -> " + m_driverDir + "kpx2_all.kpx"}),
              m_copies);
    EXPECT_EQ("[Plotter 3F]\r\nColorProfileSetName=Office\r\nAuto=kpx2_all.kpx\r\nFont=kpx2_all.kpx\r\n"
              "Tone=kpx2_all.kpx\r\nVividness=kpx2_all.kpx\r\n",
              Driver());
}

TEST_F(ApplyTest, ToneSharedWithVividnessGivesThreeInstallationsInSlotOrder)
{
    for (const char* f : {"kpx3_a.kpx", "kpx3_tv.kpx", "kpx3_f.kpx"})
        Source(f);
    WriteSet("kpx3_a.kpx", "kpx3_tv.kpx", "kpx3_tv.kpx", "kpx3_f.kpx");
    Open();
    RecordCopies();
    MessageBoxRecorder boxes(IDOK);
    Set();
    ASSERT_EQ(6u, m_copies.size());
    EXPECT_EQ(m_source.file("kpx3_a.kpx") + " -> " + m_systemDir + "kpx3_a.kpx", m_copies[0]);
    EXPECT_EQ(m_source.file("kpx3_f.kpx") + " -> " + m_systemDir + "kpx3_f.kpx", m_copies[2]);
    EXPECT_EQ(m_source.file("kpx3_tv.kpx") + " -> " + m_driverDir + "kpx3_tv.kpx", m_copies[5]);
}

TEST_F(ApplyTest, OverwriteCancelKeepsExistingFilesRecordsTheSetAndTheNextApplyAsksAgain)
{
    for (const char* f : {"kpx4_a.kpx", "kpx4_v.kpx", "kpx4_t.kpx", "kpx4_f.kpx"})
        Source(f);
    WriteSet("kpx4_a.kpx", "kpx4_v.kpx", "kpx4_t.kpx", "kpx4_f.kpx");
    ASSERT_TRUE(WriteFileBytes(m_systemDir + "kpx4_a.kpx", "old"));
    ASSERT_TRUE(WriteFileBytes(m_driverDir + "kpx4_f.kpx", "old"));
    Open();
    MessageBoxRecorder boxes(IDOK);
    {
        std::string asked;
        DialogDriver driver({{OverwriteCaption(), [&](HWND d) {
                                  asked = DialogItemText(d, IDC_OVERWRITE_FILE);
                                  ClickButton(d, IDCANCEL);
                              }}});
        Set();
        EXPECT_TRUE(driver.FinishAfter(1));
        EXPECT_NE(std::string::npos, asked.find("kpx4_a.kpx")) << asked;
    }
    EXPECT_EQ("old", Installed(m_systemDir, "kpx4_a.kpx"));
    EXPECT_EQ("old", Installed(m_driverDir, "kpx4_f.kpx"));
    EXPECT_EQ("new kpx4_a.kpx", Installed(m_driverDir, "kpx4_a.kpx"));
    EXPECT_EQ("new kpx4_f.kpx", Installed(m_systemDir, "kpx4_f.kpx"));
    EXPECT_EQ("Office", Cell(1));

    // Every target exists now: the next apply asks again, and overwrite-all
    // at the first question replaces the two old ones; the six that already
    // are the set's files are left as they are.
    RecordCopies();
    DialogDriver driver({{OverwriteCaption(), [&](HWND d) { ClickButton(d, IDC_OVERWRITE_ALL); }}});
    Set();
    EXPECT_TRUE(driver.FinishAfter(1));
    // Each old file is kept aside, then replaced.
    EXPECT_EQ(4u, m_copies.size());
    EXPECT_EQ("new kpx4_a.kpx", Installed(m_systemDir, "kpx4_a.kpx"));
    EXPECT_EQ("old", Installed(m_systemDir, "kpx4_a.kpx.~kpxkept"));
}

TEST_F(ApplyTest, MissingSourceCorrectedThroughTheCopyErrorDialogIsInstalledAndRecorded)
{
    for (const char* f : {"kpx5_a.kpx", "kpx5_v.kpx", "kpx5_t.kpx", "kpx5_other.kpx"})
        Source(f);
    WriteSet("kpx5_a.kpx", "kpx5_v.kpx", "kpx5_t.kpx", "kpx5_missing.kpx");
    m_installed.push_back("kpx5_other.kpx");
    Open();
    MessageBoxRecorder boxes(IDOK);
    std::string named;
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                              named = DialogItemText(d, IDC_COPY_MESSAGE);
                              SetItemText(d, IDC_COPY_SOURCE, m_source.file("kpx5_other.kpx"));
                              ClickButton(d, IDRETRY);
                          }}});
    Set();
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_NE(std::string::npos, named.find("kpx5_missing.kpx")) << named;
    EXPECT_EQ("new kpx5_other.kpx", Installed(m_systemDir, "kpx5_other.kpx"));
    EXPECT_NE(std::string::npos, Driver().find("Font=kpx5_other.kpx\r\n")) << Driver();
    EXPECT_EQ(std::vector<std::string>{Confirm()}, Texts(boxes));
}

TEST_F(ApplyTest, CancelInTheCopyErrorDialogChangesNothing)
{
    Source("kpx6_a.kpx");
    WriteSet("kpx6_a.kpx", "kpx6_a.kpx", "", "kpx6_a.kpx"); // no Tone
    Open();
    MessageBoxRecorder boxes(IDOK);
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) { ClickButton(d, IDCANCEL); }}});
    Set("Plotter 4F");
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_EQ((std::vector<std::string>{Confirm(), Failed()}), Texts(boxes));
    EXPECT_EQ(LoadResString(IDS_CAPTION_PROFILE_SETTING), boxes.boxes()[1].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.boxes()[1].type);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_systemDir + "kpx6_a.kpx").c_str()));
    EXPECT_EQ("", Driver());
    EXPECT_EQ(LoadResString(IDS_DEFAULT_SET_NAME), Cell(1));
    EXPECT_EQ("Plotter 4F", m_dlg->m_editName.GetWindowText());
    EXPECT_TRUE(SetEnabled());
}

TEST_F(ApplyTest, AcceptedRenameMovesTheSectionWithTheNewSet)
{
    Source("kpx7_a.kpx");
    WriteSet("kpx7_a.kpx", "kpx7_a.kpx", "kpx7_a.kpx", "kpx7_a.kpx");
    ASSERT_TRUE(WriteFileBytes(m_driverIni, "[Plotter 3F]\r\nColorProfileSetName=Old\r\nDriverPrivate=7\r\n"));
    Open();
    AcceptedRenames accept;
    MessageBoxRecorder boxes(IDOK);
    Set("Plotter 2F");
    EXPECT_EQ(std::vector<std::string>{"Plotter 2F"}, accept.names());
    EXPECT_EQ("Plotter 2F", Cell(0));
    EXPECT_EQ("Office", Cell(1));
    EXPECT_EQ("[Plotter 2F]\r\nColorProfileSetName=Office\r\nDriverPrivate=7\r\nAuto=kpx7_a.kpx\r\n"
              "Font=kpx7_a.kpx\r\nTone=kpx7_a.kpx\r\nVividness=kpx7_a.kpx\r\n",
              Driver());
    EXPECT_FALSE(SetEnabled());
}

TEST_F(ApplyTest, ColumnSortsAfterARenameUseTheRowsNewTexts)
{
    Source("kpx13_a.kpx");
    WriteSet("kpx13_a.kpx", "kpx13_a.kpx", "kpx13_a.kpx", "kpx13_a.kpx");
    Add("Plotter 5F");
    ASSERT_TRUE(SetDefaultTestPrinter(kPrinter));
    Open();
    AcceptedRenames accept;
    MessageBoxRecorder boxes(IDOK);
    Set("Plotter 9F");
    ASSERT_EQ("Plotter 9F", Cell(0));
    auto sortBy = [this](int column) {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = GetDlgItem(m_hDlg, IDC_PRINTER_LIST);
        click.hdr.idFrom = IDC_PRINTER_LIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(m_hDlg, WM_NOTIFY, IDC_PRINTER_LIST, reinterpret_cast<LPARAM>(&click));
        std::vector<std::string> rows;
        for (int i = 0; i < m_dlg->m_listPrinters.GetItemCount(); ++i)
            rows.push_back(m_dlg->m_listPrinters.GetItemText(i, 0));
        return rows;
    };
    // By name, descending (the list was sorted ascending), then ascending.
    EXPECT_EQ((std::vector<std::string>{"Plotter 9F", "Plotter 5F"}), sortBy(0));
    EXPECT_EQ((std::vector<std::string>{"Plotter 5F", "Plotter 9F"}), sortBy(0));
    // By set: the default text comes before "Office".
    EXPECT_EQ((std::vector<std::string>{"Plotter 5F", "Plotter 9F"}), sortBy(1));
    EXPECT_EQ((std::vector<std::string>{"Plotter 9F", "Plotter 5F"}), sortBy(1));
}

TEST_F(ApplyTest, RefusedRenameIsReportedOnceAndKeepsEverythingUnderTheOldName)
{
    Source("kpx8_a.kpx");
    WriteSet("kpx8_a.kpx", "kpx8_a.kpx", "kpx8_a.kpx", "kpx8_a.kpx");
    Open();
    MessageBoxRecorder boxes(IDOK);
    Set("Plotter 2F"); // Wine's spooler refuses every rename
    const std::vector<std::string> texts = Texts(boxes);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(Confirm(), texts[0]);
    EXPECT_EQ(0u, texts[1].find(LoadResString(IDS_APPLY_INCOMPLETE))) << texts[1];
    EXPECT_NE(std::string::npos, texts[1].find("Plotter 2F")) << texts[1];
    EXPECT_EQ(kPrinter, Cell(0));
    EXPECT_EQ("Office", Cell(1));
    EXPECT_EQ("Plotter 2F", m_dlg->m_editName.GetWindowText());
    EXPECT_EQ(0u, Driver().find("[Plotter 3F]\r\nColorProfileSetName=Office\r\n")) << Driver();
    EXPECT_TRUE(SetEnabled()); // the user may correct the name and try again
}

TEST_F(ApplyTest, RenameInLetterCaseOnlyKeepsTheSection)
{
    Source("kpx9_a.kpx");
    WriteSet("kpx9_a.kpx", "kpx9_a.kpx", "kpx9_a.kpx", "kpx9_a.kpx");
    Open();
    // As when the printer was added after the last enumeration, so the name
    // check does not see its own name.
    CPrinterSnapshot untaken;
    m_dlg->m_printers.Swap(untaken);
    AcceptedRenames accept;
    MessageBoxRecorder boxes(IDOK);
    Set("PLOTTER 3F");
    EXPECT_EQ(std::vector<std::string>{"PLOTTER 3F"}, accept.names());
    std::string recorded;
    EXPECT_TRUE(CDriverINI().ReadProfileSetName("PLOTTER 3F", recorded));
    EXPECT_EQ("Office", recorded);
}

// The section cannot follow the printer to its new name: known before the
// spooler is asked, so the printer keeps its name and its settings.
TEST_F(ApplyTest, SectionThatCannotBeWrittenUnderTheNewNameStaysUnderTheOld)
{
    Source("kpx10_a.kpx");
    WriteSet("kpx10_a.kpx", "kpx10_a.kpx", "kpx10_a.kpx", "kpx10_a.kpx");
    // A file the one-pass edit leaves to the profile functions (a form
    // feed in a comment), whose key writes can fail on their own.
    ASSERT_TRUE(WriteFileBytes(m_driverIni, "; \x0c\r\n"));
    Open();
    AcceptedRenames accept;
    ScopedApiOverride<&Win32Api::WritePrivateProfileStringA> refuse(
        [](LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
            return section && lstrcmpA(section, "Plotter 2F") == 0
                       ? FALSE
                       : ::WritePrivateProfileStringA(section, key, value, file);
        });
    MessageBoxRecorder boxes(IDOK);
    Set("Plotter 2F");
    EXPECT_EQ(kPrinter, Cell(0));
    EXPECT_TRUE(accept.names().empty());
    std::string recorded;
    EXPECT_TRUE(CDriverINI().ReadProfileSetName(kPrinter, recorded));
    EXPECT_EQ("Office", recorded);
}

TEST_F(ApplyTest, RecordThatCannotBeWrittenIsReportedAndTheRowShowsTheFile)
{
    Source("kpx11_a.kpx");
    WriteSet("kpx11_a.kpx", "kpx11_a.kpx", "kpx11_a.kpx", "kpx11_a.kpx");
    ASSERT_TRUE(WriteFileBytes(m_driverIni, "[Plotter 3F]\r\nColorProfileSetName=Old\r\n"));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_driverIni.c_str());
    Open();
    ASSERT_EQ("Old", Cell(1));
    // Another program holds the driver settings file open without sharing.
    HANDLE held = CreateFileA(m_driverIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    AcceptedRenames accept;
    MessageBoxRecorder boxes(IDOK);
    Set("Plotter 2F");
    CloseHandle(held);
    EXPECT_EQ((std::vector<std::string>{Confirm(), Failed()}), Texts(boxes));
    EXPECT_EQ(LoadResString(IDS_DEFAULT_SET_NAME), Cell(1)); // the file could not be read either
    EXPECT_EQ(kPrinter, Cell(0));
    EXPECT_TRUE(accept.names().empty());
    EXPECT_TRUE(SetEnabled());
    EXPECT_EQ("[Plotter 3F]\r\nColorProfileSetName=Old\r\n", Driver());
}

TEST_F(ApplyTest, FailedCopyIsReportedOnceAfterTheSetIsRecorded)
{
    for (const char* f : {"kpx12_a.kpx", "kpx12_b.kpx"})
        Source(f);
    WriteSet("kpx12_a.kpx", "kpx12_b.kpx", "kpx12_a.kpx", "kpx12_b.kpx");
    // Both system targets are folders of the files' names: nothing can
    // replace them, and their copies fail. (A target held by another program
    // is asked about and replaced at the restart.)
    for (const char* f : {"kpx12_a.kpx", "kpx12_b.kpx"})
        ASSERT_TRUE(CreateDirectoryA((m_systemDir + f).c_str(), nullptr));
    Open();
    MessageBoxRecorder boxes(IDOK);
    Set();
    for (const char* f : {"kpx12_a.kpx", "kpx12_b.kpx"})
        RemoveDirectoryA((m_systemDir + f).c_str());
    const std::vector<std::string> texts = Texts(boxes);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(Confirm(), texts[0]);
    EXPECT_EQ(0u, texts[1].find(LoadResString(IDS_APPLY_INCOMPLETE))) << texts[1];
    EXPECT_NE(std::string::npos, texts[1].find(m_systemDir + "kpx12_a.kpx")) << texts[1];
    EXPECT_NE(std::string::npos, texts[1].find(m_systemDir + "kpx12_b.kpx")) << texts[1];
    EXPECT_EQ(std::string::npos, texts[1].find(m_driverDir)) << texts[1];
    EXPECT_EQ("Office", Cell(1));
    EXPECT_EQ("new kpx12_a.kpx", Installed(m_driverDir, "kpx12_a.kpx"));
    EXPECT_FALSE(SetEnabled());
}

} // namespace
