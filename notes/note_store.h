// The note store: the add-in's notes, by name, in the notes folder of the
// add-in state (the file layer, note_files.h, given g_state.notesFolder), and
// the text carried between a note file and the rich edit held in
// g_state.noteEdit. Answers as the file layer does: ERROR_SUCCESS or the
// system error code of the failure.
#pragma once

#include "notes/note_files.h"

namespace orva {

bool NotePath(const char* name, char (&out)[kPathSize]);
DWORD ReadNoteFile(const char* name, NoteText& note);
DWORD WriteNoteFile(const char* name, const char* bytes, DWORD size);
DWORD DeleteNote(const char* name);
bool NoteFileExists(const char* name);
bool NoteSearchPattern(char (&out)[kPathSize]);

// Writes the control's text and the zero byte behind it as the note of name.
DWORD SaveNote(const char* name);
// The same in two steps, for a text that must be taken before its control
// may go: the text and its zero byte into note, then written as the note of
// name and released.
DWORD TakeNoteText(NoteText& note);
DWORD WriteNoteText(const char* name, NoteText& note);

// Replaces the control's text with the note of name; a note that cannot be
// read leaves the control empty.
DWORD LoadNote(const char* name);

}  // namespace orva
