// The notes folder of the Windows user that runs the host or the console.
#include "state/notes_folder.h"

#include <windows.h>

namespace orva {

bool NotesFolderOf(const char* addinFolder, char (&out)[kPathSize]) {
  ZeroFill(out);
  char userName[kUserNameSize] = {};
  DWORD size = kUserNameSize;
  if (addinFolder[0] == 0 || !GetUserNameA(userName, &size) || userName[0] == 0) return false;
  if (!AppendText(out, addinFolder, kNotesFolderName, "\\", userName)) {
    ZeroFill(out);
    return false;
  }
  return true;
}

}  // namespace orva
