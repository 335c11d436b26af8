#include "tests/windows/support/drawn_pixels.h"

std::vector<COLORREF> DrawnPixels(int width, int height, COLORREF background, const std::function<void(HDC)>& draw) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  RECT all = {0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  draw(dc);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

namespace {

std::vector<COLORREF> DrawOnWhite(const std::function<void(HDC)>& draw) {
  return DrawnPixels(16, 16, RGB(255, 255, 255), draw);
}

}  // namespace

std::vector<COLORREF> IconPixels(HICON icon) {
  return DrawOnWhite([icon](HDC dc) { DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); });
}

std::vector<COLORREF> ImageListPixels(HIMAGELIST list, int index) {
  return DrawOnWhite([list, index](HDC dc) { ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL); });
}

std::vector<COLORREF> ResourceIconPixels(HMODULE module, int resource, UINT flags) {
  HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(resource), IMAGE_ICON, 16, 16, flags));
  std::vector<COLORREF> pixels = IconPixels(icon);
  DestroyIcon(icon);
  return pixels;
}
