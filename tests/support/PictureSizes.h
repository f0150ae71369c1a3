// What a picture static shows, as the user sees it: the bitmap's size and the
// size the static took on for it.
#pragma once

#include <windows.h>

#include <vector>

// {bitmap width, bitmap height, client width, client height} of a picture
// static; empty when it shows no bitmap.
std::vector<int> PictureSizes(HWND picture);
