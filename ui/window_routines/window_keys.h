// The keys of the add-in's windows, through the platform's dialog manager:
// each window has a table of its keys (accelerators) and its controls are
// tab stops; the message hook hands every key pressed in one of its windows
// to the table, then to IsDialogMessage.
#pragma once

#include <windows.h>

namespace orva {

// The keys of one of the add-in's windows: its own, and those every window
// has (Escape as IDCANCEL, Tab and Shift+Tab, Ctrl+A). The window destroys
// the table (DestroyAcceleratorTable) when it goes.
HACCEL CreateWindowKeys(const ACCEL* own, int count);
template <int N>
HACCEL CreateWindowKeys(const ACCEL (&own)[N]) {
  return CreateWindowKeys(own, N);
}

// The command a WM_COMMAND carries: a click's (notification code 0, so that
// a double-click's second half acts on nothing), or a key's of the window's
// table (code 1, no control, and the command marked as a key's by
// CreateWindowKeys, which nothing else sends); 0 for anything else.
constexpr WORD kKeyCommandMark = 0x4000;
inline WORD CommandOf(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == 0) return LOWORD(wParam);
  if (HIWORD(wParam) == 1 && lParam == 0 && (LOWORD(wParam) & kKeyCommandMark) != 0) {
    return LOWORD(wParam) & ~kKeyCommandMark;
  }
  return 0;
}

// A command of the keys every window has: Tab and Shift+Tab move the focus
// to the next or previous tab stop of window; Ctrl+A selects all the text of
// the edit field that has the focus; Enter (IDOK, from the dialog manager)
// on a button clicks it. False for any other command.
bool OnWindowKeyCommand(HWND window, WORD command);

// A key message of the host's thread: when it was pressed in one of the
// add-in's windows, the window's table and the dialog manager have it, and
// true (the message has been handled; the host's loop must not dispatch it).
bool TranslateWindowKey(MSG& message);

}  // namespace orva
