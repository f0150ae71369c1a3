// The apply benchmark's program: the file work of one apply with a rename
// and a large PLOTA2.INI, the record and the move made the way of the last
// round ("before": the profile functions on a copy of the file, the way
// still taken for a file the text edit leaves to them) and the way the apply
// makes them now ("after": the file's text read once, edited, written once).
// The profile copies are the same both ways; one plain copy of PLOTA2.INI,
// flushed, is timed in each round as the least a whole replacement costs.
// The printer's spooler work is left out.
//
//   kpx_bench_apply.exe SECTIONS ROUNDS PROFILE_MB
//
// Prints one line per round and way, then min and median in milliseconds,
// for the whole and for each part (profile copies, PLOTA2.INI).
#include "classlib/PathParts.h"
#include "operation/ProfileCopy.h"
#include "settings/DriverINI.h"
#include "settings/DriverIniChange.h"
#include "settings/IniTextEdit.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kPrinter[] = "Plotter 3F";
const char kNewName[] = "Plotter 3F East";

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Setup {
    std::string ini, iniBytes;
    std::vector<std::string> sources, targets;
};

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// The parts of the file work, in milliseconds, and one plain copy of
// PLOTA2.INI made in the same round (copied and flushed: the least any
// whole replacement of it costs).
struct Parts {
    double copies = 0, ini = 0, plainCopy = 0;
    double Total() const { return copies + ini; }
};

double PlainCopy(const Setup& s)
{
    const std::string copy = s.ini + ".plain";
    LARGE_INTEGER t0 = Now();
    CopyFileA(s.ini.c_str(), copy.c_str(), FALSE);
    HANDLE file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    LARGE_INTEGER t1 = Now();
    DeleteFileA(copy.c_str());
    return Milliseconds(t0, t1);
}

// The profile copies as the apply makes them.
double Copies(const Setup& s)
{
    LARGE_INTEGER t0 = Now();
    for (size_t i = 0; i < s.targets.size(); ++i) {
        DWORD error = 0;
        CopyProfileFile(s.sources[i / 2], s.targets[i], error);
    }
    return Milliseconds(t0, Now());
}

// The apply's order of the set's files: auto, font, tone, vividness.
void SetFiles(const Setup& s, std::string files[4])
{
    files[0] = s.sources[0];
    files[1] = s.sources[3];
    files[2] = s.sources[2];
    files[3] = s.sources[1];
}

// The record and the move planned for the one writer (the way the apply
// writes).
double WriteRecordAndMove(const std::string files[4])
{
    LARGE_INTEGER t1 = Now();
    DWORD error = 0;
    CDriverIniWrite write;
    if (write.Prepare(
            [&](IIniValues&, std::vector<IniSectionChange>& changes) {
                changes = {{kPrinter, std::string(), RecordEntries("Office", files)}, {kPrinter, kNewName, {}}};
                return true;
            },
            error))
        write.Commit(error);
    return Milliseconds(t1, Now());
}

// Through the profile functions, key by key on a copy of the file: the way
// for a file the text edit leaves to them (here: a form feed in a comment at
// its start).
Parts Before(const Setup& s)
{
    Parts parts;
    parts.plainCopy = PlainCopy(s);
    parts.copies = Copies(s);
    std::string files[4];
    SetFiles(s, files);
    WriteBytes(s.ini, "; \x0c\r\n" + s.iniBytes);
    parts.ini = WriteRecordAndMove(files);
    return parts;
}

// The same work on a file the text edit reads as the profile functions do:
// the text read once, the record and the move made on it, written once.
Parts After(const Setup& s)
{
    Parts parts;
    parts.plainCopy = PlainCopy(s);
    parts.copies = Copies(s);
    std::string files[4];
    SetFiles(s, files);
    parts.ini = WriteRecordAndMove(files);
    return parts;
}

void Report(const char* way, const std::vector<Parts>& rounds)
{
    const auto column = [&](double Parts::*part) {
        std::vector<double> times;
        for (const Parts& p : rounds)
            times.push_back(p.*part);
        std::sort(times.begin(), times.end());
        return std::make_pair(times.front(), times[times.size() / 2]);
    };
    std::vector<double> totals;
    for (const Parts& p : rounds)
        totals.push_back(p.Total());
    std::sort(totals.begin(), totals.end());
    const auto copies = column(&Parts::copies), ini = column(&Parts::ini), plain = column(&Parts::plainCopy);
    std::printf("%-6s min / median ms: total %7.1f / %7.1f   copies %7.1f / %7.1f   PLOTA2.INI %7.1f / %7.1f"
                "   (one plain copy of it %5.1f / %5.1f; PLOTA2.INI / plain copy %4.2f)\n",
                way, totals.front(), totals[totals.size() / 2], copies.first, copies.second, ini.first, ini.second,
                plain.first, plain.second, ini.second / plain.second);
}

} // namespace

int main(int argc, char** argv)
{
    const int sections = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const int megabytes = argc > 3 ? std::atoi(argv[3]) : 4;

    Setup s;
    s.ini = CDriverINI().GetIniPath();
    for (int i = 0; i < sections; ++i) {
        char section[160];
        std::snprintf(section, sizeof section,
                      "[Printer %05d]\r\nColorProfileSetName=Set %d\r\nAuto=a%d.kpx\r\nFont=f.kpx\r\nTone=t.kpx\r\n", i,
                      i % 7, i % 13);
        s.iniBytes += section;
        if (i == sections / 2)
            s.iniBytes += "[Plotter 3F]\r\nResolution=600\r\nColorProfileSetName=Home\r\n";
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "kpxapplybench";
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "\\system").c_str(), nullptr);
    CreateDirectoryA((dir + "\\driver").c_str(), nullptr);
    const std::string profile(static_cast<size_t>(megabytes) << 20, 'p');
    for (const char* name : {"auto.kpx", "font.kpx", "tone.kpx", "vivid.kpx"}) {
        s.sources.push_back(dir + "\\" + name);
        WriteBytes(s.sources.back(), profile);
        s.targets.push_back(dir + "\\system\\" + name);
        s.targets.push_back(dir + "\\driver\\" + name);
    }
    std::printf("PLOTA2.INI: %d sections, %u bytes; 4 profile files of %d MB, 8 targets\n", sections,
                static_cast<unsigned>(s.iniBytes.size()), megabytes);

    std::vector<Parts> before, after;
    for (int round = 0; round < rounds; ++round) {
        // Alternating which way goes first evens out the disk cache.
        for (int way = 0; way < 2; ++way) {
            const bool old = (way + round) % 2 == 0;
            WriteBytes(s.ini, s.iniBytes);
            for (const std::string& target : s.targets)
                WriteBytes(target, "old");
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, s.ini.c_str());
            const Parts parts = old ? Before(s) : After(s);
            (old ? before : after).push_back(parts);
            std::printf("round %d %-6s total %7.1f ms (copies %7.1f, PLOTA2.INI %7.1f, plain copy %5.1f)\n", round + 1,
                        old ? "before" : "after", parts.Total(), parts.copies, parts.ini, parts.plainCopy);
        }
    }
    Report("before", before);
    Report("after", after);
    DeleteFileA(s.ini.c_str());
    for (const std::string& path : s.targets)
        DeleteFileA(path.c_str());
    for (const std::string& path : s.sources)
        DeleteFileA(path.c_str());
    RemoveDirectoryA((dir + "\\system").c_str());
    RemoveDirectoryA((dir + "\\driver").c_str());
    RemoveDirectoryA(dir.c_str());
    return 0;
}
