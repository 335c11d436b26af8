// Telling the user that a note could not be saved, read or deleted, and why:
// the note editor, the Note Browser and the lookup window's note icon share it.
#pragma once

#include <windows.h>

namespace orva {

// What could not be done with the note: the end of the sentence that says so.
extern const char kNoteNotSaved[];
extern const char kNoteNotRead[];
extern const char kNoteNotDeleted[];

// "The note for A2008 could not be saved.", a blank line, then the system's
// own words for error.
constexpr size_t kNoteFailureTextSize = 256 + 64;
void DescribeNoteFailure(const char* name, const char* failure, DWORD error, char (&text)[kNoteFailureTextSize]);

// That text in a message box owned by owner.
void ReportNoteFailure(HWND owner, const char* name, const char* failure, DWORD error);

}  // namespace orva
