#include "support/ToolProcess.h"

#include "support/WindowCaption.h"

#include <cstdlib>
#include <vector>

std::string BuiltToolPath()
{
    const char* unixPath = getenv("KPX_EXE");
    if (!unixPath || !*unixPath)
        return {};
    // Wine maps the Unix root to drive Z:.
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string BuiltHelpFilePath()
{
    std::string exe = BuiltToolPath();
    size_t dot = exe.find_last_of('.');
    return dot == std::string::npos ? std::string() : exe.substr(0, dot) + ".chm";
}

ToolProcess::~ToolProcess()
{
    if (m_info.hProcess) {
        if (Running()) {
            TerminateProcess(m_info.hProcess, 99);
            WaitForSingleObject(m_info.hProcess, 5000);
        }
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
}

bool ToolProcess::Start(const std::string& path)
{
    std::string dir = path.substr(0, path.find_last_of('\\'));
    std::vector<char> command(path.begin(), path.end());
    command.insert(command.begin(), '"');
    command.push_back('"');
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                          &m_info) != FALSE;
}

bool ToolProcess::Start(const std::string& path, const std::string& arguments, HANDLE output)
{
    std::string dir = path.substr(0, path.find_last_of('\\'));
    std::string line = '"' + path + "\" " + arguments;
    std::vector<char> command(line.begin(), line.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    return CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, output != nullptr, 0, nullptr, dir.c_str(),
                          &startup, &m_info) != FALSE;
}

bool ToolProcess::WaitForExit(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return !Running();
        DWORD r = MsgWaitForMultipleObjects(1, &m_info.hProcess, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            return true;
        PumpMessages(0);
    }
}

bool ToolProcess::Running() const
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ToolProcess::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}


HWND ToolProcess::WaitForWindow(const char* className, DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    do {
        HWND found = FindTopLevelWindow([&](HWND window) {
            return WindowProcessId(window) == m_info.dwProcessId &&
                   lstrcmpiA(WindowClassName(window).c_str(), className) == 0;
        });
        if (found)
            return found;
        PumpMessages(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string WindowText(HWND window)
{
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ControlText(HWND control)
{
    std::string text(static_cast<size_t>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(
        static_cast<size_t>(SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

std::string MessageBoxText(HWND box)
{
    // The message box's text is the static with id 0xFFFF.
    return WindowText(GetDlgItem(box, 0xFFFF));
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms)
            Sleep(10);
    } while (GetTickCount() - start < ms);
}

std::vector<HWND> ToolProcess::VisibleWindows() const
{
    return VisibleTopLevelWindows([this](HWND window) { return WindowProcessId(window) == m_info.dwProcessId; });
}

namespace {

const int kMessageStaticId = 0xFFFF;

HWND WaitForProcessDialog(const ToolProcess& tool, const std::string& caption, bool messageBoxOnly, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        for (HWND window : tool.VisibleWindows()) {
            char cls[16] = {};
            GetClassNameA(window, cls, sizeof(cls));
            if (lstrcmpA(cls, "#32770") == 0 && CaptionOf(window) == caption &&
                (!messageBoxOnly || GetDlgItem(window, kMessageStaticId)))
                return window;
        }
        // A process that has ended shows nothing more.
        if (!tool.Running())
            return nullptr;
        PumpMessages(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

} // namespace

HWND ToolProcess::WaitForDialog(const std::string& caption, DWORD timeoutMs) const
{
    return WaitForProcessDialog(*this, caption, false, timeoutMs);
}

HWND ToolProcess::WaitForMessageBox(const std::string& caption, DWORD timeoutMs) const
{
    return WaitForProcessDialog(*this, caption, true, timeoutMs);
}


HWND ToolProcess::WaitForOtherProgramsDialog(DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    do {
        HWND found = FindTopLevelWindow([this](HWND window) {
            DWORD pid = WindowProcessId(window);
            return pid != m_info.dwProcessId && pid != GetCurrentProcessId() && WindowClassName(window) == "#32770";
        });
        if (found)
            return found;
        PumpMessages(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        PumpMessages(20);
    }
    return true;
}

bool WaitForWindowToClose(HWND window, DWORD timeoutMs)
{
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::string DescribeWindows(const std::vector<HWND>& windows)
{
    std::string text;
    for (HWND window : windows) {
        char cls[64] = {};
        GetClassNameA(window, cls, sizeof(cls));
        std::string caption = CaptionOf(window);
        // The caption arrives in the system code page; show it readably.
        wchar_t wide[512] = L"";
        int n = MultiByteToWideChar(CP_ACP, 0, caption.c_str(), -1, wide, 512);
        char utf8[1024] = "";
        if (n > 0)
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), nullptr, nullptr);
        text += std::string(utf8) + " [" + cls + "]\n";
    }
    return text;
}

namespace {

struct TopLevelSearch {
    const std::function<bool(HWND)>* match;
    std::vector<HWND> found;
    bool firstOnly;
};

BOOL CALLBACK CollectMatchingWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (!IsWindowVisible(window) || !(*search->match)(window))
        return TRUE;
    search->found.push_back(window);
    return search->firstOnly ? FALSE : TRUE;
}

} // namespace

std::vector<HWND> VisibleTopLevelWindows(const std::function<bool(HWND)>& match)
{
    TopLevelSearch search{&match, {}, false};
    EnumWindows(CollectMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWindow(const std::function<bool(HWND)>& match)
{
    TopLevelSearch search{&match, {}, true};
    EnumWindows(CollectMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

DWORD WindowProcessId(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::string WindowClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}
