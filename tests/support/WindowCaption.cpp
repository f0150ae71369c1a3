#include "support/WindowCaption.h"

std::string CaptionOf(HWND window)
{
    wchar_t wide[512] = L"";
    int n = InternalGetWindowText(window, wide, 512);
    if (n <= 0)
        return std::string();
    char text[1024] = "";
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, n, text, sizeof(text), nullptr, nullptr);
    return std::string(text, bytes > 0 ? bytes : 0);
}
