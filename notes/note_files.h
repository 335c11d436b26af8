// The note files: one per error number in a notes folder, holding the note
// text and the zero bytes behind it, no header, no signature. Windowless and
// stateless: each routine is given the notes folder (no trailing backslash).
// Every routine that can fail answers ERROR_SUCCESS or the system error code
// of the failure, so that a caller can tell the user what happened to a note.
// The add-in reaches these through the note store; the console tool directly.
#pragma once

#include <windows.h>

#include "lookup/text.h"

namespace orva {

// Every note file's name ends in this.
constexpr char kNoteExtension[] = ".note";

// The call that writes a note's bytes (null: WriteFile); tests put one in its
// place that fails part way, as a full disk would.
using NoteWriter = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
extern NoteWriter g_writeNoteBytes;

// A note's bytes as read from its file.
struct NoteText {
  char* bytes;  // AllocateText, with a zero byte behind the last one read
  DWORD size;   // the number of bytes read: the file's length
};

// folder \ name .note, composed in out; false (out empty) when the name is
// not a plain note name, names a device, or the path would not fit with room
// for the file a save writes beside it.
bool NotePath(const char* folder, const char* name, char (&out)[kPathSize]);

// Reads the whole note file of name into note (released with ReleaseNoteText);
// the text is note.bytes up to its first zero byte. On a failure note stays empty.
DWORD ReadNoteFile(const char* folder, const char* name, NoteText& note);
void ReleaseNoteText(NoteText& note);

// Writes size bytes as the note of name. The note it replaces stays whole
// until the new one is complete, and keeps its bytes in every failure.
DWORD WriteNoteFile(const char* folder, const char* name, const char* bytes, DWORD size);

// Removes the note file of name, and a file a save of it left unfinished.
DWORD DeleteNote(const char* folder, const char* name);

// Any entry of that name counts, whatever its size.
bool NoteFileExists(const char* folder, const char* name);

// folder \*.note: every note file, for a listing.
bool NoteSearchPattern(const char* folder, char (&out)[kPathSize]);

}  // namespace orva
