// An apply ended at any instant. Every file-system write of an apply with a
// rename is a step; for every k the apply is abandoned just before its k-th
// step, with no clean-up of its own (as a killed process would be), and what
// it leaves is checked: PLOTA2.INI outside the printer's section as it was,
// the printer's section the old or the new one whole under one name, each
// target the old or the new file whole. A second run of the same request
// then leaves everything as an uninterrupted run does, and no temporary file.
// The spooler's side of the rename is faked for all runs (Wine refuses it).
#include "operation/ProfileSetApply.h"
#include "printers/PrinterSnapshot.h"
#include "settings/DriverINI.h"
#include "support/AcceptedRenames.h"
#include "support/ApiOverride.h"
#include "support/ApplyRecorder.h"
#include "support/IniSection.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
const char kOld[] = "Plotter 3F";
const char kNew[] = "Plotter 2F";
const char* const kNames[] = {"x.kpx", "y.kpx", "z.kpx"};

struct Abandoned {};

// One seam entry that calls step() before it does what it did before.
template <auto Entry>
class Stepped;
template <class R, class... Args, R (WINAPI* Win32Api::*Entry)(Args...)>
class Stepped<Entry> {
public:
    explicit Stepped(std::function<void(Args...)> step)
        : m_over([this, step](Args... args) {
              step(args...);
              return m_over.saved()(args...);
          })
    {
    }

private:
    ScopedApiOverride<Entry> m_over;
};

// Counts the file-system writes through the seam and abandons the apply at
// the chosen one (0: never).
class WriteSteps {
public:
    int count = 0;
    int abandonAt = 0;

private:
    void Step()
    {
        if (++count == abandonAt)
            throw Abandoned();
    }
    template <class... Args>
    std::function<void(Args...)> Each()
    {
        return [this](Args...) { Step(); };
    }

    Stepped<&Win32Api::CreateFileA> m_create{
        [this](LPCSTR, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation, DWORD, HANDLE) {
            if ((access & GENERIC_WRITE) || creation != OPEN_EXISTING)
                Step();
        }};
    Stepped<&Win32Api::DeleteFileA> m_delete{Each<LPCSTR>()};
    Stepped<&Win32Api::MoveFileA> m_move{Each<LPCSTR, LPCSTR>()};
    Stepped<&Win32Api::MoveFileExA> m_moveEx{Each<LPCSTR, LPCSTR, DWORD>()};
    Stepped<&Win32Api::FlushFileBuffers> m_flush{Each<HANDLE>()};
    Stepped<&Win32Api::SetFileAttributesA> m_attributes{Each<LPCSTR, DWORD>()};
    Stepped<&Win32Api::WritePrivateProfileStringA> m_string{Each<LPCSTR, LPCSTR, LPCSTR, LPCSTR>()};
    Stepped<&Win32Api::WritePrivateProfileSectionA> m_section{Each<LPCSTR, LPCSTR, LPCSTR>()};
    // The rename is no file write, but a step that lasts across the runs.
    AcceptedRenames m_spooler;
};

// The temporary-file pattern's files in a folder.
Lines Temps(const std::string& folder)
{
    Lines names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "~kpx*.tmp").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(folder + data.cFileName);
    while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

