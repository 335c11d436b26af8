// The note store: note files of the form "<notes folder>\<name>.note", each
// holding the note text and the zero bytes behind it, no header. The text
// travels between a file and the rich edit in g_state.noteEdit.
#include "notes/note_store.h"

#include <windows.h>

#include "host/addin_state.h"

namespace orva {

// Null means WriteFile. (No initialiser that needs code at load: the add-in
// runs no static constructors.)
NoteWriter g_writeNoteBytes = nullptr;

namespace {

const char kExtension[] = ".note";
// A new note is written under this name beside the old one and replaces it
// only once it is complete. The name does not end in ".note", so a leftover
// never shows in the Note Browser's listing.
const char kSavingSuffix[] = ".saving";

bool IsReservedDeviceName(const char* name) {
  // CON.note, NUL.note and the like name devices, not files.
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* device : kDevices) {
    if (lstrcmpiA(name, device) == 0) return true;
  }
  const size_t length = TextLength(name);
  if (length == 4 && name[3] >= '1' && name[3] <= '9') {
    char stem[4] = {name[0], name[1], name[2], 0};
    return lstrcmpiA(stem, "COM") == 0 || lstrcmpiA(stem, "LPT") == 0;
  }
  return false;
}

// A note name is a plain file name: error numbers, and whatever the Note
// Browser lists from the notes folder. Anything that could leave the folder,
// name a device or is no file name at all is refused.
bool IsPlainNoteName(const char* name) {
  const size_t length = TextLength(name);
  if (length == 0 || length >= kNumberSize) return false;
  bool onlyDots = true;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20) return false;
    switch (c) {
      case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return false;
      default:
        break;
    }
    if (c != '.') onlyDots = false;
  }
  return !onlyDots && !IsReservedDeviceName(name);
}

// Every text buffer of a save or a load comes zero-filled from the process heap.
char* AllocateText(DWORD size) {
  return static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
}

void FreeText(char* text) { HeapFree(GetProcessHeap(), 0, text); }

bool NoteEditIsThere() { return g_state.noteEdit != nullptr && IsWindow(g_state.noteEdit); }

// Writes all bytes to a new file at path; false, with nothing left behind, if
// any part fails.
bool WriteWholeFile(const char* path, const char* bytes, DWORD size) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const NoteWriter write = g_writeNoteBytes != nullptr ? g_writeNoteBytes : WriteFile;
  bool complete = write(file, bytes, size, &written, nullptr) && written == size;
  complete = FlushFileBuffers(file) && complete;
  CloseHandle(file);
  if (!complete) DeleteFileA(path);
  return complete;
}

}  // namespace

bool NotePath(const char* name, char (&out)[kPathSize]) {
  ZeroFill(out);
  if (g_state.notesFolder[0] == 0 || !IsPlainNoteName(name)) return false;
  if (!AppendText(out, g_state.notesFolder, "\\", name, kExtension)) {
    ZeroFill(out);
    return false;
  }
  return true;
}

void SaveNote(const char* name) {
  char path[kPathSize];
  char savingPath[kPathSize];
  // Without the control there is no text to save: writing would replace the
  // note with an empty one.
  if (!NoteEditIsThere() || !NotePath(name, path)) return;
  ZeroFill(savingPath);
  if (!AppendText(savingPath, path, kSavingSuffix)) return;
  // A read-only note cannot be rewritten in place; it must not be replaced
  // by a rename either.
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return;

  const DWORD size = static_cast<DWORD>(SendMessageA(g_state.noteEdit, WM_GETTEXTLENGTH, 0, 0)) + 1;
  char* text = AllocateText(size);
  if (text == nullptr) return;
  SendMessageA(g_state.noteEdit, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text));

  // The note it replaces stays untouched until the new one is complete on
  // disk; the replace is a rename within the folder. If the old note cannot
  // be replaced (held open by another program, read-only), it stays as it was.
  if (WriteWholeFile(savingPath, text, size) &&
      !MoveFileExA(savingPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(savingPath);
  }
  FreeText(text);
}

void LoadNote(const char* name) {
  if (!NoteEditIsThere()) return;
  char path[kPathSize];
  char* text = nullptr;
  HANDLE file = NotePath(name, path)
                    ? CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                    : INVALID_HANDLE_VALUE;
  if (file != INVALID_HANDLE_VALUE) {
    const DWORD size = GetFileSize(file, nullptr);
    // One byte more than the file holds stays zero: the text always ends.
    if (size != INVALID_FILE_SIZE && size < 0x7FFFFFFF) text = AllocateText(size + 1);
    if (text != nullptr) {
      DWORD read = 0;
      ReadFile(file, text, size + 1, &read, nullptr);
    }
    CloseHandle(file);
  }
  // A note that has gone, is held by another program, or cannot be read
  // shows as empty text rather than leave the previous note on display.
  SendMessageA(g_state.noteEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
  if (text != nullptr) FreeText(text);
}

bool NoteFileExists(const char* name) {
  char path[kPathSize];
  if (!NotePath(name, path)) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

void DeleteNote(const char* name) {
  char path[kPathSize];
  if (NotePath(name, path)) DeleteFileA(path);
}

bool NoteSearchPattern(char (&out)[kPathSize]) {
  ZeroFill(out);
  return g_state.notesFolder[0] != 0 && AppendText(out, g_state.notesFolder, "\\", "*", kExtension);
}

}  // namespace orva
