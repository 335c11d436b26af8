// The add-in state: the one record that holds everything the add-in knows,
// from the host's handles to the handles of every window and the texts they
// share. It lives as long as the module is loaded; all access happens on the
// host's user-interface thread, so it needs no locking. A window's handle and
// its controls' are null once it is gone: each window clears them when it is
// destroyed, whoever destroys it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdint>

#include "lookup/text.h"

namespace orva {

// Where the add-in stands between its install and the host's close.
enum class AddinLife : uint8_t {
  Closed,   // not installed, or closed: every notification is answered as by an add-in that is not there
  Running,  // installed with the option on
  Closing,  // the close came while a question of the add-in was up: its windows go once the last one returns
};

struct AddinState {
  // --- Host side: written by the entry points --------------------------------
  HINSTANCE moduleInstance;     // set by the module entry point
  HWND hostWindow;              // the first argument of InstallDll
  const uint32_t* hostHandles;  // answer to 1074; field 1 is the host's main menu
  const void* hostProcs;        // answer to 1075; asked for, not used further
  const uint32_t* hostData;     // answer to 1076; field 1 moves the submenu from 6 to 7
  UINT menuItemId;              // answer to 1077; 0 while the add-in has no menu item

  // --- Life: written by the add-in's start and close (addin_close) -----------
  AddinLife life;
  bool startAfterClose;         // InstallDll turned the add-in on again while its close waited
  HMODULE selfReference;        // the module's own reference, taken when the close comes during a question
  HHOOK messageHook;            // the hook on the host's thread messages, from start to close

  // --- Shared resources: AcquireSharedResources / ReleaseSharedResources -----
  HMODULE richEditLibrary;      // "RichEd32": makes the class "RICHEDIT" exist
  bool comInitialised;
  HIMAGELIST imageList;         // image 0: small ".exe" icon (tool roots); 1: ".note" (items)
  HFONT sharedFont;             // "MS Sans Serif", height -12, weight 400
  char addinFolder[kPathSize];  // the add-in module's folder, with its trailing backslash
  char notesFolder[kPathSize];  // addinFolder + "Orva Notes\" + user name, no trailing backslash

  // --- Lookup window: written by the lookup window ---------------------------
  HWND lookupWindow;
  HWND inputBox;
  HFONT inputFont;               // the input box's own font, when the shared one is too wide for it; else null
  WNDPROC inputBoxPreviousProc;  // the input box is subclassed by InputBoxProc
  HWND typeField;
  HWND titleField;
  HWND toolField;
  HWND descriptionBox;
  HWND toggleIcon;               // control 2001
  HWND noteIcon;                 // control 2002
  HWND noteBrowserIcon;          // control 2003
  HWND errorBrowserIcon;         // control 2004
  HICON togglePicture;           // the pictures currently shown on the four icons
  HICON notePicture;
  HICON noteBrowserPicture;      // also the Note Browser's small class icon
  HICON errorBrowserPicture;     // also the Error Browser's small class icon
  HWND iconTips;                 // the icons' tooltips, told of the mouse by the message hook
  HACCEL lookupKeys;             // the lookup window's keys (Ctrl+T, N, B, E and those of every window)
  uint8_t expanded;              // 1 while the window has its full size
  uint8_t noteExists;            // 1 while the note icon shows a note present
  uint8_t lookupFailed;          // 1 unless the lookup on display found an error number's message
  // A closing note editor or browser handed the keys to the lookup window,
  // at this tick count, and the user has pressed no key and clicked nowhere
  // since (the message hook clears it).
  bool keysHandedBack;
  DWORD keysHandedBackAt;
  // The number of the last lookup: after one that found its message, the
  // message's canonical name (the note's name, A2008 for "A 2008").
  char currentNumber[kNumberSize];

  // --- Note editor and browsers ------------------------------------------------
  HWND noteEditor;
  char editorCaption[28];        // "Create Note for - " / "Edit Note for - " and the number
  char editorNumber[kNumberSize];  // the number the open editor saves under
  uint8_t editorMode;            // 1 create, 2 edit
  HACCEL editorKeys;             // the note editor's keys (Ctrl+S and those of every window)
  HWND noteEdit;                 // the rich edit of the open note editor or Note Browser
  HWND browserWindow;
  HACCEL browserKeys;            // the browser's keys, by its mode
  HWND browserFocus;             // the browser's control that had the keyboard focus when it was left
  HWND treeView;
  HWND deleteButton;             // Note Browser
  HWND saveButton;               // Note Browser
  HWND browserTypeField;         // Error Browser
  HWND browserTitleField;        // Error Browser
  HWND browserDescriptionField;  // Error Browser
  uint32_t browserMode;          // 2003 Note Browser, 2004 Error Browser
  HTREEITEM rootItems[7];        // one tree root per catalogue slot 1 to 6; [0] unused
  HTREEITEM selectedItem;        // the tree item of the note on display
  char selectedNote[kNumberSize];  // the name of the note selected last
  HWND findBox;                  // the Error Browser's find box; null until its first use
  HACCEL findKeys;               // the find box's keys
  HMODULE errorModules[7];       // the Error Browser's modules by catalogue slot, open from its fill to its close
  // The Error Browser's items in tree order with what a find compares them
  // by, kept by its fill while that browser is open (its tree does not change
  // after the fill); from the process heap.
  struct OrderedItem* treeOrder;
  size_t treeOrderCount;

  // --- Questions: the add-in's message boxes -----------------------------------
  uint8_t questionsUp;           // how many are up, one inside another's loop
};

extern AddinState g_state;

// Creates what every window shares: the rich edit library, the add-in and
// notes folders (both created), COM, the image list and the shared font, in
// that order. Run by InstallDll when it turns the add-in on.
void AcquireSharedResources();

// Releases them: the shared font, the rich edit library, COM, the image list.
// Each is released once and its handle cleared, so a second run does nothing.
void ReleaseSharedResources();

}  // namespace orva
