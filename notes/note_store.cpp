// The note store: the file layer in the add-in's notes folder, and the
// note text carried between a note file and the rich edit in g_state.noteEdit.
#include "notes/note_store.h"

#include "lookup/error_lookup.h"
#include "state/addin_state.h"

namespace orva {
namespace {

// The field is a child of the open editor or browser; one that has gone has no parent.
bool NoteEditIsThere() { return g_state.noteEdit != nullptr && GetParent(g_state.noteEdit) != nullptr; }

}  // namespace

bool NotePath(const char* name, char (&out)[kPathSize]) { return NotePath(g_state.notesFolder, name, out); }

DWORD ReadNoteFile(const char* name, NoteText& note) { return ReadNoteFile(g_state.notesFolder, name, note); }

DWORD WriteNoteFile(const char* name, const char* bytes, DWORD size) {
  return WriteNoteFile(g_state.notesFolder, name, bytes, size);
}

DWORD DeleteNote(const char* name) { return DeleteNote(g_state.notesFolder, name); }

bool NoteFileExists(const char* name) { return NoteFileExists(g_state.notesFolder, name); }

bool NoteSearchPattern(char (&out)[kPathSize]) { return NoteSearchPattern(g_state.notesFolder, out); }

DWORD TakeNoteText(NoteText& note) {
  note = NoteText{};
  // Without the control there is no text: writing would replace the note
  // with an empty one.
  if (!NoteEditIsThere()) return ERROR_INVALID_WINDOW_HANDLE;
  note.size = static_cast<DWORD>(SendMessageA(g_state.noteEdit, WM_GETTEXTLENGTH, 0, 0)) + 1;
  note.bytes = AllocateText(note.size);
  if (note.bytes == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  SendMessageA(g_state.noteEdit, WM_GETTEXT, note.size, reinterpret_cast<LPARAM>(note.bytes));
  return ERROR_SUCCESS;
}

DWORD WriteNoteText(const char* name, NoteText& note) {
  const DWORD outcome = WriteNoteFile(name, note.bytes, note.size);
  ReleaseNoteText(note);
  return outcome;
}

DWORD SaveNote(const char* name) {
  NoteText note;
  const DWORD outcome = TakeNoteText(note);
  return outcome != ERROR_SUCCESS ? outcome : WriteNoteText(name, note);
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
