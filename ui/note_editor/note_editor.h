// The note editor: a small tool window in which the user writes or changes
// the note of the number on display in the lookup window.
#pragma once

#include <windows.h>

namespace orva {

// mode 1 (create) or 2 (edit), showing text (the stored note in edit mode;
// null for none); the editor's rich edit is in g_state.noteEdit when this
// returns. Closing it asks before the text typed since is dropped.
void OpenNoteEditor(int mode, const char* text = nullptr);

// The host is closing: typed text in an open editor is asked about once
// (SettleTypedTextAtClose), and the editor goes, unless a question of the
// add-in is still up: the last one to return runs this again. The editor
// may be gone already (the host's teardown takes it with the lookup window).
void CloseNoteEditor();

}  // namespace orva
