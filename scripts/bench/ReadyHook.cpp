// The benchmark build of the tool (kpx_bench_tool) is KPXSETUP.EXE's own
// sources plus this file; the shipped program has none of it. It ends the
// program as soon as the main dialog is ready: shown, every message posted
// before it handled, and painted. It exits with code 77 then; a message box
// instead of the dialog (a start-up check that stopped) ends it with code 3
// and the box's text in the report.
//
//   KPX_BENCH_REPORT=file  appends "tool rows=N peak_ws=B peak_commit=B" at
//                          the ready dialog, and the sort figures below
//   KPX_BENCH_SORT=R       before ending, R times for each column: one read
//                          of the column's texts as the program reads them
//                          (CListCtrl::GetItemText), then the sort a click on
//                          that column's header runs (LVN_COLUMNCLICK to the
//                          dialog), then the repaint of the list it causes
//
// A thread-local CBT hook sees the dialog activated, replaces its window
// procedure and posts it a message; the message comes back once the modal
// loop runs.
#include "classlib/Handle.h"
#include "classlib/ListCtrl.h"
#include "res/resource.h"
#include "scripts/bench/MemoryReport.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const UINT kReadyMessage = WM_APP + 0x5EB;
const int kReadyExitCode = 77;
const int kStoppedExitCode = 3;

struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { UnhookWindowsHookEx(h); }
};

CScopedHandle<HookTraits> g_hook;
WNDPROC g_dialogProc = nullptr;
int g_reposts = 0;

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const std::string& line)
{
    const char* path = getenv("KPX_BENCH_REPORT");
    if (!path)
        return;
    if (FILE* f = fopen(path, "a")) {
        fprintf(f, "%s\n", line.c_str());
        fclose(f);
    }
}

std::string MinMedian(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    char text[64];
    snprintf(text, sizeof text, "%.3f/%.3f", values.front(), values[values.size() / 2]);
    return text;
}

void MeasureSorts(HWND dialog, int rounds)
{
    HWND list = GetDlgItem(dialog, IDC_PRINTER_LIST);
    // The dialog's own wrapper of its list, so the texts are read as the
    // program reads them.
    const CListCtrl* listCtrl = static_cast<const CListCtrl*>(CWnd::FromHandlePermanent(list));
    if (!listCtrl)
        return;
    const int rows = listCtrl->GetItemCount();
    for (int column = 0; column < 3; ++column) {
        std::vector<double> read, sort, repaint;
        size_t bytes = 0;
        for (int r = 0; r < rounds; ++r) {
            double t0 = NowMs();
            std::vector<std::string> texts;
            texts.reserve(static_cast<size_t>(rows));
            for (int row = 0; row < rows; ++row)
                texts.push_back(listCtrl->GetItemText(row, column));
            double t1 = NowMs();
            bytes += texts.size();

            NMLISTVIEW click = {};
            click.hdr.hwndFrom = list;
            click.hdr.idFrom = IDC_PRINTER_LIST;
            click.hdr.code = LVN_COLUMNCLICK;
            click.iItem = -1;
            click.iSubItem = column;
            double t2 = NowMs();
            SendMessageA(dialog, WM_NOTIFY, IDC_PRINTER_LIST, reinterpret_cast<LPARAM>(&click));
            double t3 = NowMs();
            RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            double t4 = NowMs();
            read.push_back(t1 - t0);
            sort.push_back(t3 - t2);
            repaint.push_back(t4 - t3);
        }
        char line[256];
        snprintf(line, sizeof line, "sort column=%d rows=%d read_ms=%s sort_ms=%s repaint_ms=%s", column, rows,
                 MinMedian(read).c_str(), MinMedian(sort).c_str(), MinMedian(repaint).c_str());
        Report(line);
    }
}

void Ready(HWND dialog)
{
    if (getenv("KPX_BENCH_REPORT")) {
        const BenchMemory memory = ReadBenchMemory();
        const LRESULT rows = SendMessageA(GetDlgItem(dialog, IDC_PRINTER_LIST), LVM_GETITEMCOUNT, 0, 0);
        char line[160];
        snprintf(line, sizeof line, "tool rows=%ld peak_ws=%llu peak_commit=%llu", static_cast<long>(rows),
                 memory.peakWorkingSet, memory.peakCommitted);
        Report(line);
        if (const char* sortRounds = getenv("KPX_BENCH_SORT"))
            MeasureSorts(dialog, std::max(1, atoi(sortRounds)));
    }
    ExitProcess(kReadyExitCode);
}

LRESULT CALLBACK ReadyDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kReadyMessage) {
        // Whatever start-up posted before runs first: back to the queue's end.
        if (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) && ++g_reposts < 1000) {
            PostMessageA(hWnd, kReadyMessage, 0, 0);
            return 0;
        }
        // Every pending paint of the dialog and its controls, now.
        RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        Ready(hWnd);
    }
    return CallWindowProcA(g_dialogProc, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (strcmp(className, "#32770") == 0) {
            if (GetDlgItem(window, IDC_PRINTER_LIST)) {
                if (!g_dialogProc) {
                    g_dialogProc = reinterpret_cast<WNDPROC>(
                        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReadyDialogProc)));
                    PostMessageA(window, kReadyMessage, 0, 0);
                }
            } else {
                // A message box (its text is the static control 0xFFFF).
                char text[512] = {};
                GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
                Report(std::string("tool stopped: ") + text);
                ExitProcess(kStoppedExitCode);
            }
        }
    }
    return CallNextHookEx(g_hook.Get(), code, wParam, lParam);
}

// Installed before WinMain runs, on the thread that will run the dialog.
struct InstallHook {
    InstallHook() { g_hook.Reset(SetWindowsHookExA(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId())); }
} g_installHook;

} // namespace
