#include "support/DialogDriver.h"

#include "support/WindowCaption.h"

#include <algorithm>
#include <utility>

namespace {

const char kDialogClass[] = "#32770";

bool IsDialogWindow(HWND hWnd)
{
    char className[16] = "";
    GetClassNameA(hWnd, className, sizeof(className));
    return lstrcmpA(className, kDialogClass) == 0;
}

std::string TextOf(HWND hWnd)
{
    char text[1024] = "";
    // WM_GETTEXT is sent to the owning thread, which handles it inside its
    // modal loop.
    SendMessageA(hWnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

struct Search {
    const std::string* caption; // null or empty: any visible dialog
    HWND found;
    const std::vector<HWND>* ignored = nullptr; // dialogs that were up before
    const std::function<bool(HWND)>* accepts = nullptr;
};

BOOL CALLBACK FindVisibleDialog(HWND hWnd, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(hWnd) || !IsDialogWindow(hWnd))
        return TRUE;
    if (search->ignored && std::find(search->ignored->begin(), search->ignored->end(), hWnd) != search->ignored->end())
        return TRUE;
    if (search->caption && !search->caption->empty() && CaptionOf(hWnd) != *search->caption)
        return TRUE;
    if (search->accepts && *search->accepts && !(*search->accepts)(hWnd))
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

BOOL CALLBACK CollectVisibleDialogs(HWND hWnd, LPARAM param)
{
    if (IsWindowVisible(hWnd) && IsDialogWindow(hWnd))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hWnd);
    return TRUE;
}

} // namespace

DialogDriver::DialogDriver(std::vector<DialogStep> steps, DWORD stepTimeoutMs)
    : m_steps(std::move(steps)), m_timeoutMs(stepTimeoutMs), m_threadId(GetCurrentThreadId())
{
    // Dialogs already up (a modeless main dialog the test drives) are the
    // test's own, never strays.
    EnumThreadWindows(m_threadId, &CollectVisibleDialogs, reinterpret_cast<LPARAM>(&m_existing));
    m_thread = std::thread([this] { Run(); });
}

DialogDriver::~DialogDriver()
{
    Finish();
}

void DialogDriver::Finish()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

::testing::AssertionResult DialogDriver::FinishAfter(int steps)
{
    Finish();
    if (m_done == steps && m_unexpected == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << m_done << " of " << steps << " steps done, " << m_unexpected
                                         << " dialogs unexpected";
}

HWND DialogDriver::WaitForDialog(const DialogStep& step, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!m_stop && GetTickCount() - start < timeoutMs) {
        Search search{&step.caption, nullptr, &m_existing, &step.accepts};
        EnumThreadWindows(m_threadId, &FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(10);
    }
    return nullptr;
}

void DialogDriver::Run()
{
    for (const DialogStep& step : m_steps) {
        if (step.repeat) {
            RunRepeating(step);
            return;
        }
        HWND dialog = WaitForDialog(step, m_timeoutMs);
        if (!dialog)
            break;
        // Counted before the action: an action that ends the dialog lets the
        // test's thread go on at once, and a test may read Done() then,
        // before this thread would otherwise have counted.
        ++m_done;
        step.action(dialog);
        if (!step.waitForClose)
            continue;
        DWORD start = GetTickCount();
        while (IsWindow(dialog) && IsWindowVisible(dialog) && GetTickCount() - start < m_timeoutMs)
            Sleep(10);
    }
    // Whatever shows up from now on was not expected: close it, so the code
    // under test returns and the test can report the surplus.
    while (!m_stop) {
        CancelStrayDialogs();
        Sleep(10);
    }
}

void DialogDriver::RunRepeating(const DialogStep& step)
{
    while (HWND dialog = WaitForDialog(step, INFINITE)) {
        ++m_done; // before the action, as above
        step.action(dialog);
        DWORD start = GetTickCount();
        while (step.waitForClose && IsWindow(dialog) && IsWindowVisible(dialog) && GetTickCount() - start < m_timeoutMs)
            Sleep(10);
    }
}

void DialogDriver::CancelStrayDialogs()
{
    Search search{nullptr, nullptr, &m_existing};
    EnumThreadWindows(m_threadId, &FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return;
    ++m_unexpected;
    HWND stray = search.found;
    PostMessageA(stray, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(stray, IDCANCEL)));
    DWORD start = GetTickCount();
    while (IsWindow(stray) && IsWindowVisible(stray) && GetTickCount() - start < m_timeoutMs)
        Sleep(10);
}

std::string DialogItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? TextOf(item) : std::string();
}

void ClickButton(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PostClick(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressKey(HWND dialog, UINT vk)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus)
        target = info.hwndFocus;
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}
