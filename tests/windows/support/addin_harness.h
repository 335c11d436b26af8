// A harness for the note editor and browser tests: the add-in state set up
// the way the host and the lookup window leave it (shared resources, a
// lookup window with its note icon and browser pictures, a notes folder of
// the test's own), and small readers for windows and tree items.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notes/note_store.h"
#include "resources/resource_ids.h"
#include "stand_in_host/stand_in_host.h"
#include "state/addin_state.h"
#include "tests/windows/support/test_paths.h"
#include "ui/browser/browser_window.h"
#include "ui/lookup_window/lookup_window.h"
#include "ui/note_editor/note_editor.h"
#include "ui/window_routines/addin_close.h"
#include "ui/window_routines/message_hook.h"
#include "ui/window_routines/window_routines.h"

namespace harness {

inline const char kLookupClass[] = "ORVA_TestLookupWindow";

inline HICON LoadAddinIcon(int resource) {
  return static_cast<HICON>(LoadImageA(orva::g_state.moduleInstance, MAKEINTRESOURCEA(resource), IMAGE_ICON, 16, 16,
                                       LR_LOADMAP3DCOLORS));
}

inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

inline std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline bool ClassRegistered(const char* name) {
  WNDCLASSEXA found = {};
  found.cbSize = sizeof found;
  return GetClassInfoExA(orva::g_state.moduleInstance, name, &found) != FALSE;
}

// A child's rectangle in its parent's client coordinates.
inline RECT ClientRectOf(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

inline std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

// --- Tree items -----------------------------------------------------------

inline HTREEITEM TreeNext(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

inline std::string ItemText(HWND tree, HTREEITEM item) {
  char text[64] = {};
  TVITEMA data = {};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

inline TVITEMA ItemData(HWND tree, HTREEITEM item) {
  TVITEMA data = {};
  data.mask = TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  data.hItem = item;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return data;
}

// The children of parent in the tree's order; the roots for parent null.
inline std::vector<HTREEITEM> ChildItems(HWND tree, HTREEITEM parent) {
  std::vector<HTREEITEM> items;
  for (HTREEITEM item = TreeNext(tree, parent, parent != nullptr ? TVGN_CHILD : TVGN_ROOT); item != nullptr;
       item = TreeNext(tree, item, TVGN_NEXT)) {
    items.push_back(item);
  }
  return items;
}

inline std::vector<std::string> Texts(HWND tree, const std::vector<HTREEITEM>& items) {
  std::vector<std::string> texts;
  for (HTREEITEM item : items) texts.push_back(ItemText(tree, item));
  return texts;
}

inline std::vector<std::string> ChildTexts(HWND tree, HTREEITEM parent) {
  return Texts(tree, ChildItems(tree, parent));
}
inline std::vector<std::string> RootTexts(HWND tree) { return ChildTexts(tree, nullptr); }

inline std::vector<std::string> VisibleTexts(HWND tree) {
  std::vector<HTREEITEM> items;
  for (HTREEITEM item = TreeNext(tree, nullptr, TVGN_FIRSTVISIBLE); item != nullptr;
       item = TreeNext(tree, item, TVGN_NEXTVISIBLE)) {
    items.push_back(item);
  }
  return Texts(tree, items);
}

inline HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::string& text) {
  for (HTREEITEM item : ChildItems(tree, parent)) {
    if (ItemText(tree, item) == text) return item;
  }
  return nullptr;
}

inline void SelectItem(HWND tree, HTREEITEM item) {
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

// A click on a button, through the button itself. (The button acts on it even
// while disabled, where a user's click could not reach it.)
inline void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

// The face name of the font a control shows its text in: the rich edit
// answers no WM_GETFONT, so its default character format is read instead.
inline std::string FontFaceOf(HWND control) {
  if (ClassOf(control) == "RICHEDIT") {
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return format.szFaceName;
  }
  LOGFONTA font = {};
  HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (handle != orva::g_state.sharedFont || GetObjectA(handle, sizeof font, &font) == 0) return "(not the shared font)";
  return font.lfFaceName;
}

inline HWND ChildWithId(HWND parent, int id) { return GetDlgItem(parent, id); }

// --- Screenshots ---------------------------------------------------------------

// Writes the window as it shows on the screen to ORVA_SHOT_DIR\name.bmp when
// that variable is set; does nothing otherwise. A second window (one it
// owns, beside it) is taken into the picture with it.
inline void SaveScreenshot(HWND window, const char* name, HWND beside = nullptr) {
  char folder[MAX_PATH] = {};
  if (GetEnvironmentVariableA("ORVA_SHOT_DIR", folder, sizeof folder) == 0) return;
  for (HWND shown : {window, beside}) {
    if (shown != nullptr) {
      RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  }
  PumpMessages();
  Sleep(200);
  PumpMessages();
  RECT rect = {};
  GetWindowRect(window, &rect);
  RECT other = {};
  if (beside != nullptr && GetWindowRect(beside, &other)) UnionRect(&rect, &rect, &other);
  standin::SaveScreenArea(rect, std::string(folder) + "\\" + name + ".bmp");
}

// --- The add-in around the windows under test ------------------------------------

// Sets up what the host's install and the lookup window provide: an
// installed add-in with its shared resources, a disabled-able lookup window with a grey note icon, the two
// browser pictures, modules from a fixture set and an empty notes folder.
class AddinTest : public testing::Test {
 protected:
  void SetUp() override {
    using orva::g_state;
    g_state = orva::AddinState{};
    g_state.moduleInstance = GetModuleHandleA(nullptr);
    orva::AcquireSharedResources();
    g_state.life = orva::AddinLife::Running;
    orva::InstallMessageHook();  // the keys of the add-in's windows
    notesFolder_ = MakeScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
    lstrcpynA(g_state.notesFolder, notesFolder_.substr(0, notesFolder_.size() - 1).c_str(), orva::kPathSize);
    UseModules("browser");

    WNDCLASSEXA lookupClass = {};
    lookupClass.cbSize = sizeof lookupClass;
    lookupClass.lpfnWndProc = DefWindowProcA;
    lookupClass.hInstance = g_state.moduleInstance;
    lookupClass.lpszClassName = kLookupClass;
    RegisterClassExA(&lookupClass);
    g_state.lookupWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kLookupClass, "Orvalith", WS_CAPTION, 0, 0, 450, 383,
                                           nullptr, nullptr, g_state.moduleInstance, nullptr);
    g_state.noteIcon = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON | SS_NOTIFY, 126, 7, 0, 0,
                                       g_state.lookupWindow, reinterpret_cast<HMENU>(orva::kNoteIconId),
                                       g_state.moduleInstance, nullptr);
    orva::SetNoteIcon(false);
    g_state.noteBrowserPicture = LoadAddinIcon(IDI_NOTE_BROWSER);
    g_state.errorBrowserPicture = LoadAddinIcon(IDI_ERROR_BROWSER);
    g_state.lookupFailed = 0;
  }

  void TearDown() override {
    using orva::g_state;
    const HWND lookupWindow = g_state.lookupWindow;
    orva::CloseAddin();  // the open editor or browser, the hook
    DestroyWindow(lookupWindow);
    UnregisterClassA(kLookupClass, g_state.moduleInstance);
    DestroyIcon(g_state.notePicture);
    DestroyIcon(g_state.noteBrowserPicture);
    DestroyIcon(g_state.errorBrowserPicture);
    orva::ReleaseSharedResources();
    PumpMessages();
    RemoveTree(notesFolder_);
  }

  // The message modules come from this fixture set.
  void UseModules(const char* set) {
    lstrcpynA(orva::g_state.addinFolder, FixtureFolder(set).c_str(), orva::kPathSize);
  }

  void SetCurrentNumber(const char* number) { lstrcpynA(orva::g_state.currentNumber, number, orva::kNumberSize); }

  std::string NotePathOf(const std::string& name) const { return notesFolder_ + name + ".note"; }
  void PutNote(const std::string& name, const std::string& bytes) const { WriteFileBytes(NotePathOf(name), bytes); }
  std::string NoteBytes(const std::string& name) const { return ReadFileBytes(NotePathOf(name)); }

  std::string notesFolder_;  // ends in a backslash
};

}  // namespace harness
