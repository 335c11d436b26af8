// Reading a note file by its error number, for the console tool.
#include "orva_lookup/note_file.h"

#include <windows.h>

namespace orva {

bool NotesFolderOf(const char* addinFolder, char (&notesFolder)[kPathSize]) {
  ZeroFill(notesFolder);
  char userName[kUserNameSize] = {};
  DWORD size = kUserNameSize;
  if (!GetUserNameA(userName, &size) || userName[0] == 0) return false;
  return AppendText(notesFolder, addinFolder, "Orva Notes\\", userName);
}

bool ReadNoteText(const char* notesFolder, const char* name, std::string* text) {
  text->clear();
  char path[kPathSize] = {};
  if (notesFolder[0] == 0 || !AppendText(path, notesFolder, "\\", name, ".note")) return false;
  // Shared for reading and writing: the console must never keep the add-in
  // from saving a note while it reads one.
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char chunk[4096];
  DWORD got = 0;
  bool ended = false;
  while (!ended && ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    DWORD keep = 0;
    while (keep < got && chunk[keep] != 0) ++keep;
    text->append(chunk, keep);
    ended = keep < got;  // the text ends at the first zero byte
  }
  CloseHandle(file);
  return true;
}

}  // namespace orva
