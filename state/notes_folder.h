// Where a Windows user's notes live: a folder of their own below the
// add-in's folder. The add-in makes it at install; the console tool finds
// the same folder beside the modules it reads.
#pragma once

#include "lookup/text.h"

namespace orva {

// Below the add-in's folder: this folder, then one folder per Windows user.
constexpr char kNotesFolderName[] = "Orva Notes";

// addinFolder (ending in a backslash) "Orva Notes\" and the Windows user
// name; false (out empty) without an add-in folder or a user name, or when the
// path would not fit.
bool NotesFolderOf(const char* addinFolder, char (&out)[kPathSize]);

}  // namespace orva
