#include "support/MainDialogCloser.h"

#include "res/resource.h"

namespace {

struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchMainDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof(cls));
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpA(cls, "#32770") == 0 &&
        *search->caption == title && GetDlgItem(window, IDC_PRINTER_LIST)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

MainDialogCloser::MainDialogCloser(const std::string& caption, std::function<void(HWND)> onShown)
    : m_caption(caption), m_onShown(std::move(onShown)), m_thread([this] { Watch(); })
{
}

MainDialogCloser::~MainDialogCloser()
{
    m_stop = true;
    m_thread.join();
}

void MainDialogCloser::onShown(std::function<void(HWND)> callback)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_onShown = std::move(callback);
}

void MainDialogCloser::Watch()
{
    HWND handled = nullptr;
    while (!m_stop) {
        Search search{&m_caption, nullptr};
        EnumWindows(MatchMainDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found && search.found != handled) {
            {
                std::lock_guard<std::mutex> guard(m_lock);
                if (m_onShown)
                    m_onShown(search.found);
            }
            PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(search.found, IDOK)));
            handled = search.found;
            ++m_closed;
        }
        Sleep(20);
    }
}
