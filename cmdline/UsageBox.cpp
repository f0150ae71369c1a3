#include "cmdline/UsageBox.h"

#include "classlib/WinApp.h"

namespace {

// The message box is a dialog of this thread: the timer's message reaches
// this thread's message loop, which is the box's own modal loop then.
BOOL CALLBACK CloseMessageBox(HWND window, LPARAM)
{
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (::lstrcmpA(className, "#32770") == 0 && ::IsWindowVisible(window))
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return TRUE;
}

void CALLBACK OnTimeout(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &CloseMessageBox, 0);
}

// A thread timer that lives as long as the object; SetTimer and a timer
// procedure are there since Windows 95 and NT 3.1 (MessageBoxTimeout is
// neither documented nor there before XP).
class CThreadTimer {
public:
    explicit CThreadTimer(DWORD ms) : m_id(::SetTimer(nullptr, 0, ms, &OnTimeout)) {}
    ~CThreadTimer()
    {
        if (m_id)
            ::KillTimer(nullptr, m_id);
    }
    CThreadTimer(const CThreadTimer&) = delete;
    CThreadTimer& operator=(const CThreadTimer&) = delete;

private:
    UINT_PTR m_id;
};

} // namespace

int SelfClosingMessageBox(const std::string& text, UINT type, DWORD closeAfterMs)
{
    CThreadTimer timer(closeAfterMs);
    return AfxMessageBox(text.c_str(), type);
}
