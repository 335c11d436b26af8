// The add-in's life from its start to its close, in one place, with its
// states (AddinLife: closed, running, closing): the start at install, and
// the one close, whatever asks for it (the host's close, InstallDll with the
// option off, the end of the Windows session).
#pragma once

#include <windows.h>

namespace orva {

// InstallDll with the option on: a menu command identifier and the menu
// item, the shared resources, the message hook; the add-in runs. While a
// close waits for a question, the start waits for the close and follows it,
// so that nothing is acquired twice and the close is not lost.
void StartAddin();

// The close. Typed text in the note editor or the Note Browser is asked
// about once, Yes or No, in a box owned by that window; then the windows go,
// with their classes, the shared resources, the message hook and the menu
// item. When a question of the add-in is up, it is ended and the module
// keeps itself loaded (a host may unload it at once, and the question's loop
// returns into it); the windows under it go once the last question has
// returned. A close while closing, or closed, does nothing more.
void CloseAddin();

// A close that waited for the add-in's questions finishes once none is up;
// the message hook runs this at every message of the host's thread.
void FinishCloseAfterQuestions();

// The menu item "ORVA" in the host's submenu 6 or 7, while the add-in has a
// menu command identifier (notification 1135 adds it again).
void AddMenuItem();


}  // namespace orva
