// The note editor: a small tool window in which the user writes or changes
// the note of the number on display in the lookup window.
#pragma once

#include <windows.h>

namespace orva {

// mode 1 (create) or 2 (edit), showing text (the stored note in edit mode;
// null for none); the editor's rich edit is in g_state.noteEdit when this
// returns. Closing it asks before the text typed since is dropped; so does
// the end of the session (WM_QUERYENDSESSION), and the add-in's close, which
// cannot be refused (Yes or No).
void OpenNoteEditor(int mode, const char* text = nullptr);

}  // namespace orva
