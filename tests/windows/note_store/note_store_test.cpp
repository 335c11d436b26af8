// The note store on real files, through a real RICHEDIT control in a real
// window: the file format, existence, deletion, the listing pattern, and the
// guards that keep every note whole and inside the notes folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "notes/note_store.h"
#include "state/addin_state.h"
#include "tests/windows/support/import_patch.h"
#include "tests/windows/support/test_paths.h"

using namespace orva;

namespace {

class NoteStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    richEdit_ = LoadLibraryA("RichEd32");
    ASSERT_NE(nullptr, richEdit_);
    folder_ = MakeScratchFolder("notes");
    SetNotesFolder(folder_.substr(0, folder_.size() - 1));  // stored without its trailing backslash
    window_ = CreateWindowExA(0, "STATIC", "note store test", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    g_state.noteEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", nullptr,
                                       WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 180, 180, window_, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, g_state.noteEdit);
  }

  void TearDown() override {
    DestroyWindow(window_);
    g_state.noteEdit = nullptr;
    g_writeNoteBytes = nullptr;
    RemoveTree(folder_);
    FreeLibrary(richEdit_);
  }

  static void SetNotesFolder(const std::string& folder) {
    ZeroFill(g_state.notesFolder);
    lstrcpynA(g_state.notesFolder, folder.c_str(), kPathSize);
  }

  void SetEditText(const char* text) { SendMessageA(g_state.noteEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

  std::string EditText() {
    char text[4096] = {};
    SendMessageA(g_state.noteEdit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }

  std::string File(const char* name) { return folder_ + name; }

  // Every name in the notes folder, to see that nothing stray is left.
  std::vector<std::string> Listing() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }

  HMODULE richEdit_ = nullptr;
  HWND window_ = nullptr;
  std::string folder_;
};

// Writes that stop part way, as on a full disk.
BOOL WINAPI WriteHalfThenFail(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED) {
  WriteFile(file, bytes, size / 2, written, nullptr);
  SetLastError(ERROR_DISK_FULL);
  return FALSE;
}

// Opens tried while the store reads a note: what another program meets then.
struct OpensDuringRead {
  std::string path;
  decltype(&ReadFile) read;
  bool readerGotIn, writerGotIn, tried;
} g_during;

BOOL WINAPI ReadTryingOtherOpens(HANDLE file, LPVOID bytes, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) {
  for (bool write : {false, true}) {
    HANDLE other = CreateFileA(g_during.path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    (write ? g_during.writerGotIn : g_during.readerGotIn) = other != INVALID_HANDLE_VALUE;
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
  }
  g_during.tried = true;
  return g_during.read(file, bytes, size, read, overlapped);
}

}  // namespace

TEST_F(NoteStoreTest, FileHoldsTheTextAndOneZeroByte) {
  SetEditText("");
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), SaveNote("A2008"));
  EXPECT_EQ(std::string(1, '\0'), ReadFileBytes(File("A2008.note")));
  EXPECT_TRUE(NoteFileExists("A2008"));
  SetEditText("leftover");
  LoadNote("A2008");
  EXPECT_EQ("", EditText());

  SetEditText("abc");
  SaveNote("A2009");
  EXPECT_EQ(std::string("abc\0", 4), ReadFileBytes(File("A2009.note")));
}

TEST_F(NoteStoreTest, LineBreaksAsTheControlGivesThem) {
  SetEditText("first line\r\nsecond line");
  SaveNote("LNK1104");
  EXPECT_EQ(std::string("first line\r\nsecond line\0", 24), ReadFileBytes(File("LNK1104.note")));
  SetEditText("");
  LoadNote("LNK1104");
  EXPECT_EQ("first line\r\nsecond line", EditText());
}

TEST_F(NoteStoreTest, ShorterNoteOverALongerOneLeavesNothingOfTheOld) {
  SetEditText("a much longer note than the next one");
  SaveNote("A2008");
  SetEditText("short");
  SaveNote("A2008");
  EXPECT_EQ(std::string("short\0", 6), ReadFileBytes(File("A2008.note")));
}

