#include "support/ClipboardText.h"

#include <cstring>

bool PutClipboardText(HWND owner, const std::string& bytes)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    bool ok = false;
    if (block) {
        memcpy(GlobalLock(block), bytes.c_str(), bytes.size() + 1);
        GlobalUnlock(block);
        // The clipboard owns the block once it has taken it.
        ok = SetClipboardData(CF_TEXT, block) != nullptr;
        if (!ok)
            GlobalFree(block);
    }
    CloseClipboard();
    return ok;
}
