#include "support/PictureSizes.h"

std::vector<int> PictureSizes(HWND picture)
{
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bm = {};
    if (!shown || !GetObjectA(shown, sizeof(bm), &bm))
        return {};
    RECT rc = {};
    GetClientRect(picture, &rc);
    return {bm.bmWidth, bm.bmHeight, rc.right - rc.left, rc.bottom - rc.top};
}
