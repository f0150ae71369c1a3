// The apply as an operation, without a window: real files, the real spooler
// and driver settings file, the questions answered by a script. One row per
// way the apply can end, and what each leaves behind.
#include "operation/ProfileSetApply.h"

#include "classlib/PathParts.h"
#include "classlib/WinApp.h"
#include "platform/FileReadable.h"
#include "platform/PendingRenames.h"
#include "printers/PrinterHandle.h"
#include "printers/PrinterRecord.h"
#include "printers/PrinterSnapshot.h"
#include "res/resource.h"
#include "settings/DriverINI.h"
#include "support/AcceptedRenames.h"
#include "support/ApiOverride.h"
#include "support/ApplyRecorder.h"
#include "support/IniSection.h"
#include "support/PendingRenamesGuard.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "ui/ApplyReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

const char kPrinter[] = "Plotter 3F";

enum Condition {
    Plain,
    Declined,
    MissingGivenUp,
    MissingCorrected,
    FileNameClash,
    ExistingTargetKept,
    SystemTargetHeld,  // replaced at the restart
    HeldNoRestart,     // held, and the restart replacement is refused (no rights, or 9x)
    HeldRenameRefused, // replaced at the restart, and the rename refused
    RecordFails,
    SpoolerRefuses, // Wine's own spooler refuses every rename
    SpoolerAccepts,
    SectionUnreadable, // the printer's section holds a line a move through the profile functions would lose
    SectionNotWritten, // the section cannot be written under the new name
    RenameUndone,      // renamed, but the settings file cannot be replaced: the old name comes back
    SystemFileName,    // a "profile" named like the driver settings file
    DeviceName,        // a "profile" that is the NUL device
    WritableFolder,    // a source in a folder Everyone may write
    WritableFile,      // a source file Everyone may write
    BlankEdgedPrinter, // the printer's name ends in a blank
    BlankEdgedNewName, // the new name begins with a blank
    PrinterGone,       // the printer was deleted since it was listed
    PrinterRenamed,    // another program renamed the printer since it was listed
    NameTaken,         // another printer bears the new name
};

struct Scenario {
    const char* what;
    Condition condition;
    bool rename;
    ApplyStop stop;
    RenameResult renameResult;
    size_t installed, failed;
    const char* sectionUnder; // the name whose section records the set; null: none does
    size_t atRestart = 0;     // targets replaced at the next restart
};

class ProfileSetApplyTest : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        m_driverIni = CDriverINI().GetIniPath();
        DeleteFileA(m_driverIni.c_str());
        char dir[MAX_PATH] = {};
        GetSystemDirectoryA(dir, MAX_PATH);
        m_systemDir = std::string(dir) + "\\";
        m_driverDir = m_systemDir + "spool\\drivers\\w32x86\\3\\";
        m_printer.emplace(kPrinter, kDriver);
        ASSERT_TRUE(m_printer->added());
        CreateDirectoryA(m_source.file("a").c_str(), nullptr);
        CreateDirectoryA(m_source.file("b").c_str(), nullptr);
    }
    void TearDown() override
    {
        DeleteFileA(m_driverIni.c_str());
        for (const char* name : {"x.kpx", "y.kpx", "z.kpx"}) {
            for (const std::string& dir : {m_systemDir, m_driverDir})
                DeleteFileA((dir + name).c_str());
        }
        m_printer.reset();
        m_other.reset();
        DeleteAllPrinters();
    }

    // Set "Office" with its four kinds naming files of the source folder.
    CKPXSetupINI Set(const char* autoFile, const char* vivid, const char* tone, const char* font)
    {
        std::string text = "[Office]\r\n";
        const char* keys[] = {"Auto", "Vividness", "Tone", "Font"};
        const char* files[] = {autoFile, vivid, tone, font};
        for (int i = 0; i < 4; ++i) {
            text += std::string(keys[i]) + "=" + m_source.file(files[i]) + "\r\n";
            WriteFileBytes(m_source.file(files[i]), std::string("new ") + files[i]);
        }
        EXPECT_TRUE(WriteFileBytes(m_source.file("KPXSETUP.INI"), text));
        return CKPXSetupINI(m_source.file("KPXSETUP.INI"), m_source.path());
    }

    std::string m_driverIni, m_systemDir, m_driverDir;
    std::optional<TestPrinter> m_printer;
    std::optional<TestPrinter> m_other;
    TempDir m_source{"apply"};
    ScopedOsVersion m_version{Os7};
    ScopedPlatformFlags m_flags{false, false};
    PendingRenamesGuard m_pending;
};

