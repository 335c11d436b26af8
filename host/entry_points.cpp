// The module entry point and the three exports: everything the host calls,
// and what the add-in does with each notification.
#include "host/entry_points.h"

#include "lookup/tool_table.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/lookup_window/lookup_window.h"
#include "ui/window_routines/addin_close.h"
#include "ui/window_routines/message_hook.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

const OptionRow kOptions[] = {
    {"Enable ORVA", 1, 1},
    {nullptr, 0, 0},
};

HookWords g_hookWords;

// While the note editor or a browser is open, the lookup window is restored
// but stays disabled behind it: the open window keeps the front.
void OpenLookupWindow() {
  if (g_state.lookupWindow == nullptr) {
    CreateLookupWindow();
    return;
  }
  ShowWindow(g_state.lookupWindow, SW_RESTORE);
  if (!BringOpenEditorOrBrowserForward()) SetFocus(g_state.inputBox);
}

// Notification 1151: a double-click in the host's build output pane; the
// word at the pane's caret.
LRESULT LookUpHostWord(HWND textWindow) {
  // One byte more than the host may fill, so that a word of 32 bytes without
  // a terminator still ends in one.
  char word[kHostWordSize + 1] = {};
  SendMessageA(textWindow, kHostWordRequest, kHostWordSize, reinterpret_cast<LPARAM>(word));
  // Answering 1 tells the host the word was handled, and its own action for
  // the double-click (opening the source at the line the message names) does
  // not run: only error numbers are claimed (the one rule, ReadErrorNumber),
  // so a double-click elsewhere on the line, or on the a1 of "a1.asm(3)",
  // still goes to the source.
  const ErrorNumber number = ReadErrorNumber(word);
  if (number.family == nullptr) return 0;
  OpenLookupWindow();
  SendMessageA(g_state.inputBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(number.name));
  SendMessageA(g_state.inputBox, WM_CHAR, 13, 0);  // runs the lookup as Enter does
  return 1;
}

}  // namespace

extern "C" const HookWords* __stdcall InstallAddin(HWND hostWindow, uint32_t optionWord) {
  // Called again: with the option on once more, nothing changes (no second
  // menu item, no second set of shared resources); with it off, the add-in
  // lets go of everything as at the host's close, and stays inert.
  if (g_state.life == AddinLife::Running && optionWord != 0) return &g_hookWords;
  if (optionWord == 0) CloseAddin();
  g_state.hostWindow = hostWindow;
  g_state.hostHandles = reinterpret_cast<const uint32_t*>(SendMessageA(hostWindow, kHostGetHandles, 0, 0));
  g_state.hostProcs = reinterpret_cast<const void*>(SendMessageA(hostWindow, kHostGetProcs, 0, 0));
  g_state.hostData = reinterpret_cast<const uint32_t*>(SendMessageA(hostWindow, kHostGetData, 0, 0));
  g_hookWords = HookWords{0, 0, 0};
  if (optionWord == 0) return &g_hookWords;  // disabled: the add-in stays inert

  StartAddin();  // at once, or once a close that waits for a question is done
  g_hookWords.eax = kHookWord;
  return &g_hookWords;
}

}  // namespace orva

using namespace orva;

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  g_state.moduleInstance = instance;
  // A host that unloads the add-in (FreeLibrary, not the end of the process)
  // without its close: the hook's procedure lies in this module, and must
  // not be called once it is gone.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) RemoveMessageHook();
  return TRUE;
}

extern "C" const OptionRow* __stdcall GetOptions() { return kOptions; }

extern "C" LRESULT __stdcall DllProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  // Without an enabled install, and from the host's close on, no window may
  // open and no lookup run: every notification is answered as by an add-in
  // that is not installed.
  if (g_state.life != AddinLife::Running) return 0;
  switch (message) {
    case WM_COMMAND:
      if (g_state.menuItemId != 0 && LOWORD(wParam) == g_state.menuItemId && HIWORD(wParam) == 0) {
        OpenLookupWindow();
      }
      return 0;
    case kHostWordPicked:
      return LookUpHostWord(window);
    case kHostMenuRebuilt:
      AddMenuItem();
      return 0;
    case WM_CLOSE:
      CloseAddin();
      return 0;
    default:
      return 0;
  }
}