TEST_F(NoteStoreTest, ReadingStopsAtTheFirstZeroByteOrTheEnd) {
  WriteFileBytes(File("A1.note"), "abc");
  LoadNote("A1");
  EXPECT_EQ("abc", EditText());

  WriteFileBytes(File("A2.note"), std::string("ab\0cd", 5));
  LoadNote("A2");
  EXPECT_EQ("ab", EditText());

  WriteFileBytes(File("A3.note"), "");
  SetEditText("leftover");
  LoadNote("A3");
  EXPECT_EQ("", EditText());
  EXPECT_TRUE(NoteFileExists("A3"));  // a file of zero bytes is a note
}

TEST_F(NoteStoreTest, ExistenceMatchesTheWholeName) {
  SetEditText("x");
  SaveNote("A2008");
  EXPECT_TRUE(NoteFileExists("A2008"));
  EXPECT_TRUE(NoteFileExists("a2008"));  // file names ignore letter case
  EXPECT_FALSE(NoteFileExists("A200"));
  EXPECT_FALSE(NoteFileExists("A20081"));
  EXPECT_FALSE(NoteFileExists("A*"));
}

TEST_F(NoteStoreTest, DeleteRemovesOnlyItsOwnNote) {
  SetEditText("x");
  SaveNote("A2008");
  SaveNote("A2009");
  DeleteNote("A2007");  // no such note: nothing changes, nothing is reported
  EXPECT_EQ(2u, Listing().size());
  DeleteNote("A2008");
  EXPECT_FALSE(NoteFileExists("A2008"));
  EXPECT_TRUE(NoteFileExists("A2009"));
}

TEST_F(NoteStoreTest, SearchPatternIsTheFolderAndStarDotNote) {
  char pattern[kPathSize];
  ASSERT_TRUE(NoteSearchPattern(pattern));
  EXPECT_EQ(folder_ + "*.note", std::string(pattern));
}

TEST_F(NoteStoreTest, NamesThatAreNoPlainFileNameAreRefusedEverywhere) {
  // A note outside the notes folder that a crafted name would reach.
  WriteFileBytes(TestProgramFolder() + "scratch\\victim.note", std::string("keep\0", 5));
  const std::string tooLong(kNumberSize, 'A');
  // Device names as Windows decides them: the part before the first dot,
  // trailing spaces trimmed, any letter case, COM and LPT with 0 to 9 or a
  // superscript one, two or three (0xB9, 0xB2, 0xB3 in the ANSI code page).
  const char* refused[] = {"", "..\\victim", "../victim", "A\\B", "A/B", "C:x", "A*", "A?", "A\"", "A<", "A>",
                           "A|", "A\x01", "A\t", ".", "..", "...", "CON", "nul", "com1", "LPT9", "NUL.x",
                           "nul.A2008", "COM1 ", "COM1.x", "AUX.x", "PRN . x", "COM0", "LPT0", "COM\xB9", "lpt\xB2",
                           "COM\xB3.x", tooLong.c_str()};
  SetEditText("overwrite");
  for (const char* name : refused) {
    char path[kPathSize];
    EXPECT_FALSE(NotePath(name, path)) << name;
    EXPECT_STREQ("", path) << name;
    SaveNote(name);
    EXPECT_FALSE(NoteFileExists(name)) << name;
    DeleteNote(name);
    SetEditText("shown before");
    LoadNote(name);
    EXPECT_EQ("", EditText()) << name;
    SetEditText("overwrite");
  }
  EXPECT_TRUE(Listing().empty());
  EXPECT_EQ(std::string("keep\0", 5), ReadFileBytes(TestProgramFolder() + "scratch\\victim.note"));
  DeleteFileA((TestProgramFolder() + "scratch\\victim.note").c_str());
}

TEST_F(NoteStoreTest, PlainNamesAreAccepted) {
  SetEditText("x");
  for (const char* name : {"A2008", "LNKA1", "A2008.old", "RW1004", "1234567890123456789", "A B", "a-b_c", "COM10",
                           "A.CON", "LPT"}) {
    SaveNote(name);
    EXPECT_TRUE(NoteFileExists(name)) << name;
  }
}

