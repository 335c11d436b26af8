// The keys of the add-in's windows: the table each window has, the keys they
// all share, and the hand-over of a key to the table and the dialog manager.
#include "ui/window_routines/window_keys.h"

#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

// Escape closes (or hides) every window. Tab goes through the table rather
// than the dialog manager, which hands it to a rich edit or a multiline
// field: they would type it as a character besides moving the focus.
const ACCEL kEveryWindowKeys[] = {
    {FVIRTKEY, VK_ESCAPE, IDCANCEL},
    {FVIRTKEY, VK_TAB, kNextControlCommand},
    {FVIRTKEY | FSHIFT, VK_TAB, kPreviousControlCommand},
    {FVIRTKEY | FCONTROL, 'A', kSelectAllCommand},
};
constexpr int kEveryWindowKeyCount = sizeof kEveryWindowKeys / sizeof kEveryWindowKeys[0];
constexpr int kMaxKeys = 16;

// The table of the add-in's window that holds the control a key was pressed
// in; null for any other window (the host's, a message box).
HACCEL KeysOfWindow(HWND window) {
  if (window == nullptr) return nullptr;
  if (window == g_state.lookupWindow) return g_state.lookupKeys;
  if (window == g_state.noteEditor) return g_state.editorKeys;
  if (window == g_state.browserWindow) return g_state.browserKeys;
  if (window == g_state.findBox) return g_state.findKeys;
  return nullptr;
}

// Ctrl+A selects all the text of the edit field that has the focus; the
// platform's older edit controls would type it as a character.
void SelectAllOfFocus() {
  const HWND focus = GetFocus();
  if ((SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) SendMessageA(focus, EM_SETSEL, 0, -1);
}

// Enter on a focused push button clicks it, as in a dialog.
void ClickFocusedButton(HWND window) {
  const HWND focus = GetFocus();
  if (GetParent(focus) == window && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0) {
    SendMessageA(focus, BM_CLICK, 0, 0);
  }
}

}  // namespace

HACCEL CreateWindowKeys(const ACCEL* own, int count) {
  ACCEL keys[kMaxKeys];
  int total = 0;
  for (int i = 0; i < count && total < kMaxKeys; ++i) keys[total++] = own[i];
  for (int i = 0; i < kEveryWindowKeyCount && total < kMaxKeys; ++i) keys[total++] = kEveryWindowKeys[i];
  for (int i = 0; i < total; ++i) keys[i].cmd |= kKeyCommandMark;
  return CreateAcceleratorTableA(keys, total);
}

bool OnWindowKeyCommand(HWND window, WORD command) {
  switch (command) {
    case kNextControlCommand:
    case kPreviousControlCommand: {
      const HWND focus = GetFocus();
      const HWND next = GetNextDlgTabItem(window, GetParent(focus) == window ? focus : nullptr,
                                          command == kPreviousControlCommand);
      if (next != nullptr) SetFocus(next);
      return true;
    }
    case kSelectAllCommand:
      SelectAllOfFocus();
      return true;
    case IDOK:
      ClickFocusedButton(window);
      return true;
    default:
      return false;
  }
}

bool TranslateWindowKey(MSG& message) {
  const HWND window = TopLevelWindowOf(message.hwnd);
  const HACCEL keys = KeysOfWindow(window);
  if (keys == nullptr) return false;
  return TranslateAcceleratorA(window, keys, &message) != 0 || IsDialogMessageA(window, &message) != FALSE;
}

}  // namespace orva
