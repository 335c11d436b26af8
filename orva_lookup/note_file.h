// The user's note on an error number, read as the add-in keeps it: the file
// "<number>.note" in the notes folder below the add-in's folder, its text the
// bytes up to the first zero byte (the whole file when it has none).
#pragma once

#include <string>

#include "lookup/text.h"

namespace orva {

// The notes folder the add-in uses beside the modules in addinFolder (which
// ends in a backslash): "Orva Notes\" and the Windows user name, without a
// trailing backslash. False when no user name is known or the path would not
// fit: the add-in keeps no notes then either.
bool NotesFolderOf(const char* addinFolder, char (&notesFolder)[kPathSize]);

// The note's text; false when the note does not exist or cannot be read.
bool ReadNoteText(const char* notesFolder, const char* name, std::string* text);

}  // namespace orva
