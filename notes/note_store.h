// The note store: one file per error number in the per-user notes folder,
// holding the note text and the zero bytes behind it. The text travels
// between a note file and the rich edit held in g_state.noteEdit.
#pragma once

#include <windows.h>

#include "lookup/text.h"

namespace orva {

// The call that writes a note's bytes (null: WriteFile); tests put one in its
// place that fails part way, as a full disk would.
using NoteWriter = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
extern NoteWriter g_writeNoteBytes;

// notesFolder \ name .note, composed in out; false (out empty) when the name
// is not a plain note name or the path would not fit.
bool NotePath(const char* name, char (&out)[kPathSize]);

// Writes the text of g_state.noteEdit as the note of name, replacing any
// earlier note only once the new one is complete.
void SaveNote(const char* name);

// Replaces the text of g_state.noteEdit with the note of name.
void LoadNote(const char* name);

bool NoteFileExists(const char* name);
void DeleteNote(const char* name);

// notesFolder \*.note: every note file, for the Note Browser's listing.
bool NoteSearchPattern(char (&out)[kPathSize]);

}  // namespace orva
