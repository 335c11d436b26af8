// The hook on the host's thread messages. Every message the host's loop (or
// a message box's) takes from the queue passes here first:
// - a key pressed in one of the add-in's windows goes to that window's keys
//   and the platform's dialog manager, and the host's loop gets WM_NULL in
//   its place, so that the host's own accelerators never act on it;
// - the mouse over the lookup window's icons is told to their tooltips;
// - a key pressed or a click anywhere on the host's thread is the user's
//   doing: from then on the keys stay where the user puts them;
// - a close that waited for the add-in's questions finishes once none is up.
#include "ui/window_routines/message_hook.h"

#include <windows.h>
#include <commctrl.h>

#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/window_routines/addin_close.h"
#include "ui/window_routines/window_keys.h"

namespace orva {
namespace {

// What the user does: a key pressed, a mouse button pressed (in a window or
// on its frame). The releases that follow are part of the same action.
const UINT kUserActions[] = {WM_KEYDOWN,     WM_SYSKEYDOWN,   WM_LBUTTONDOWN,   WM_RBUTTONDOWN,
                             WM_MBUTTONDOWN, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};

// The tooltip control hears of the mouse only when told (TTM_RELAYEVENT):
// told here, for the messages of the lookup window's icons alone, rather
// than left to watch the icons, which under Wine made every message they
// receive dearer.
void RelayMouseToIconTips(const MSG& message) {
  if (g_state.iconTips == nullptr || GetParent(message.hwnd) != g_state.lookupWindow) return;
  const int id = GetDlgCtrlID(message.hwnd);
  if (id < kToggleIconId || id > kErrorBrowserIconId) return;
  MSG copy = message;
  SendMessageA(g_state.iconTips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

LRESULT CALLBACK MessageHook(int code, WPARAM removal, LPARAM lParam) {
  // Only a message taken from the queue counts: a look (PM_NOREMOVE) leaves
  // it there, and it comes again.
  if (code == HC_ACTION && removal == PM_REMOVE) {
    MSG& message = *reinterpret_cast<MSG*>(lParam);
    if (IsUserAction(message.message)) g_state.keysHandedBack = false;
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
      // While a menu runs its loop (a control's context menu, a window's
      // system menu) it holds the mouse capture, and the keys are its own.
      if (GetCapture() == nullptr && TranslateWindowKey(message)) message.message = WM_NULL;
    } else if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) {
      RelayMouseToIconTips(message);
    }
    FinishCloseAfterQuestions();
  }
  return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

bool IsUserAction(UINT message) {
  for (UINT action : kUserActions) {
    if (message == action) return true;
  }
  return false;
}

bool UserActionWaiting() {
  MSG waiting;
  for (UINT action : kUserActions) {
    if (PeekMessageA(&waiting, nullptr, action, action, PM_NOREMOVE | PM_NOYIELD)) return true;
  }
  return false;
}

void InstallMessageHook() {
  if (g_state.messageHook != nullptr) return;
  g_state.messageHook = SetWindowsHookExA(WH_GETMESSAGE, MessageHook, nullptr, GetCurrentThreadId());
}

void RemoveMessageHook() {
  if (g_state.messageHook == nullptr) return;
  UnhookWindowsHookEx(g_state.messageHook);
  g_state.messageHook = nullptr;
}

}  // namespace orva
