// The note store: the file layer in the add-in's notes folder, and the
// note text carried between a note file and the rich edit in g_state.noteEdit.
#include "notes/note_store.h"

#include "lookup/error_lookup.h"
#include "state/addin_state.h"

namespace orva {
namespace {

bool NoteEditIsThere() { return g_state.noteEdit != nullptr && IsWindow(g_state.noteEdit); }

}  // namespace

bool NotePath(const char* name, char (&out)[kPathSize]) { return NotePath(g_state.notesFolder, name, out); }

DWORD ReadNoteFile(const char* name, NoteText& note) { return ReadNoteFile(g_state.notesFolder, name, note); }

DWORD WriteNoteFile(const char* name, const char* bytes, DWORD size) {
  return WriteNoteFile(g_state.notesFolder, name, bytes, size);
}

DWORD DeleteNote(const char* name) { return DeleteNote(g_state.notesFolder, name); }

bool NoteFileExists(const char* name) { return NoteFileExists(g_state.notesFolder, name); }

bool NoteSearchPattern(char (&out)[kPathSize]) { return NoteSearchPattern(g_state.notesFolder, out); }

DWORD SaveNote(const char* name) {
  // Without the control there is no text to save: writing would replace the
  // note with an empty one.
  if (!NoteEditIsThere()) return ERROR_INVALID_WINDOW_HANDLE;
  const DWORD size = static_cast<DWORD>(SendMessageA(g_state.noteEdit, WM_GETTEXTLENGTH, 0, 0)) + 1;
  char* text = AllocateText(size);
  if (text == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  SendMessageA(g_state.noteEdit, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text));
  const DWORD outcome = WriteNoteFile(name, text, size);
  FreeText(text);
  return outcome;
}

DWORD LoadNote(const char* name) {
  if (!NoteEditIsThere()) return ERROR_INVALID_WINDOW_HANDLE;
  NoteText note = {};
  const DWORD outcome = ReadNoteFile(name, note);
  // A note that has gone, is held by another program, or cannot be read
  // shows as empty text rather than leave the previous note on display.
  SendMessageA(g_state.noteEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(note.bytes != nullptr ? note.bytes : ""));
  ReleaseNoteText(note);
  return outcome;
}

}  // namespace orva
