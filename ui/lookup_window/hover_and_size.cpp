// Hover borders and the size toggle of the lookup window: the timer tick that
// borders the icon under the cursor, and the switch between the expanded and
// the compact size with the pull back into the work area.
#include "ui/lookup_window/hover_and_size.h"

#include <commctrl.h>

#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

// Writes the icon's style only when its border bit changes, and makes the
// frame be drawn anew; a tick in which nothing changes costs no redraw.
void SetHoverBorder(HWND control, bool bordered) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (((style & WS_BORDER) != 0) == bordered) return;
  SetWindowLongA(control, GWL_STYLE, bordered ? (style | WS_BORDER) : (style & ~WS_BORDER));
  SetWindowPos(control, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

using MonitorFromWindowProc = HMONITOR(WINAPI*)(HWND, DWORD);
using GetMonitorInfoProc = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);

// The rectangle and work area of the monitor that holds window (the nearest
// one when it lies off every monitor). Windows NT 4 and 95 have one screen
// and neither function: there the screen's origin and SPI_GETWORKAREA stand
// in. The primary monitor's work area is SPI_GETWORKAREA's in any case: the
// same on Windows, and Wine leaves a work area set there out of its monitor
// information.
void MonitorOf(HWND window, RECT& monitor, RECT& workArea) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto monitorFromWindow =
      reinterpret_cast<MonitorFromWindowProc>(reinterpret_cast<void*>(GetProcAddress(user32, "MonitorFromWindow")));
  const auto getMonitorInfo =
      reinterpret_cast<GetMonitorInfoProc>(reinterpret_cast<void*>(GetProcAddress(user32, "GetMonitorInfoA")));
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (monitorFromWindow != nullptr && getMonitorInfo != nullptr &&
      getMonitorInfo(monitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info) &&
      (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
    monitor = info.rcMonitor;
    workArea = info.rcWork;
    return;
  }
  monitor = RECT{0, 0, 0, 0};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
}

// Keeps the top-left corner: collapsing never moves the window.
void ResizeLookupWindow(int width, int height) {
  SetWindowPos(g_state.lookupWindow, HWND_TOP, 0, 0, width, height, SWP_NOMOVE);
}

void KeepInWorkArea() {
  const HWND lookupWindow = g_state.lookupWindow;
  RECT window = {};
  RECT monitor = {};
  RECT workArea = {};
  GetWindowRect(lookupWindow, &window);
  MonitorOf(lookupWindow, monitor, workArea);
  const POINT corner = KeptInWorkArea(window, monitor, workArea);
  SetWindowPos(lookupWindow, HWND_TOP, corner.x, corner.y, 0, 0, SWP_NOSIZE);
}

}  // namespace

void HoverTick() {
  const HWND icons[4] = {g_state.toggleIcon, g_state.noteIcon, g_state.noteBrowserIcon, g_state.errorBrowserIcon};
  POINT cursor;
  GetCursorPos(&cursor);
  // The test follows the rectangles alone: it goes on while the window is
  // covered or disabled (hidden, the window has no timer running). Without a
  // lookup that offers a note the note icon is inert, and an inert icon
  // shows no border.
  for (int i = 0; i < 4; ++i) {
    RECT bounds;
    GetWindowRect(icons[i], &bounds);
    const bool inert = i == 1 && g_state.lookupFailed != 0;  // the note icon
    SetHoverBorder(icons[i], !inert && PtInRect(&bounds, cursor));
  }
}

void ToggleSize() {
  const bool expand = g_state.expanded != 1;
  g_state.expanded = expand ? 1 : 0;
  ResizeLookupWindow(expand ? kExpandedWidth : kCompactWidth, expand ? kExpandedHeight : kCompactHeight);
  if (expand) KeepInWorkArea();
  SetWindowTextA(g_state.lookupWindow, expand ? "Orvalith" : "ORVA");
  ShowPicture(g_state.toggleIcon, g_state.togglePicture, expand ? IDI_COLLAPSE : IDI_EXPAND, LR_DEFAULTCOLOR);
}


POINT KeptInWorkArea(const RECT& window, const RECT& monitor, const RECT& workArea) {
  // On a monitor left of or above the primary one the screen origin lies
  // outside it: its own left and top are the limits, as 0 is the primary's.
  POINT corner = {window.left, window.top};
  if (window.left < monitor.left) corner.x = monitor.left;
  if (window.right > workArea.right) corner.x = workArea.right - kExpandedWidth;
  if (window.bottom > workArea.bottom) corner.y = workArea.bottom - kExpandedHeight;
  if (window.top < monitor.top) corner.y = monitor.top;
  return corner;
}

}  // namespace orva
