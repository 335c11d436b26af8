// The note store. (Being built.)
#include "notes/note_store.h"

namespace orva {

bool NotePath(const char*, char (&out)[kPathSize]) {
  ZeroFill(out);
  return false;
}
void SaveNote(const char*) {}
void LoadNote(const char*) {}
bool NoteFileExists(const char*) { return false; }
void DeleteNote(const char*) {}
bool NoteSearchPattern(char (&out)[kPathSize]) {
  ZeroFill(out);
  return false;
}

}  // namespace orva
