// The module entry point, the three exports and the add-in's menu item:
// everything the host calls, and what the add-in does with each notification.
#include "host/entry_points.h"

#include "lookup/tool_table.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/browser/browser_window.h"
#include "ui/lookup_window/lookup_window.h"
#include "ui/note_editor/note_editor.h"
#include "ui/window_routines/questions.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

const OptionRow kOptions[] = {
    {"Enable ORVA", 1, 1},
    {nullptr, 0, 0},
};

HookWords g_hookWords;

// The host's records are arrays of 32-bit fields; field 1 is the one we read.
uint32_t SecondField(const uint32_t* record) { return record != nullptr ? record[1] : 0; }

// Submenu 6 of the host's main menu, or 7 when the host's data record says so.
HMENU AddinSubmenu() {
  const HMENU mainMenu = reinterpret_cast<HMENU>(static_cast<uintptr_t>(SecondField(g_state.hostHandles)));
  return GetSubMenu(mainMenu, SecondField(g_state.hostData) != 0 ? 7 : 6);
}

void AddMenuItem() {
  if (g_state.menuItemId == 0) return;
  AppendMenuA(AddinSubmenu(), MF_STRING, g_state.menuItemId, "ORVA");
}

// The item goes from the submenu it was appended to: with a data field other
// than 0 or 1, "6 plus the field" would name a submenu the item never was in
// and leave it behind in the host's menu after the add-in is gone.
void RemoveMenuItem() {
  if (g_state.menuItemId == 0) return;
  DeleteMenu(AddinSubmenu(), g_state.menuItemId, MF_BYCOMMAND);
  g_state.menuItemId = 0;
}

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

// Windows that use the shared font, image list and rich edit library must
// not outlive them: the editor and the browser close first, each after the
// one question about its typed text. None goes while a question of the
// add-in is up: the last one to return runs this again.
void CloseAddinWindows() {
  CloseNoteEditor();
  CloseBrowser();
  if (!QuestionIsUp()) DestroyLookupWindow();
}

// The host's close. It may come from inside the loop of a question of the
// add-in, and more than once: from here on every notification is answered
// as by an add-in that is not installed, so a second close finds nothing to
// do. A question that is up is ended, and typed text is asked about once
// more, by a question the host cannot be closed behind.
void ShutDown() {
  g_state.installed = 0;
  EndQuestionsAtClose();
  g_state.closeAfterQuestions = CloseAddinWindows;
  CloseAddinWindows();
  RemoveMenuItem();
}

}  // namespace

extern "C" const HookWords* __stdcall InstallAddin(HWND hostWindow, uint32_t optionWord) {
  // Called again: with the option on once more, nothing changes (no second
  // menu item, no second set of shared resources); with it off, the add-in
  // lets go of everything as at the host's close, and stays inert.
  if (g_state.installed != 0) {
    if (optionWord != 0) return &g_hookWords;
    ShutDown();
  }
  g_state.hostWindow = hostWindow;
  g_state.hostHandles = reinterpret_cast<const uint32_t*>(SendMessageA(hostWindow, kHostGetHandles, 0, 0));
  g_state.hostProcs = reinterpret_cast<const void*>(SendMessageA(hostWindow, kHostGetProcs, 0, 0));
  g_state.hostData = reinterpret_cast<const uint32_t*>(SendMessageA(hostWindow, kHostGetData, 0, 0));
  g_hookWords = HookWords{0, 0, 0};
  if (optionWord == 0) return &g_hookWords;  // disabled: the add-in stays inert

  g_state.menuItemId = static_cast<UINT>(SendMessageA(hostWindow, kHostGetMenuId, 0, 0));
  AddMenuItem();
  AcquireSharedResources();
  g_state.installed = 1;
  g_hookWords.eax = kHookWord;
  return &g_hookWords;
}

}  // namespace orva

using namespace orva;

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE instance, DWORD, LPVOID) {
  g_state.moduleInstance = instance;
  return TRUE;
}

extern "C" const OptionRow* __stdcall GetOptions() { return kOptions; }

extern "C" LRESULT __stdcall DllProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  // Without an enabled install, and after the host's close has released the
  // shared resources, no window may open and no lookup run: every
  // notification is answered as by an add-in that is not installed.
  if (g_state.installed == 0) return 0;
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
      ShutDown();
      return 0;
    default:
      return 0;
  }
}