TEST_P(ProfileSetApplyTest, EndsAsTheScenarioDemandsAndLeavesOnlyWhatItSays)
{
    const Scenario& s = GetParam();
    const char* font = "a\\z.kpx";
    if (s.condition == FileNameClash)
        font = "b\\x.kpx";
    if (s.condition == SystemFileName)
        font = "a\\PLOTA2.INI";
    if (s.condition == DeviceName)
        font = "a\\NUL.kpx";
    if (s.condition == WritableFolder)
        font = "b\\z.kpx";
    CKPXSetupINI toolIni = Set("a\\x.kpx", "a\\y.kpx", "a\\y.kpx", font);
    if (s.condition == WritableFolder || s.condition == WritableFile) {
        ASSERT_TRUE(LetEveryoneWrite(s.condition == WritableFolder ? m_source.file("b") : m_source.file(font)));
    }
    ApplyRecorder answers;
    // Another printer's record, which nothing of this apply may touch.
    const std::string otherRecord = "[Plotter 1F]\r\nColorProfileSetName=Keep\r\n";
    ASSERT_TRUE(WriteFileBytes(m_driverIni, otherRecord));
    std::string printer = kPrinter;
    std::string newName = s.rename ? "Plotter 2F" : kPrinter;

    std::optional<AcceptedRenames> spooler;
    std::optional<ScopedApiOverride<&Win32Api::WritePrivateProfileStringA>> unwritable;
    std::optional<ScopedApiOverride<&Win32Api::MoveFileExA>> noRestart;
    std::optional<ScopedApiOverride<&Win32Api::MoveFileExA>> noReplace;
    std::optional<ScopedApiOverride<&Win32Api::OpenPrinterA>> openByNewName;
    HANDLE held = INVALID_HANDLE_VALUE;
    switch (s.condition) {
    case Declined:
        answers.confirm = false;
        break;
    case MissingGivenUp:
    case MissingCorrected:
        DeleteFileA(m_source.file("a\\y.kpx").c_str());
        if (s.condition == MissingCorrected)
            answers.correctedPath = m_source.file("b\\y.kpx");
        WriteFileBytes(m_source.file("b\\y.kpx"), "new b\\y.kpx");
        break;
    case ExistingTargetKept:
        WriteFileBytes(m_systemDir + "x.kpx", "old");
        answers.overwrite = OverwriteNo;
        break;
    case HeldNoRestart:
        noRestart.emplace([&](LPCSTR from, LPCSTR to, DWORD flags) {
            if (flags & MOVEFILE_DELAY_UNTIL_REBOOT) {
                SetLastError(ERROR_ACCESS_DENIED);
                return FALSE;
            }
            return noRestart->saved()(from, to, flags);
        });
        // fall through
    case SystemTargetHeld:
    case HeldRenameRefused:
        WriteFileBytes(m_systemDir + "x.kpx", "in use");
        held = CreateFileA((m_systemDir + "x.kpx").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        break;
    case BlankEdgedPrinter:
        printer = newName = "Plotter 3F ";
        break;
    case BlankEdgedNewName:
        newName = " Plotter 2F";
        break;
    case PrinterGone:
        m_printer.reset();
        break;
    case PrinterRenamed: {
        // Wine's spooler still opens the printer by its old name afterwards,
        // as a spooler may until it has caught up.
        CPrinterHandle handle = OpenPrinterHandle(kPrinter, PRINTER_ALL_ACCESS);
        CGlobalMemory record = GetPrinterRecord(handle.Get(), 2);
        ASSERT_TRUE(record.IsValid());
        auto* info = static_cast<PRINTER_INFO_2A*>(record.Get());
        info->pPrinterName = const_cast<char*>("Plotter 3F Renamed");
        ASSERT_TRUE(SetPrinterA(handle.Get(), 2, static_cast<BYTE*>(record.Get()), 0));
        break;
    }
    case NameTaken:
        m_other.emplace("Plotter 2F", kDriver);
        break;
    case RecordFails:
        // Held without sharing, the settings file takes no write.
        held = CreateFileA(m_driverIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        break;
    case RenameUndone: {
        noReplace.emplace([&](LPCSTR from, LPCSTR to, DWORD flags) {
            if (lstrcmpiA(to, m_driverIni.c_str()) == 0) {
                SetLastError(ERROR_ACCESS_DENIED);
                return FALSE;
            }
            return noReplace->saved()(from, to, flags);
        });
        // The faked spooler's printer answers to the name it was given.
        openByNewName.emplace([&](LPSTR name, LPHANDLE handle, LPPRINTER_DEFAULTSA defaults) {
            char old[] = "Plotter 3F";
            return openByNewName->saved()(name && newName == name ? old : name, handle, defaults);
        });
        spooler.emplace();
        break;
    }
    case SpoolerAccepts:
    case SectionUnreadable:
    case SectionNotWritten:
        spooler.emplace();
        // A comment with a form feed in it: the one-pass edit
        // leaves such a file to the profile functions, where these faults
        // can happen.
        ASSERT_TRUE(WriteFileBytes(m_driverIni, "; \x0c\r\n" + otherRecord));
        if (s.condition == SectionUnreadable) {
            ASSERT_TRUE(WriteFileBytes(m_driverIni, "; \x0c\r\n" + otherRecord +
                                                        "[Plotter 3F]\r\nColorProfileSetName=Home\r\nDuplex\r\n"));
        }
        if (s.condition == SectionNotWritten)
            unwritable.emplace([newName](LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
                return section && newName == section ? FALSE : ::WritePrivateProfileStringA(section, key, value, file);
            });
        break;
    default:
        break;
    }

    CPrinterSnapshot printers;
    printers.Take();
    CProfileSetApply apply(toolIni, answers);
    const ApplyResult result = apply.Run({{printer}, "Office", newName}, printers);
    ASSERT_EQ(result.printers.size(), 1u);
    const ApplyOutcome outcome = result.printers.front().outcome;
    EXPECT_EQ(result.stop, s.stop == ApplyNotRecorded ? ApplyCompleted : s.stop);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);

    EXPECT_EQ(outcome.stop, s.stop);
    EXPECT_EQ(outcome.rename, s.renameResult);
    EXPECT_EQ(outcome.copies.installed.size(), s.installed);
    ASSERT_EQ(outcome.copies.failed.size(), s.failed);
    ASSERT_EQ(outcome.copies.atRestart.size(), s.atRestart);
    if (s.failed) {
        EXPECT_EQ(outcome.copies.failed[0].target, m_systemDir + "x.kpx");
        EXPECT_EQ(outcome.copies.failed[0].error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    if (s.condition == RenameUndone)
        EXPECT_EQ(spooler->names(), (std::vector<std::string>{"Plotter 2F", kPrinter}));
    else
        EXPECT_EQ(spooler ? spooler->names().size() : 0u, outcome.rename == RenameDone ? 1u : 0u);

    // The set stands under exactly one name, or under none.
    for (const char* name : {kPrinter, "Plotter 2F"}) {
        const std::vector<std::string> section = IniSection(m_driverIni, name);
        const bool expected = s.sectionUnder && std::string(s.sectionUnder) == name;
        EXPECT_EQ(!section.empty() && section[0] == "ColorProfileSetName=Office", expected) << name;
    }
    if (s.stop != ApplyCompleted && s.stop != ApplyNotRecorded) {
        EXPECT_FALSE(FileReadable((m_systemDir + "x.kpx").c_str()));
        EXPECT_FALSE(FileReadable((m_driverDir + "y.kpx").c_str()));
        EXPECT_EQ(ReadFileBytes(m_driverIni), otherRecord);
    }
    EXPECT_EQ(IniSection(m_driverIni, "Plotter 1F"), std::vector<std::string>{"ColorProfileSetName=Keep"});
    if (s.stop == ApplyBadProfileFile || s.stop == ApplyUntrustedSource) {
        EXPECT_EQ(outcome.badKind, ProfileFont);
        EXPECT_EQ(outcome.badFile, m_source.file(font));
        const std::string report = ApplyReportText(result.printers.front().request, outcome);
        EXPECT_NE(report.find(std::string("Font=") + m_source.file(font)), std::string::npos) << report;
    }
    if (s.stop == ApplyUntrustedSource) {
        // Which object lets whom write: the folder is named, the file is the line above.
        EXPECT_EQ(outcome.trust.fault, SourceOthersMayWrite);
        EXPECT_EQ(outcome.trust.folder, s.condition == WritableFolder);
        EXPECT_EQ(outcome.trust.group, WritersEveryone);
        const std::string report = ApplyReportText(result.printers.front().request, outcome);
        const std::string why = s.condition == WritableFolder
                                    ? FormatResString(IDS_TRUST_FOLDER_WRITABLE, {m_source.file("b"), "Everyone"})
                                    : FormatResString(IDS_TRUST_FILE_WRITABLE, {"Everyone"});
        EXPECT_NE(report.find(why), std::string::npos) << report;
    }
    if (s.condition == FileNameClash) {
        EXPECT_EQ(outcome.clashingFile, "x.kpx");
    }
    if (s.condition == ExistingTargetKept) {
        EXPECT_EQ(answers.overwriteQuestions, 1);
        EXPECT_EQ(ReadFileBytes(m_systemDir + "x.kpx"), "old");
    }
    // Asked for each kind that names the missing file (Vividness and Tone
    // share it), until the first answer that gives up.
    if (s.condition == MissingGivenUp) {
        EXPECT_EQ(answers.missing, std::vector<std::string>{m_source.file("a\\y.kpx")});
    }
    if (s.condition == MissingCorrected) {
        EXPECT_EQ(answers.missing, std::vector<std::string>(2, m_source.file("a\\y.kpx")));
    }
    if (s.condition == SystemTargetHeld || s.condition == HeldNoRestart || s.condition == HeldRenameRefused) {
        // A held target is asked about like any other.
        EXPECT_EQ(answers.overwriteQuestions, 1);
        EXPECT_EQ(ReadFileBytes(m_systemDir + "x.kpx"), "in use");
        // The restart replacement's source is the one temporary file left.
        const std::vector<std::string> pending = PendingRenamePaths();
        EXPECT_EQ(IsNamedIn(pending, m_systemDir + "x.kpx"), s.atRestart == 1);
    }
    if (s.condition == SystemTargetHeld) {
        EXPECT_EQ(outcome.copies.atRestart[0], m_systemDir + "x.kpx");
        EXPECT_EQ(ApplyReportText(result.printers.front().request, outcome),
                  LoadResString(IDS_APPLY_AT_RESTART) + "\n\x81\x45" + m_systemDir + "x.kpx");
    }
    if (s.condition == HeldRenameRefused) {
        // The restart's lines follow the report of what failed.
        const std::string report = ApplyReportText(result.printers.front().request, outcome);
        const std::string tail = "\n" + LoadResString(IDS_AT_RESTART_HEAD) + "\n\x81\x45" + m_systemDir + "x.kpx";
        EXPECT_EQ(report.rfind(LoadResString(IDS_APPLY_INCOMPLETE), 0), 0u) << report;
        ASSERT_GT(report.size(), tail.size());
        EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
    }
    if (s.condition == SpoolerRefuses) {
        // Wine's spooler refuses without a reason: the report says so.
        const std::string report = ApplyReportText(result.printers.front().request, outcome);
        EXPECT_NE(report.find(": " + LoadResString(IDS_RENAME_NO_REASON)), std::string::npos) << report;
    }
    if (s.condition == MissingCorrected) {
        EXPECT_EQ(ReadFileBytes(m_systemDir + "y.kpx"), "new b\\y.kpx");
    }
    if (s.condition == NameTaken) {
        EXPECT_EQ(outcome.nameVerdict, NewNameInUse);
    }

    // Every target is told once, as written, left for the restart, failed or
    // kept, in the order of the copies; the end comes last.
    std::vector<std::string> told;
    for (const std::string& step : answers.steps) {
        if (step.rfind("installed ", 0) == 0 || step.rfind("failed ", 0) == 0 || step.rfind("restart ", 0) == 0)
            told.push_back(step.substr(step.find(' ') + 1));
    }
    std::vector<std::string> done = outcome.copies.installed;
    done.insert(done.end(), outcome.copies.atRestart.begin(), outcome.copies.atRestart.end());
    for (const FailedCopy& failed : outcome.copies.failed)
        done.push_back(failed.target);
    std::sort(told.begin(), told.end());
    std::sort(done.begin(), done.end());
    EXPECT_EQ(told, done);
    ASSERT_FALSE(answers.steps.empty());
    EXPECT_EQ(answers.steps.back().rfind("ended ", 0), 0u);
    if (s.condition == ExistingTargetKept) {
        EXPECT_EQ(answers.steps[0], "kept " + m_systemDir + "x.kpx");
    }

    // What the click would tell: nothing exactly when everything was done.
    EXPECT_EQ(ApplyReportText(result.printers.front().request, outcome).empty(),
              (outcome.Complete() && s.atRestart == 0) || s.stop == ApplyDeclined);
}

// Three distinct files (Vividness and Tone share one) give six targets.
const Scenario kScenarios[] = {
    {"plain", Plain, false, ApplyCompleted, RenameNotAsked, 6, 0, kPrinter},
    {"declined", Declined, true, ApplyDeclined, RenameNotAsked, 0, 0, nullptr},
    {"missing source given up", MissingGivenUp, true, ApplySourceGivenUp, RenameNotAsked, 0, 0, nullptr},
    {"missing source corrected", MissingCorrected, false, ApplyCompleted, RenameNotAsked, 6, 0, kPrinter},
    {"two files of one name", FileNameClash, true, ApplyFileNameClash, RenameNotAsked, 0, 0, nullptr},
    {"existing target kept", ExistingTargetKept, false, ApplyCompleted, RenameNotAsked, 5, 0, kPrinter},
    {"system target held", SystemTargetHeld, false, ApplyCompleted, RenameNotAsked, 5, 0, kPrinter, 1},
    {"held target and a refused rename", HeldRenameRefused, true, ApplyCompleted, RenameRefused, 5, 0, kPrinter, 1},
    {"held target and no restart replacement", HeldNoRestart, false, ApplyCompleted, RenameNotAsked, 5, 1, kPrinter},
    {"record fails", RecordFails, true, ApplyNotRecorded, RenameNotAsked, 6, 0, nullptr},
    {"rename refused", SpoolerRefuses, true, ApplyCompleted, RenameRefused, 6, 0, kPrinter},
    {"rename accepted", SpoolerAccepts, true, ApplyCompleted, RenameDone, 6, 0, "Plotter 2F"},
    {"section unreadable", SectionUnreadable, true, ApplyCompleted, RenameSkippedUnreadable, 6, 0, kPrinter},
    {"section not written", SectionNotWritten, true, ApplyCompleted, RenameSkippedUnreadable, 6, 0, kPrinter},
    {"settings file not replaced after the rename", RenameUndone, true, ApplyNotRecorded, RenameNotAsked, 6, 0,
     nullptr},
    {"profile named PLOTA2.INI", SystemFileName, false, ApplyBadProfileFile, RenameNotAsked, 0, 0, nullptr},
    {"profile that is a device", DeviceName, false, ApplyBadProfileFile, RenameNotAsked, 0, 0, nullptr},
    {"source in a folder Everyone may write", WritableFolder, true, ApplyUntrustedSource, RenameNotAsked, 0, 0,
     nullptr},
    {"source file Everyone may write", WritableFile, false, ApplyUntrustedSource, RenameNotAsked, 0, 0, nullptr},
    {"printer name with a blank at its end", BlankEdgedPrinter, false, ApplyUnrecordable, RenameNotAsked, 0, 0,
     nullptr},
    {"new name with a blank at its start", BlankEdgedNewName, true, ApplyNewNameRefused, RenameNotAsked, 0, 0, nullptr},
    {"printer deleted meanwhile", PrinterGone, false, ApplyPrinterGone, RenameNotAsked, 0, 0, nullptr},
    {"printer renamed meanwhile", PrinterRenamed, false, ApplyPrinterGone, RenameNotAsked, 0, 0, nullptr},
    {"new name another printer bears", NameTaken, true, ApplyNewNameRefused, RenameNotAsked, 0, 0, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, ProfileSetApplyTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

} // namespace

namespace {

// A removal, where an apply left Plotter 3F's record and its files: the
// record goes (the driver's own key stays) and the files with it; held
// without sharing, the settings file keeps the record and every file stays
// (7); under Terminal Services the record goes but the files stay, since
// other users' settings files may name them. Without an account of what the
// tool installed, a file goes only where it is byte for byte the set's file
// (as each here is).
TEST_F(ProfileSetApplyTest, RemovalTakesTheRecordAndTheFilesItAloneNames)
{
    const struct {
        const char* what;
        bool terminalServices, held;
        ApplyStop stop;
        std::vector<std::string> lines; // the section afterwards
        bool filesStay;
        const char* step; // told about the printer
        const char* tone; // the file the record names for Tone: a profile file, or a file no apply installs
        // A scanner holds the copy of a file the one-pass edit leaves to the
        // profile functions (a form feed in a comment) whenever it is read.
        bool copyUnreadable = false;
    } cases[] = {
        {"plain", false, false, ApplyCompleted, {"Resolution=600"}, false, "removed Plotter 3F Office", "y.kpx"},
        {"settings file held", false, true, ApplyNotRecorded, {}, true, "ended Plotter 3F 8", "y.kpx"},
        {"terminal services",
         true,
         false,
         ApplyCompleted,
         {"Resolution=600"},
         true,
         "removed Plotter 3F Office",
         "y.kpx"},
        {"a record naming no profile file",
         false,
         false,
         ApplyCompleted,
         {"Resolution=600"},
         false,
         "removed Plotter 3F Office",
         "keep.txt"},
        {"copy unreadable", false, false, ApplyNotRecorded, {}, true, "ended Plotter 3F 8", "y.kpx", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedPlatformFlags flags(false, c.terminalServices);
        const std::string ini = CDriverINI().GetIniPath();
        CreateDirectoryA(DirectoryPart(ini).c_str(), nullptr);
        const std::string record = std::string(c.copyUnreadable ? "; \x0c\r\n" : "") +
                                   "[Plotter 3F]\r\nResolution=600\r\nColorProfileSetName=Office\r\nAuto=x.kpx\r\n"
                                   "Font=x.kpx\r\nTone=" +
                                   std::string(c.tone) + "\r\nVividness=y.kpx\r\n";
        const std::string folder = DirectoryPart(ini) + "\\~kpx";
        std::optional<ScopedApiOverride<&Win32Api::CreateFileA>> scanner;
        if (c.copyUnreadable)
            scanner.emplace([folder](LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD how,
                                     DWORD flags, HANDLE tmpl) -> HANDLE {
                if (!(access & GENERIC_WRITE) &&
                    lstrcmpiA(std::string(name).substr(0, folder.size()).c_str(), folder.c_str()) == 0) {
                    SetLastError(ERROR_SHARING_VIOLATION);
                    return INVALID_HANDLE_VALUE;
                }
                return ::CreateFileA(name, access, share, sa, how, flags, tmpl);
            });
        ASSERT_TRUE(WriteFileBytes(ini, record));
        for (const char* name : {"x.kpx", "y.kpx", "keep.txt"}) {
            for (const std::string& dir : {m_systemDir, m_driverDir})
                ASSERT_TRUE(WriteFileBytes(dir + name, std::string("new a\\") + name));
        }
        HANDLE held = c.held ? CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        ApplyRecorder answers;
        ApplyRequest request;
        request.printers = {kPrinter};
        request.newName = kPrinter;
        request.remove = true;
        CPrinterSnapshot printers;
        printers.Take();
        const ApplyResult result =
            CProfileSetApply(Set("a\\x.kpx", "a\\y.kpx", "a\\y.kpx", "a\\x.kpx"), answers).Run(request, printers);
        if (held)
            CloseHandle(held);
        ASSERT_EQ(result.printers.size(), 1u);
        EXPECT_EQ(result.printers.front().outcome.stop, c.stop);
        if (c.held || c.copyUnreadable) {
            EXPECT_EQ(ReadFileBytes(ini), record);
        } else {
            EXPECT_EQ(IniSection(ini, kPrinter), c.lines);
        }
        for (const char* name : {"x.kpx", "y.kpx", "keep.txt"}) {
            // keep.txt stays, named or not: no apply installs such a file.
            for (const std::string& dir : {m_systemDir, m_driverDir}) {
                EXPECT_EQ(PathExists(dir + name), c.filesStay || std::string(name) == "keep.txt") << dir + name;
                DeleteFileA((dir + name).c_str());
            }
        }
        EXPECT_NE(std::find(answers.steps.begin(), answers.steps.end(), c.step), answers.steps.end());
        EXPECT_EQ(answers.steps.front() == "left for other users", c.terminalServices);
        DeleteFileA(ini.c_str());
    }
}

} // namespace
