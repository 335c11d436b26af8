// What a 16x16 picture shows once drawn on white, pixel by pixel: to tell
// which icon a control or an image list holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

std::vector<COLORREF> IconPixels(HICON icon);
std::vector<COLORREF> ImageListPixels(HIMAGELIST list, int index);
