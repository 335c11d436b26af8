// The note files: "<notes folder>\<name>.note", each holding the note text
// and the zero bytes behind it, no header. Windowless and stateless: every
// routine is given the notes folder, so the add-in and the console tool read
// and write notes by the same rules.
#include "notes/note_files.h"

#include "lookup/error_lookup.h"

namespace orva {

// Null means WriteFile. (No initialiser that needs code at load: the add-in
// runs no static constructors.)
NoteWriter g_writeNoteBytes = nullptr;

namespace {

// A new note is written under this name beside the old one and replaces it
// only once it is complete. The name does not end in ".note", so a leftover
// never shows in the Note Browser's listing.
const char kSavingSuffix[] = ".saving";
// When a leftover of that name is held open by another program, the new note
// is written to a temporary file of the notes folder with this prefix instead.
const char kTemporaryPrefix[] = "nte";

// The code of the failure the last call reported; never success, so that a
// failure is never passed on as one.
DWORD LastFailure() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

// Windows takes a file name for a device when the part before its first dot,
// without trailing spaces, is CON, PRN, AUX or NUL, or COM or LPT followed by
// one digit or one of the superscripts one, two and three, whatever the
// letter case. The superscripts are Unicode characters, so the part is
// widened from the ANSI code page first.
bool NamesADevice(const char* name) {
  int length = 0;
  while (name[length] != 0 && name[length] != '.') ++length;
  while (length > 0 && name[length - 1] == ' ') --length;
  WCHAR part[8];
  if (length == 0 || length > 8) return false;
  const int count = MultiByteToWideChar(CP_ACP, 0, name, length, part, 8);
  if (count != 3 && count != 4) return false;
  for (int i = 0; i < 3; ++i) {
    if (part[i] >= L'a' && part[i] <= L'z') part[i] = static_cast<WCHAR>(part[i] - L'a' + L'A');
  }
  auto stemIs = [&part](const wchar_t* stem) { return part[0] == stem[0] && part[1] == stem[1] && part[2] == stem[2]; };
  if (count == 3) return stemIs(L"CON") || stemIs(L"PRN") || stemIs(L"AUX") || stemIs(L"NUL");
  const WCHAR last = part[3];
  const bool deviceNumber = (last >= L'0' && last <= L'9') || last == 0x00B9 || last == 0x00B2 || last == 0x00B3;
  return deviceNumber && (stemIs(L"COM") || stemIs(L"LPT"));
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
  return !onlyDots && !NamesADevice(name);
}

// One limit for every operation: a note path leaves room for the name its
// save writes beside it, so that a note that can be listed, loaded and
// deleted can always be saved as well.
DWORD ComposeNotePath(const char* folder, const char* name, char (&out)[kPathSize]) {
  ZeroFill(out);
  // Without a notes folder (its path did not fit at install) there is no
  // note at all, rather than one beside the host's current folder.
  if (folder[0] == 0) return ERROR_PATH_NOT_FOUND;
  if (!IsPlainNoteName(name)) return ERROR_INVALID_NAME;
  if (!AppendText(out, folder, "\\", name, kNoteExtension) ||
      TextLength(out) + TextLength(kSavingSuffix) >= kPathSize) {
    ZeroFill(out);
    return ERROR_FILENAME_EXCED_RANGE;
  }
  return ERROR_SUCCESS;
}

// The name a save writes its new note under, beside the note at path.
void CompanionPath(const char* path, char (&out)[kPathSize]) {
  ZeroFill(out);
  AppendText(out, path, kSavingSuffix);  // fits: ComposeNotePath leaves room for it
}

// A leftover of an earlier save may be read-only or hidden, which would keep
// it from being replaced; it is cleared and removed. One that another program
// holds open stays where it is.
void RemoveLeftover(const char* path) {
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path);
}

// Creates the file a save writes before it replaces the note at path:
// "<path>.saving", or, when a leftover of that name cannot be removed (held
// open by another program), a new temporary file in the notes folder. The
// name used is in companion. On a failure the last error is that of the
// first attempt, which tells best what stands in the way.
HANDLE CreateCompanion(const char* folder, const char* path, char (&companion)[kPathSize]) {
  CompanionPath(path, companion);
  RemoveLeftover(companion);
  HANDLE file = CreateFileA(companion, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) return file;
  const DWORD error = LastFailure();
  // The notes folder's path is at most 246 characters here, as a temporary
  // file name needs: the note path of a name of one character and the
  // suffix fit into 260.
  ZeroFill(companion);
  if (GetTempFileNameA(folder, kTemporaryPrefix, 0, companion) != 0) {
    file = CreateFileA(companion, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    DeleteFileA(companion);
  }
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

// Writes all bytes and puts them on the disk.
DWORD WriteWhole(HANDLE file, const char* bytes, DWORD size) {
  DWORD written = 0;
  const NoteWriter write = g_writeNoteBytes != nullptr ? g_writeNoteBytes : WriteFile;
  if (!write(file, bytes, size, &written, nullptr)) return LastFailure();
  if (written != size) return ERROR_DISK_FULL;
  return FlushFileBuffers(file) ? ERROR_SUCCESS : LastFailure();
}

}  // namespace

bool NotePath(const char* folder, const char* name, char (&out)[kPathSize]) {
  return ComposeNotePath(folder, name, out) == ERROR_SUCCESS;
}

DWORD ReadNoteFile(const char* folder, const char* name, NoteText& note) {
  note = NoteText{nullptr, 0};
  char path[kPathSize];
  DWORD outcome = ComposeNotePath(folder, name, path);
  if (outcome != ERROR_SUCCESS) return outcome;
  // Other readers may read the note at the same time (the console tool, an
  // editor, the add-in in a second host): reading changes nothing. Writers
  // are kept out, so that the bytes read are one whole note.
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastFailure();
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  char* bytes = nullptr;
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    outcome = LastFailure();
  } else if (high != 0 || size >= 0x7FFFFFFF) {
    outcome = ERROR_FILE_TOO_LARGE;
  } else {
    // One byte more than the file holds stays zero: the text always ends.
    bytes = AllocateText(size + 1);
    if (bytes == nullptr) outcome = ERROR_NOT_ENOUGH_MEMORY;
  }
  DWORD read = 0;
  if (bytes != nullptr && !ReadFile(file, bytes, size + 1, &read, nullptr)) {
    outcome = LastFailure();
    FreeText(bytes);
    bytes = nullptr;
  }
  CloseHandle(file);
  if (bytes != nullptr) note = NoteText{bytes, read};
  return outcome;
}

void ReleaseNoteText(NoteText& note) {
  if (note.bytes != nullptr) FreeText(note.bytes);
  note = NoteText{nullptr, 0};
}

DWORD WriteNoteFile(const char* folder, const char* name, const char* bytes, DWORD size) {
  char path[kPathSize];
  DWORD outcome = ComposeNotePath(folder, name, path);
  if (outcome != ERROR_SUCCESS) return outcome;
  // A read-only note cannot be rewritten in place; it must not be replaced
  // by a rename either.
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  // The note it replaces stays untouched until the new one is complete on
  // disk; the replace is a rename within the folder. If the old note cannot
  // be replaced (held open by another program), it stays as it was.
  char companion[kPathSize];
  HANDLE file = CreateCompanion(folder, path, companion);
  if (file == INVALID_HANDLE_VALUE) return LastFailure();
  outcome = WriteWhole(file, bytes, size);
  CloseHandle(file);
  if (outcome == ERROR_SUCCESS && !MoveFileExA(companion, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    outcome = LastFailure();
  }
  if (outcome != ERROR_SUCCESS) DeleteFileA(companion);
  return outcome;
}

DWORD DeleteNote(const char* folder, const char* name) {
  char path[kPathSize];
  const DWORD outcome = ComposeNotePath(folder, name, path);
  if (outcome != ERROR_SUCCESS) return outcome;
  const bool deleted = DeleteFileA(path) != FALSE;
  const DWORD error = deleted ? ERROR_SUCCESS : LastFailure();
  char companion[kPathSize];
  CompanionPath(path, companion);
  RemoveLeftover(companion);
  return error;
}

bool NoteFileExists(const char* folder, const char* name) {
  char path[kPathSize];
  if (!NotePath(folder, name, path)) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool NoteSearchPattern(const char* folder, char (&out)[kPathSize]) {
  ZeroFill(out);
  return folder[0] != 0 && AppendText(out, folder, "\\", "*", kNoteExtension);
}

}  // namespace orva
