// The Note Browser's catalogue over a notes folder of the test's own: the
// grouping of note files under the five roots, selection, Save and Delete.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/windows/support/addin_harness.h"
#include "tests/windows/support/message_box.h"
#include "ui/browser/note_catalogue.h"
#include "ui/window_routines/window_keys.h"

using namespace orva;
using namespace harness;

namespace {

using Strings = std::vector<std::string>;

class NoteCatalogueTest : public AddinTest {
 protected:
  void OpenNoteBrowser() {
    OpenBrowserInMode(kNoteBrowserIconId);
  }

  HTREEITEM Note(uint32_t slot, const char* name) { return ChildNamed(g_state.treeView, g_state.rootItems[slot], name); }

  // number is on display in the lookup window with its note (yellow icon);
  // the Note Browser opens with the ML note shown selected.
  void ShowNoteOfNumberOnDisplay(const char* number, const char* shown) {
    SetCurrentNumber(number);
    SetNoteIcon(true);
    OpenNoteBrowser();
    SelectItem(g_state.treeView, Note(1, shown));
  }

  void ExpectButtonsEnabled(bool enabled) {
    EXPECT_EQ(enabled, IsWindowEnabled(g_state.deleteButton) != FALSE) << "Delete";
    EXPECT_EQ(enabled, IsWindowEnabled(g_state.saveButton) != FALSE) << "Save";
  }
};

TEST_F(NoteCatalogueTest, NotesAreGroupedUnderTheirToolsWithRcAndRwTogether) {
  for (const char* name : {"A2008", "CVT1100", "U1050", "LNK1104", "RC2104", "RW1004"}) {
    PutNote(name, std::string("x\0", 2));
  }
  OpenNoteBrowser();
  EXPECT_EQ(Strings({"A2008"}), ChildTexts(g_state.treeView, g_state.rootItems[1]));
  EXPECT_EQ(Strings({"CVT1100"}), ChildTexts(g_state.treeView, g_state.rootItems[2]));
  EXPECT_EQ(Strings({"U1050"}), ChildTexts(g_state.treeView, g_state.rootItems[3]));
  EXPECT_EQ(Strings({"LNK1104"}), ChildTexts(g_state.treeView, g_state.rootItems[4]));
  EXPECT_EQ(Strings({"RC2104", "RW1004"}), ChildTexts(g_state.treeView, g_state.rootItems[5]));
  const TVITEMA data = ItemData(g_state.treeView, Note(1, "A2008"));
  EXPECT_EQ(1, data.iImage);
  EXPECT_EQ(1, data.iSelectedImage);
  SaveScreenshot(g_state.browserWindow, "note_browser");
}

TEST_F(NoteCatalogueTest, NotesSortByTextUnderTheirRoot) {
  for (const char* name : {"A2008", "A4011", "A1100"}) PutNote(name, std::string("x\0", 2));
  OpenNoteBrowser();
  EXPECT_EQ(Strings({"A1100", "A2008", "A4011"}), ChildTexts(g_state.treeView, g_state.rootItems[1]));
}

TEST_F(NoteCatalogueTest, EmptyNotesFolderGivesTheFiveRootsAlone) {
  OpenNoteBrowser();
  EXPECT_EQ(5, SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0));
}

