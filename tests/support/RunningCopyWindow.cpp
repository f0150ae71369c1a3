#include "support/RunningCopyWindow.h"

HWND CreateRunningCopyWindow(const std::string& title)
{
    return CreateWindowExA(0, MAKEINTATOM(0x8002), title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}
