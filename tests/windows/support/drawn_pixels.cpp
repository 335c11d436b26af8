#include "tests/windows/support/drawn_pixels.h"

namespace {

template <typename Draw>
std::vector<COLORREF> DrawOnWhite(Draw draw) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  RECT all = {0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  draw(dc);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

std::vector<COLORREF> IconPixels(HICON icon) {
  return DrawOnWhite([icon](HDC dc) { DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); });
}

std::vector<COLORREF> ImageListPixels(HIMAGELIST list, int index) {
  return DrawOnWhite([list, index](HDC dc) { ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL); });
}
