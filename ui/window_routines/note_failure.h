// Telling the user that a note could not be saved, read or deleted, and why:
// the note editor, the Note Browser and the lookup window's note icon share it.
#pragma once

#include <windows.h>

namespace orva {

// What could not be done with the note: the end of the sentence that says so.
extern const char kNoteNotSaved[];
extern const char kNoteNotRead[];
extern const char kNoteNotDeleted[];

// A message box owned by owner: "The note for A2008 could not be saved.",
// then the system's own words for error.
void ReportNoteFailure(HWND owner, const char* name, const char* failure, DWORD error);

}  // namespace orva
