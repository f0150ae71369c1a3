#include "support/MainDialogCloser.h"

#include "res/resource.h"
#include "support/ToolProcess.h"

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
        // The main dialog of this process: a dialog with the printer list.
        HWND found = FindTopLevelWindow([this](HWND window) {
            return WindowProcessId(window) == GetCurrentProcessId() && WindowClassName(window) == "#32770" &&
                   WindowText(window) == m_caption && GetDlgItem(window, IDC_PRINTER_LIST);
        });
        if (found && found != handled) {
            {
                std::lock_guard<std::mutex> guard(m_lock);
                if (m_onShown)
                    m_onShown(found);
            }
            PostMessageA(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(found, IDOK)));
            handled = found;
            ++m_closed;
        }
        Sleep(20);
    }
}
