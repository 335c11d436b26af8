// How the stand-in host (and a test) looks at the add-in's windows from
// outside: the lookup window's controls, their texts, typing and clicking,
// letting the message loop run, and a screenshot of the windows on screen.
#include <windows.h>

#include <vector>

#include "stand_in_host/stand_in_host.h"

namespace standin {

namespace {

struct WindowList {
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<WindowList*>(list)->windows.push_back(window);
  return TRUE;
}

// A bottom-up 24-bit .bmp of width x height pixels.
bool WriteBitmap(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD rowSize = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = rowSize * static_cast<DWORD>(height);
  std::vector<char> pixels(header.biSizeImage);
  GetDIBits(dc, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &header, sizeof header, &written, nullptr);
  WriteFile(out, pixels.data(), header.biSizeImage, &written, nullptr);
  CloseHandle(out);
  return written == header.biSizeImage;
}

}  // namespace

bool FindLookupView(LookupView* view) {
  *view = LookupView{};
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "ORVARA_Main", nullptr)) != nullptr) {
    if (GetWindow(window, GW_OWNER) == g_host.mainWindow) break;
  }
  if (window == nullptr) return false;
  // The controls in the order the window creates them: label, input box, four
  // icons, then label and field for Type, Title, Tool and Description.
  HWND controls[14] = {};
  HWND child = GetWindow(window, GW_CHILD);
  for (int i = 0; i < 14 && child != nullptr; ++i, child = GetWindow(child, GW_HWNDNEXT)) controls[i] = child;
  view->window = window;
  view->inputBox = controls[1];
  view->toggleIcon = controls[2];
  view->noteIcon = controls[3];
  view->noteBrowserIcon = controls[4];
  view->errorBrowserIcon = controls[5];
  view->typeField = controls[7];
  view->titleField = controls[9];
  view->toolField = controls[11];
  view->descriptionBox = controls[13];
  return view->descriptionBox != nullptr;
}

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(lstrlenA(text.c_str()));
  return text;
}

void PumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;  // the caller decides when to stop
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
}

void TypeText(const char* text) {
  for (const char* c = text; *c != 0; ++c) {
    SendMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(*c), 1);
  }
}

void EnterNumber(HWND inputBox, const char* number) {
  SendMessageA(inputBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  for (const char* c = number; *c != 0; ++c) SendMessageA(inputBox, WM_CHAR, static_cast<unsigned char>(*c), 1);
  SendMessageA(inputBox, WM_CHAR, 13, 1);
}

bool ClickControl(HWND control) {
  // The system gives a click only to a window the user can reach: shown,
  // enabled, in an enabled window, and the one on top at the point clicked.
  RECT r;
  GetWindowRect(control, &r);
  const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  if (!IsWindowVisible(control) || !IsWindowEnabled(control) || !IsWindowEnabled(GetAncestor(control, GA_ROOT)) ||
      WindowFromPoint(centre) != control) {
    return false;
  }
  const LPARAM at = MAKELPARAM(centre.x - r.left, centre.y - r.top);
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(control, WM_LBUTTONUP, 0, at);
  return true;
}

bool SaveScreenshot(const std::string& path) {
  // What the screen shows of this thread's windows: the union of their
  // rectangles.
  WindowList list;
  EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&list));
  RECT area = {};
  for (HWND window : list.windows) {
    RECT r;
    GetWindowRect(window, &r);
    UnionRect(&area, &area, &r);
  }
  return SaveScreenArea(area, path);
}

bool SaveScreenArea(RECT area, const std::string& path) {
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&area, &area, &screen);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  HDC screenDc = GetDC(nullptr);
  HDC memoryDc = CreateCompatibleDC(screenDc);
  HBITMAP bitmap = CreateCompatibleBitmap(screenDc, width, height);
  HGDIOBJ previous = SelectObject(memoryDc, bitmap);
  BitBlt(memoryDc, 0, 0, width, height, screenDc, area.left, area.top, SRCCOPY);
  SelectObject(memoryDc, previous);
  const bool written = WriteBitmap(path, memoryDc, bitmap, width, height);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
  ReleaseDC(nullptr, screenDc);
  return written;
}

}  // namespace standin