// An item's text is the name Delete removes the note under, so a file is
// listed only when its whole name before ".note" is the canonical name of an
// error number, but for letter case: a file that only begins with one, or
// names it otherwise, is no note of that number and must never be shown, or
// deleted, as it.
TEST_F(NoteCatalogueTest, OnlyFilesNamedByAnErrorNumberAreListed) {
  struct Case {
    const char* name;    // the file name before ".note"
    const char* listed;  // as what; null: not listed
  };
  const Case cases[] = {
      {"A2008", "A2008"},  {"A2008.old", nullptr}, {"A2008 ", nullptr},   {"A2008.", nullptr},
      {"a2009", "A2009"},  {"A200800", nullptr},   {"A2008000", nullptr}, {"LNKA1", nullptr},
      {"CVTR1", nullptr},  {"U", nullptr},         {"", nullptr},         {"lower", nullptr},
      {"A02010", nullptr}, {"A 2011", nullptr},    {"A12", nullptr},      {"ABCDEFGHIJKLMNOPQRS", nullptr},
  };
  Strings expected;
  for (const Case& c : cases) {
    PutNote(c.name, std::string(c.name) + '\0');
    if (c.listed != nullptr) expected.push_back(c.listed);
  }
  // Names of devices, which no note operation may reach: written only
  // through the \\?\ form of their paths.
  for (const char* device : {"AUX.A2008", "PRN", "NUL "}) {
    WriteFileBytes("\\\\?\\" + NotePathOf(device), std::string("x\0", 2));
  }
  OpenNoteBrowser();
  std::sort(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  EXPECT_EQ(expected, ChildTexts(g_state.treeView, g_state.rootItems[1]));
  EXPECT_EQ(5 + expected.size(), static_cast<size_t>(SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0)));

  SelectItem(g_state.treeView, Note(1, "A2008"));
  EXPECT_EQ("A2008", TextOf(g_state.noteEdit));
  Click(g_state.deleteButton);
  EXPECT_FALSE(FileExists(NotePathOf("A2008")));
  EXPECT_EQ(std::string("A2008.old") + '\0', NoteBytes("A2008.old")) << "another file was deleted";
}

TEST_F(NoteCatalogueTest, SelectingANoteShowsItAndEnablesTheButtonsARootEmptiesAndDisables) {
  PutNote("A2008", std::string("first line\r\nsecond line\0", 24));
  OpenNoteBrowser();
  ExpectButtonsEnabled(false);
  SelectItem(g_state.treeView, Note(1, "A2008"));
  EXPECT_EQ("first line\r\nsecond line", TextOf(g_state.noteEdit));
  EXPECT_STREQ("A2008", g_state.selectedNote);
  ExpectButtonsEnabled(true);
  SaveScreenshot(g_state.browserWindow, "note_browser_a2008");
  SelectItem(g_state.treeView, g_state.rootItems[1]);
  EXPECT_EQ("", TextOf(g_state.noteEdit));
  ExpectButtonsEnabled(false);
}

TEST_F(NoteCatalogueTest, SaveWritesTheEditedTextAndKeepsTheSelection) {
  PutNote("U1050", std::string("before\0", 7));
  PutNote("U1051", std::string("other\0", 6));
  OpenNoteBrowser();
  HTREEITEM item = Note(3, "U1050");
  SelectItem(g_state.treeView, item);
  SetControlText(g_state.noteEdit, "after");
  Click(g_state.saveButton);
  EXPECT_EQ(std::string("after\0", 6), NoteBytes("U1050"));
  EXPECT_EQ(std::string("other\0", 6), NoteBytes("U1051"));
  EXPECT_EQ(item, TreeNext(g_state.treeView, nullptr, TVGN_CARET));
  EXPECT_EQ("after", TextOf(g_state.noteEdit));
  ExpectButtonsEnabled(true);
}

TEST_F(NoteCatalogueTest, DeletingTheNoteOnDisplayRemovesItsFileAndTurnsTheIconGrey) {
  PutNote("A2008", std::string("x\0", 2));
  PutNote("LNK1104", std::string("y\0", 2));
  ShowNoteOfNumberOnDisplay("A2008", "A2008");
  SetFocus(g_state.deleteButton);  // where a click on it puts the focus
  Click(g_state.deleteButton);
  EXPECT_EQ(g_state.treeView, GetFocus()) << "the keyboard focus is lost";
  EXPECT_FALSE(FileExists(NotePathOf("A2008")));
  EXPECT_TRUE(FileExists(NotePathOf("LNK1104")));
  EXPECT_EQ(Strings(), ChildTexts(g_state.treeView, g_state.rootItems[1]));
  EXPECT_EQ(0, g_state.noteExists);
  EXPECT_EQ(reinterpret_cast<LRESULT>(g_state.notePicture), SendMessageA(g_state.noteIcon, STM_GETICON, 0, 0));
  EXPECT_EQ("", TextOf(g_state.noteEdit));
  ExpectButtonsEnabled(false);
}

