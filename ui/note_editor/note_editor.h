// The note editor: a small tool window in which the user writes or changes
// the note of the number on display in the lookup window.
#pragma once

#include <windows.h>

namespace orva {

// mode 1 (create) or 2 (edit); the editor's rich edit is in g_state.noteEdit
// when this returns. In edit mode the caller then puts the stored note into it.
void OpenNoteEditor(int mode);

// Closes an open editor without saving (host shutdown); nothing when none is open.
void CloseNoteEditor();

}  // namespace orva
