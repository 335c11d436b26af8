// The note store: one file per error number in the per-user notes folder,
// holding the note text and the zero bytes behind it, no header.
//
// Two layers. The file layer reads, writes and deletes a note's bytes by name
// and touches no window. SaveNote and LoadNote carry the text between a note
// file and the rich edit held in g_state.noteEdit. Every routine that can fail
// answers ERROR_SUCCESS or the system error code of the failure, so that a
// caller can tell the user what happened to the note.
#pragma once

#include <windows.h>

#include "lookup/text.h"

namespace orva {

// The call that writes a note's bytes (null: WriteFile); tests put one in its
// place that fails part way, as a full disk would.
using NoteWriter = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
extern NoteWriter g_writeNoteBytes;

// A note's bytes as read from its file.
struct NoteText {
  char* bytes;  // from the process heap, with a zero byte behind the last one read
  DWORD size;   // the number of bytes read: the file's length
};

// notesFolder \ name .note, composed in out; false (out empty) when the name
// is not a plain note name, names a device, or the path would not fit.
bool NotePath(const char* name, char (&out)[kPathSize]);

// --- The file layer ------------------------------------------------------------

// Reads the whole note file of name into note (released with ReleaseNoteText);
// the text is note.bytes up to its first zero byte. On a failure note stays empty.
DWORD ReadNoteFile(const char* name, NoteText& note);
void ReleaseNoteText(NoteText& note);

// Writes size bytes as the note of name. The note it replaces stays whole
// until the new one is complete, and keeps its bytes in every failure.
DWORD WriteNoteFile(const char* name, const char* bytes, DWORD size);

// Removes the note file of name, and a file a save of it left unfinished.
DWORD DeleteNote(const char* name);

bool NoteFileExists(const char* name);

// notesFolder \*.note: every note file, for the Note Browser's listing.
bool NoteSearchPattern(char (&out)[kPathSize]);

// --- Through the rich edit in g_state.noteEdit ------------------------------------

// Writes the control's text and the zero byte behind it as the note of name.
DWORD SaveNote(const char* name);

// Replaces the control's text with the note of name; a note that cannot be
// read leaves the control empty.
DWORD LoadNote(const char* name);

}  // namespace orva