class ApplyInterruption : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        m_ini = CDriverINI().GetIniPath();
        m_systemDir = SystemDirectory() + "\\";
        m_driverDir = m_systemDir + "spool\\drivers\\w32x86\\3\\";
        m_printer.emplace(kOld, kDriver);
        ASSERT_TRUE(m_printer->added());
        std::string tool = "[Office]\r\n";
        const char* keys[] = {"Auto", "Vividness", "Tone", "Font"};
        const char* files[] = {"x.kpx", "y.kpx", "y.kpx", "z.kpx"};
        for (int i = 0; i < 4; ++i) {
            tool += std::string(keys[i]) + "=" + m_source.file(files[i]) + "\r\n";
            WriteFileBytes(m_source.file(files[i]), std::string("new ") + files[i]);
        }
        ASSERT_TRUE(WriteFileBytes(m_source.file("KPXSETUP.INI"), tool));
        m_toolIni.emplace(m_source.file("KPXSETUP.INI"), m_source.path());
    }
    void TearDown() override
    {
        Restore();
        DeleteFileA(m_ini.c_str());
        for (const std::string& dir : {m_systemDir, m_driverDir}) {
            for (const char* name : kNames)
                DeleteFileA((dir + name).c_str());
            for (const std::string& temp : Temps(dir))
                DeleteFileA(temp.c_str());
        }
        m_printer.reset();
        DeleteAllPrinters();
    }

    // The state before the apply: old targets, the printer's record of set
    // Home with a key of the driver's own, other printers' records around it.
    void Restore()
    {
        DeleteFileA((m_systemDir + "KPXSETUP.LST").c_str());
        for (const std::string& dir : {m_systemDir, m_driverDir}) {
            for (const char* name : kNames) {
                WriteFileBytes(dir + name, std::string("old ") + name);
                DeleteFileA((dir + name + ".~kpxkept").c_str());
            }
            for (const std::string& temp : Temps(dir))
                DeleteFileA(temp.c_str());
        }
        WriteFileBytes(m_ini, "[Plotter 1F]\r\nColorProfileSetName=Keep\r\n"
                              "[Plotter 3F]\r\nResolution=600\r\nColorProfileSetName=Home\r\nAuto=h.kpx\r\n"
                              "[Plotter 4F]\r\n; driver's note\r\nColorProfileSetName=Art\r\nFont=a.kpx\r\n");
    }

    ApplyOutcome Run(WriteSteps& steps, int abandonAt)
    {
        steps.abandonAt = abandonAt;
        ApplyRecorder answers;
        CProfileSetApply apply(*m_toolIni, answers);
        CPrinterSnapshot printers;
        printers.Take();
        return apply.Run({{kOld}, "Office", kNew}, printers).printers.at(0).outcome;
    }

    // PLOTA2.INI without the printer's sections, as the profile writer
    // leaves it (it normalises any file it writes).
    std::string Outside(const std::string& bytes)
    {
        const std::string scratch = m_scratch.file("outside" + std::to_string(++m_scratches) + ".ini");
        WriteFileBytes(scratch, bytes);
        for (const char* name : {kOld, kNew})
            WritePrivateProfileStringA(name, nullptr, nullptr, scratch.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, scratch.c_str());
        return ReadFileBytes(scratch);
    }

    std::string m_ini, m_systemDir, m_driverDir;
    std::optional<TestPrinter> m_printer;
    TempDir m_source{"interrupt"};
    TempDir m_scratch{"scratch"};
    int m_scratches = 0;
    std::optional<CKPXSetupINI> m_toolIni;
    ScopedOsVersion m_version{Os7};
    ScopedPlatformFlags m_flags{false, false};
};

TEST_F(ApplyInterruption, AtEveryWriteStepTheFilesAreOldOrNewWholeAndASecondRunCompletesIt)
{
    WriteSteps steps;
    Restore();
    const std::string before = ReadFileBytes(m_ini);
    const Lines oldSection = IniSection(m_ini, kOld);
    ASSERT_TRUE(Run(steps, 0).Complete());
    const int total = steps.count;
    const std::string done = ReadFileBytes(m_ini);
    const Lines newSection = IniSection(m_ini, kNew);
    ASSERT_EQ(newSection.size(), 6u);
    ASSERT_TRUE(IniSection(m_ini, kOld).empty());
    const std::string outside = Outside(before);
    ASSERT_GT(total, 20);

    for (int k = 1; k <= total; ++k) {
        SCOPED_TRACE("abandoned at write step " + std::to_string(k) + " of " + std::to_string(total));
        Restore();
        steps.count = 0;
        EXPECT_THROW(Run(steps, k), Abandoned);

        EXPECT_EQ(Outside(ReadFileBytes(m_ini)), outside);
        const Lines underOld = IniSection(m_ini, kOld), underNew = IniSection(m_ini, kNew);
        const bool oldWhole = underOld == oldSection && underNew.empty();
        const bool newUnderOld = underOld == newSection && underNew.empty();
        const bool newUnderNew = underOld.empty() && underNew == newSection;
        EXPECT_TRUE(oldWhole || newUnderOld || newUnderNew);
        for (const std::string& dir : {m_systemDir, m_driverDir}) {
            for (const char* name : kNames) {
                const std::string content = ReadFileBytes(dir + name);
                EXPECT_TRUE(content == std::string("old ") + name || content == std::string("new ") + name)
                    << dir << name << ": " << content;
            }
        }

        steps.count = 0;
        const ApplyOutcome second = Run(steps, 0);
        EXPECT_TRUE(second.Complete());
        EXPECT_EQ(ReadFileBytes(m_ini), done);
        // The files the apply replaced are kept aside whole, for a removal
        // to put back.
        for (const std::string& dir : {m_systemDir, m_driverDir}) {
            for (const char* name : kNames) {
                EXPECT_EQ(ReadFileBytes(dir + name), std::string("new ") + name);
                EXPECT_EQ(ReadFileBytes(dir + name + ".~kpxkept"), std::string("old ") + name);
            }
            EXPECT_EQ(Temps(dir), Lines());
        }
    }
}

} // namespace