// A note that could not be written keeps its text on display; a box owned by
// the browser says why, and the stored note keeps its bytes.
TEST_F(NoteCatalogueTest, SaveThatCannotWriteKeepsTheTextAndSaysWhy) {
  PutNote("U1050", std::string("before\0", 7));
  OpenNoteBrowser();
  SelectItem(g_state.treeView, Note(3, "U1050"));
  SetControlText(g_state.noteEdit, "after");
  HANDLE held = CreateFileA(NotePathOf("U1050").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  AnswerNextMessageBox(IDOK);
  Click(g_state.saveButton);
  StopAnswering();
  CloseHandle(held);
  ASSERT_TRUE(g_box.shown) << "no word of the failure";
  EXPECT_EQ(g_state.browserWindow, g_box.owner);
  const std::string sentence = "The note for U1050 could not be saved.\r\n\r\n";
  EXPECT_EQ(0u, g_box.text.find(sentence)) << g_box.text;
  EXPECT_GT(g_box.text.size(), sentence.size()) << "no reason given";
  EXPECT_EQ("after", TextOf(g_state.noteEdit));
  EXPECT_EQ(std::string("before\0", 7), NoteBytes("U1050"));
  ExpectButtonsEnabled(true);
}

// A note that cannot be deleted stays: its item, its text, the buttons and
// the note icon; a box owned by the browser says why.
TEST_F(NoteCatalogueTest, DeleteThatCannotDeleteChangesNothingAndSaysWhy) {
  struct Case {
    const char* what;
    bool readOnly;  // otherwise held open by another program
  };
  for (const Case& c : {Case{"read-only note", true}, Case{"note held open by another program", false}}) {
    SCOPED_TRACE(c.what);
    PutNote("A2008", std::string("kept\0", 5));
    ShowNoteOfNumberOnDisplay("A2008", "A2008");
    if (c.readOnly) SetFileAttributesA(NotePathOf("A2008").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = c.readOnly ? INVALID_HANDLE_VALUE
                             : CreateFileA(NotePathOf("A2008").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    AnswerNextMessageBox(IDOK);
    Click(g_state.deleteButton);
    StopAnswering();
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    SetFileAttributesA(NotePathOf("A2008").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(g_box.shown) << "no word of the failure";
    EXPECT_EQ(g_state.browserWindow, g_box.owner);
    const std::string sentence = "The note for A2008 could not be deleted.\r\n\r\n";
    EXPECT_EQ(0u, g_box.text.find(sentence)) << g_box.text;
    EXPECT_GT(g_box.text.size(), sentence.size()) << "no reason given";
    EXPECT_EQ(std::string("kept\0", 5), NoteBytes("A2008"));
    EXPECT_EQ(Note(1, "A2008"), TreeNext(g_state.treeView, nullptr, TVGN_CARET));
    EXPECT_EQ("kept", TextOf(g_state.noteEdit));
    ExpectButtonsEnabled(true);
    EXPECT_EQ(1, g_state.noteExists);
    SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
  }
}

// A note that cannot be read shows why, read-only, so that nothing typed is
// lost; Save (Ctrl+S) says why it cannot save, and nothing replaces the note.
TEST_F(NoteCatalogueTest, NoteThatCannotBeReadIsShownReadOnlyWithTheReason) {
  PutNote("A2008", std::string("kept\0", 5));
  OpenNoteBrowser();
  HANDLE held = CreateFileA(NotePathOf("A2008").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SelectItem(g_state.treeView, Note(1, "A2008"));
  CloseHandle(held);
  EXPECT_EQ(0u, TextOf(g_state.noteEdit).find("The note for A2008 could not be read.\r\n\r\n")) << TextOf(g_state.noteEdit);
  EXPECT_NE(0, GetWindowLongA(g_state.noteEdit, GWL_STYLE) & ES_READONLY);
  ExpectButtonsEnabled(true);
  AnswerNextMessageBox(IDOK);
  SendMessageA(g_state.browserWindow, WM_COMMAND, MAKEWPARAM(kSaveButtonId | kKeyCommandMark, 1), 0);  // Ctrl+S
  StopAnswering();
  ASSERT_TRUE(g_box.shown) << "Ctrl+S said nothing";
  EXPECT_EQ(0u, g_box.text.find("The note for A2008 cannot be saved: it could not be read.")) << g_box.text;
  EXPECT_EQ(std::string("kept\0", 5), NoteBytes("A2008"));
}

TEST_F(NoteCatalogueTest, DeletingTheNoteOnDisplayIgnoresLetterCase) {
  PutNote("A2008", std::string("x\0", 2));
  SetCurrentNumber("a2008");
  SetNoteIcon(true);
  OpenNoteBrowser();
  SelectItem(g_state.treeView, Note(1, "A2008"));
  Click(g_state.deleteButton);
  EXPECT_EQ(0, g_state.noteExists);
}

TEST_F(NoteCatalogueTest, DeletingAnotherNoteLeavesTheIconAlone) {
  PutNote("A2008", std::string("x\0", 2));
  PutNote("LNK1104", std::string("y\0", 2));
  SetCurrentNumber("A2008");
  SetNoteIcon(true);
  const HICON picture = g_state.notePicture;
  OpenNoteBrowser();
  SelectItem(g_state.treeView, Note(4, "LNK1104"));
  Click(g_state.deleteButton);
  EXPECT_FALSE(FileExists(NotePathOf("LNK1104")));
  EXPECT_TRUE(FileExists(NotePathOf("A2008")));
  EXPECT_EQ(1, g_state.noteExists);
  EXPECT_EQ(picture, g_state.notePicture);
}

// Removing the selected item selects its sibling before the removal returns;
// Delete must still remove the file of the note it was clicked for.
TEST_F(NoteCatalogueTest, DeleteRemovesTheRightFileWhenTheSelectionMovesToASibling) {
  PutNote("A2008", std::string("note of A2008\0", 14));
  PutNote("A2009", std::string("note of A2009\0", 14));
  ShowNoteOfNumberOnDisplay("A2009", "A2008");
  Click(g_state.deleteButton);
  EXPECT_FALSE(FileExists(NotePathOf("A2008")));
  EXPECT_EQ(std::string("note of A2009\0", 14), NoteBytes("A2009"));
  EXPECT_EQ(Strings({"A2009"}), ChildTexts(g_state.treeView, g_state.rootItems[1]));
  EXPECT_EQ(Note(1, "A2009"), TreeNext(g_state.treeView, nullptr, TVGN_CARET));
  EXPECT_STREQ("A2009", g_state.selectedNote);
  EXPECT_EQ("note of A2009", TextOf(g_state.noteEdit));
  ExpectButtonsEnabled(true);
  EXPECT_EQ(1, g_state.noteExists) << "A2009, on display, still has its note";
}

// Only a command sent by a program can come from a disabled button; it must
// not remove the whole tree or write a note.
TEST_F(NoteCatalogueTest, CommandsOfTheDisabledButtonsDoNothing) {
  PutNote("A2008", std::string("x\0", 2));
  OpenNoteBrowser();
  SelectItem(g_state.treeView, Note(1, "A2008"));
  SelectItem(g_state.treeView, g_state.rootItems[1]);
  SetControlText(g_state.noteEdit, "typed");
  SendMessageA(g_state.browserWindow, WM_COMMAND, kDeleteButtonId, reinterpret_cast<LPARAM>(g_state.deleteButton));
  SendMessageA(g_state.browserWindow, WM_COMMAND, kSaveButtonId, reinterpret_cast<LPARAM>(g_state.saveButton));
  EXPECT_EQ(std::string("x\0", 2), NoteBytes("A2008"));
  EXPECT_EQ(6, SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0));
}

}  // namespace
