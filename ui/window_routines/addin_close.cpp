// The add-in's life in one place: its start, and its one close with the
// states it passes through (running, closing, closed).
#include "ui/window_routines/addin_close.h"

#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/window_routines/message_hook.h"
#include "ui/window_routines/questions.h"

namespace orva {
namespace {

// The host's records are arrays of 32-bit fields; field 1 is the one we read.
uint32_t SecondField(const uint32_t* record) { return record != nullptr ? record[1] : 0; }

// Submenu 6 of the host's main menu, or 7 when the host's data record says so.
HMENU AddinSubmenu() {
  const HMENU mainMenu = reinterpret_cast<HMENU>(static_cast<uintptr_t>(SecondField(g_state.hostHandles)));
  return GetSubMenu(mainMenu, SecondField(g_state.hostData) != 0 ? 7 : 6);
}

// The item goes from the submenu it was appended to: with a data field other
// than 0 or 1, "6 plus the field" would name a submenu the item never was in
// and leave it behind in the host's menu after the add-in is gone.
void RemoveMenuItem() {
  if (g_state.menuItemId == 0) return;
  DeleteMenu(AddinSubmenu(), g_state.menuItemId, MF_BYCOMMAND);
  g_state.menuItemId = 0;
}

// Typed text in the open note editor or Note Browser: the window asks about
// it as at an end of the session that cannot be refused, and saves or drops
// it as the user answers.
void SettleTypedText(HWND window) {
  if (window != nullptr) SendMessageA(window, WM_QUERYENDSESSION, 0, kEndOfSessionByForce);
}

// The windows that use the shared resources go before them: the editor and
// the browser (its find box with it), then the lookup window, whose
// destruction releases them. Each clears its handles as it goes, so a window
// the host has destroyed already is passed over. Nothing of the add-in is
// left for the host to call once it unloads the module.
void FinishClose() {
  const HWND windows[] = {g_state.noteEditor, g_state.browserWindow, g_state.lookupWindow};
  for (HWND window : windows) {
    if (window != nullptr) DestroyWindow(window);
  }
  const char* const classes[] = {kNoteEditorClass, kFindBoxClass, kBrowserClass, kLookupWindowClass};
  for (const char* name : classes) UnregisterClassA(name, g_state.moduleInstance);
  ReleaseSharedResources();  // done by the lookup window's destruction, unless it was never made
  RemoveMessageHook();
  g_state.life = AddinLife::Closed;
  if (g_state.startAfterClose) {
    g_state.startAfterClose = false;
    StartAddin();
  }
}

// The module's own reference, taken once and kept to the end of the process.
void KeepModuleLoaded() {
  if (g_state.selfReference != nullptr) return;
  char path[kPathSize] = {};
  const DWORD length = GetModuleFileNameA(g_state.moduleInstance, path, kPathSize);
  if (length > 0 && length < kPathSize - 1) g_state.selfReference = LoadLibraryA(path);
}

}  // namespace

void StartAddin() {
  if (g_state.life == AddinLife::Closing) {
    g_state.startAfterClose = true;
    return;
  }
  if (g_state.life == AddinLife::Running) return;
  g_state.menuItemId = static_cast<UINT>(SendMessageA(g_state.hostWindow, kHostGetMenuId, 0, 0));
  AddMenuItem();
  AcquireSharedResources();
  InstallMessageHook();
  g_state.life = AddinLife::Running;
}

void CloseAddin() {
  g_state.startAfterClose = false;  // off again before a waiting start: it does not come
  // A close that comes while a question of the add-in is up (also the
  // close's own question, when the host closes again from inside its loop):
  // the question's loop, and the code that asked, return into this module
  // whatever the host unloads meanwhile.
  if (QuestionIsUp()) KeepModuleLoaded();
  if (g_state.life != AddinLife::Running) return;
  g_state.life = AddinLife::Closing;
  RemoveMenuItem();
  EndOpenQuestions();
  SettleTypedText(g_state.noteEditor);
  SettleTypedText(g_state.browserWindow);
  if (!QuestionIsUp()) FinishClose();
}

void FinishCloseAfterQuestions() {
  if (g_state.life == AddinLife::Closing && !QuestionIsUp()) FinishClose();
}

void AddMenuItem() {
  if (g_state.menuItemId == 0) return;
  AppendMenuA(AddinSubmenu(), MF_STRING, g_state.menuItemId, "ORVA");
}

}  // namespace orva
