// The note editor window. (Being built.)
#include "notes/note_editor.h"

namespace orva {

void OpenNoteEditor(int) {}

LRESULT CALLBACK NoteEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

void CloseNoteEditor() {}

}  // namespace orva
