// What a drawing leaves on a bitmap, pixel by pixel: to tell which icon a
// control or an image list holds, or what a routine paints.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

// What draw paints on a width x height area filled with background first,
// pixel by pixel, row after row.
std::vector<COLORREF> DrawnPixels(int width, int height, COLORREF background, const std::function<void(HDC)>& draw);

std::vector<COLORREF> IconPixels(HICON icon);
// The pixels of an icon resource of module, loaded 16x16 with flags.
std::vector<COLORREF> ResourceIconPixels(HMODULE module, int resource, UINT flags);
std::vector<COLORREF> ImageListPixels(HIMAGELIST list, int index);