// One path limit for every operation: a save writes its new note beside
// the old one under a longer name first, so every name the store accepts must
// leave room for that, or a note that can be listed and loaded cannot be saved.
TEST_F(NoteStoreTest, EveryNoteThePathAcceptsCanBeSavedAndLongerOnesAreRefused) {
  // A notes folder so deep that the paths of the names below run from 251
  // to 260 characters.
  const std::string deep = folder_ + std::string(244 - folder_.size(), 'd');
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  SetNotesFolder(deep);
  SetEditText("x");
  size_t longest = 0;
  for (std::string name = "A"; name.size() <= 10; name += "1") {
    SCOPED_TRACE(name);
    char path[kPathSize];
    if (NotePath(name.c_str(), path)) {
      longest = std::string(path).size();
      EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), SaveNote(name.c_str()));
      EXPECT_TRUE(NoteFileExists(name.c_str()));
      EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), LoadNote(name.c_str()));
      EXPECT_EQ("x", EditText());
    } else {
      EXPECT_STREQ("", path);  // refused, never cut
      EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), SaveNote(name.c_str()));
      EXPECT_FALSE(NoteFileExists(name.c_str()));
    }
  }
  EXPECT_EQ(253u, longest) << "the longest note path that leaves room for \".saving\"";

  SetNotesFolder("");  // a notes folder that could not be composed at install
  char path[kPathSize];
  EXPECT_FALSE(NotePath("A2008", path));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), SaveNote("A2008"));
  char pattern[kPathSize];
  EXPECT_FALSE(NoteSearchPattern(pattern));
}

TEST_F(NoteStoreTest, SaveThatCannotReplaceLeavesTheOldNoteByteForByte) {
  SetEditText("the old note");
  SaveNote("A2008");
  const std::string old = ReadFileBytes(File("A2008.note"));

  // Held open without sharing by another program.
  HANDLE held = CreateFileA(File("A2008.note").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  SetEditText("new text that must not land");
  EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), SaveNote("A2008"));
  CloseHandle(held);
  EXPECT_EQ(old, ReadFileBytes(File("A2008.note")));
  EXPECT_EQ(std::vector<std::string>{"A2008.note"}, Listing());

  // Read-only: access denied.
  SetFileAttributesA(File("A2008.note").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), SaveNote("A2008"));
  SetFileAttributesA(File("A2008.note").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(old, ReadFileBytes(File("A2008.note")));
  EXPECT_EQ(std::vector<std::string>{"A2008.note"}, Listing());
}

TEST_F(NoteStoreTest, SaveThatFailsPartWayLeavesTheOldNoteAndNoStrayFile) {
  SetEditText("the old note");
  SaveNote("A2008");
  const std::string old = ReadFileBytes(File("A2008.note"));
  g_writeNoteBytes = WriteHalfThenFail;
  SetEditText("a new and longer note that the full disk cuts in half");
  EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), SaveNote("A2008"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), SaveNote("A2009"));  // a new note that fails is not created at all
  g_writeNoteBytes = nullptr;
  EXPECT_EQ(old, ReadFileBytes(File("A2008.note")));
  EXPECT_FALSE(NoteFileExists("A2009"));
  EXPECT_EQ(std::vector<std::string>{"A2008.note"}, Listing());
}

TEST_F(NoteStoreTest, SaveWithoutItsControlWritesNothing) {
  SetEditText("kept");
  SaveNote("A2008");
  const HWND edit = g_state.noteEdit;
  g_state.noteEdit = nullptr;
  SaveNote("A2008");
  LoadNote("A2008");
  g_state.noteEdit = edit;
  EXPECT_EQ(std::string("kept\0", 5), ReadFileBytes(File("A2008.note")));
}

