// Hover borders and the size toggle of the lookup window: the timer tick that
// borders the icon under the cursor, and the switch between the expanded and
// the compact size with the pull back into the work area.
#include "ui/lookup_window/hover_and_size.h"

#include "host/addin_state.h"
#include "resources/resource_ids.h"
#include "ui/lookup_window/lookup_window.h"

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

// Keeps the top-left corner: collapsing never moves the window.
void ResizeLookupWindow(int width, int height) {
  SetWindowPos(g_state.lookupWindow, HWND_TOP, 0, 0, width, height, SWP_NOMOVE);
}

}  // namespace

void HoverTick() {
  const HWND icons[4] = {g_state.toggleIcon, g_state.noteIcon, g_state.noteBrowserIcon, g_state.errorBrowserIcon};
  RECT bounds[4];
  for (int i = 0; i < 4; ++i) GetWindowRect(icons[i], &bounds[i]);
  POINT cursor;
  GetCursorPos(&cursor);
  // The test follows the rectangles alone: it goes on while the window is
  // hidden, covered or disabled. Without a successful lookup the note icon
  // is inert, and an inert icon shows no border.
  for (int i = 0; i < 4; ++i) {
    if (icons[i] == g_state.noteIcon && g_state.lookupFailed != 0) {
      RemoveHoverBorder(icons[i]);
    } else if (PtInRect(&bounds[i], cursor)) {
      AddHoverBorder(icons[i]);
    } else {
      RemoveHoverBorder(icons[i]);
    }
  }
}

void AddHoverBorder(HWND control) { SetHoverBorder(control, true); }
void RemoveHoverBorder(HWND control) { SetHoverBorder(control, false); }

void ToggleSize() {
  if (g_state.expanded == 1) {
    g_state.expanded = 0;
    ResizeLookupWindow(kCompactWidth, kCompactHeight);
    SetWindowTextA(g_state.lookupWindow, "ORVA");
    ShowPicture(g_state.toggleIcon, g_state.togglePicture, IDI_EXPAND, LR_DEFAULTCOLOR);
  } else {
    g_state.expanded = 1;
    ResizeLookupWindow(kExpandedWidth, kExpandedHeight);
    KeepInWorkArea();
    SetWindowTextA(g_state.lookupWindow, "Orvalith");
    ShowPicture(g_state.toggleIcon, g_state.togglePicture, IDI_COLLAPSE, LR_DEFAULTCOLOR);
  }
}

void KeepInWorkArea() {
  RECT workArea = {};
  RECT window = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  GetWindowRect(g_state.lookupWindow, &window);
  // The left and top limits are the screen origin, the right and bottom ones
  // the work area's; the right edge wins over the left, the top over the bottom.
  int x = window.left;
  int y = window.top;
  if (window.left < 0) x = 0;
  if (window.right > workArea.right) x = workArea.right - kExpandedWidth;
  if (window.bottom > workArea.bottom) y = workArea.bottom - kExpandedHeight;
  if (window.top < 0) y = 0;
  SetWindowPos(g_state.lookupWindow, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

}  // namespace orva