TEST_F(NoteStoreTest, NoteGoneOrLockedBeforeTheLoadShowsEmptyTextAndSaysWhy) {
  SetEditText("previous note on display");
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), LoadNote("A2008"));  // listed a moment ago, gone now
  EXPECT_EQ("", EditText());

  WriteFileBytes(File("A2009.note"), std::string("locked\0", 7));
  HANDLE held = CreateFileA(File("A2009.note").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetEditText("previous note on display");
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), LoadNote("A2009"));
  NoteText note = {};
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), ReadNoteFile("A2009", note));
  EXPECT_EQ(nullptr, note.bytes);
  CloseHandle(held);
  EXPECT_EQ("", EditText());
}

// A note is read the way a viewer reads a file: other readers (the console
// tool, an editor) get in, writers are kept out until the read is done, and a
// note another program is reading can be read too.
TEST_F(NoteStoreTest, ReadingLetsOtherReadersInAndKeepsWritersOut) {
  WriteFileBytes(File("A2008.note"), std::string("shared\0", 7));
  g_during = OpensDuringRead{File("A2008.note"), nullptr, false, false, false};
  NoteText note = {};
  {
    ImportReplaced replaced("kernel32.dll", "ReadFile", reinterpret_cast<void*>(ReadTryingOtherOpens));
    g_during.read = reinterpret_cast<decltype(&ReadFile)>(replaced.original());
    ASSERT_NE(nullptr, g_during.read);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), ReadNoteFile("A2008", note));
  }
  ReleaseNoteText(note);
  ASSERT_TRUE(g_during.tried);
  EXPECT_TRUE(g_during.readerGotIn) << "a reader is shut out while the add-in reads";
  EXPECT_FALSE(g_during.writerGotIn) << "a writer may change the note while the add-in reads it";

  HANDLE reader = CreateFileA(File("A2008.note").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), ReadNoteFile("A2008", note));
  EXPECT_STREQ("shared", note.bytes);
  ReleaseNoteText(note);
  CloseHandle(reader);
}

// The file layer moves a note's bytes by name, no window involved.
TEST_F(NoteStoreTest, FileLayerWritesAndReadsTheBytesByName) {
  ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteNoteFile("A2008", "abc\0", 4));
  EXPECT_EQ(std::string("abc\0", 4), ReadFileBytes(File("A2008.note")));
  NoteText note = {};
  ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), ReadNoteFile("A2008", note));
  EXPECT_EQ(4u, note.size);
  EXPECT_STREQ("abc", note.bytes);
  ReleaseNoteText(note);
  EXPECT_EQ(nullptr, note.bytes);
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), DeleteNote("A2008"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), DeleteNote("A2008"));
}

// A save that never finished leaves "<note>.saving" behind: plain, made
// read-only since, or held open by another program. None of them may stand
// in the way of the next saves, and Delete takes a leftover with its note.
TEST_F(NoteStoreTest, ALeftoverOfAnUnfinishedSaveNeverBlocksTheNextSaves) {
  const std::string leftover = File("A2008.note.saving");
  struct Case {
    const char* kind;
    std::vector<std::string> listing;  // what the folder holds after both saves
  };
  const Case cases[] = {
      {"plain", {"A2008.note"}},
      {"read-only", {"A2008.note"}},
      {"held open", {"A2008.note", "A2008.note.saving"}},  // and nothing else
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    WriteFileBytes(leftover, "half a note");
    if (std::string(c.kind) == "read-only") SetFileAttributesA(leftover.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = std::string(c.kind) == "held open"
                      ? CreateFileA(leftover.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                      : INVALID_HANDLE_VALUE;
    for (const char* text : {"first save", "second save"}) {
      SetEditText(text);
      EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), SaveNote("A2008")) << text;
      EXPECT_EQ(std::string(text) + '\0', ReadFileBytes(File("A2008.note")));
    }
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    std::vector<std::string> listing = Listing();
    std::sort(listing.begin(), listing.end());
    EXPECT_EQ(c.listing, listing);
    RemoveTree(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
  }

  SetEditText("x");
  SaveNote("A2008");
  WriteFileBytes(leftover, "half a note");
  SetFileAttributesA(leftover.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), DeleteNote("A2008"));
  EXPECT_TRUE(Listing().empty());
}
