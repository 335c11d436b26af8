// The note editor: caption, geometry and controls, focus, the disabled lookup
// window, Save and Close, reopening, and host shutdown with the editor open.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/entry_points.h"
#include "tests/windows/support/addin_harness.h"
#include "tests/windows/support/keys.h"
#include "tests/windows/support/message_box.h"
#include "ui/note_editor/note_editor.h"

using namespace orva;
using namespace harness;

namespace {

const char kNoteClass[] = "ORVARA_Note";

class NoteEditorTest : public AddinTest {
 protected:
  HWND Open(int mode, const char* number) {
    SetCurrentNumber(number);
    OpenNoteEditor(mode);
    return g_state.noteEditor;
  }

  HWND Button(int id) const { return GetDlgItem(g_state.noteEditor, id); }

  // What every closing leaves behind, whatever closed the editor.
  void ExpectClosed(HWND editor) {
    EXPECT_FALSE(IsWindow(editor)) << "the editor window still exists";
    EXPECT_EQ(nullptr, g_state.noteEditor);
    EXPECT_EQ(nullptr, g_state.noteEdit) << "the handle of the destroyed text area is kept";
    EXPECT_FALSE(ClassRegistered(kNoteClass)) << "the class outlives the editor";
    EXPECT_TRUE(IsWindowEnabled(g_state.lookupWindow)) << "the lookup window stays disabled";
  }
};

TEST_F(NoteEditorTest, CreateModeCaptionEmptyFocusedTextAndDisabledLookupWindow) {
  HWND editor = Open(kCreateNoteMode, "A2008");
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("Create Note for - A2008", TextOf(editor));
  EXPECT_EQ("", TextOf(g_state.noteEdit));
  EXPECT_EQ(g_state.noteEdit, GetFocus()) << "got focus " << GetFocus() << ", text area " << g_state.noteEdit;
  EXPECT_FALSE(IsWindowEnabled(g_state.lookupWindow));
  EXPECT_TRUE(ClassRegistered(kNoteClass));
  SaveScreenshot(editor, "note_editor_create");
}

TEST_F(NoteEditorTest, EditModeCaptionAndTheLoadedNote) {
  PutNote("A2008", std::string("stored note\0", 12));
  HWND editor = Open(kEditNoteMode, "A2008");
  LoadNote(g_state.currentNumber);  // what the lookup window does next
  EXPECT_EQ("Edit Note for - A2008", TextOf(editor));
  EXPECT_EQ("stored note", TextOf(g_state.noteEdit));
  SaveScreenshot(editor, "note_editor_edit");
}

TEST_F(NoteEditorTest, WindowIsA400By275ToolWindowCentredOnTheScreen) {
  HWND editor = Open(kCreateNoteMode, "A2008");
  RECT rect = {};
  GetWindowRect(editor, &rect);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - 400) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - 275) / 2;
  EXPECT_EQ(x, rect.left);
  EXPECT_EQ(y, rect.top);
  EXPECT_EQ(400, rect.right - rect.left);
  EXPECT_EQ(275, rect.bottom - rect.top);
  const LONG style = GetWindowLongA(editor, GWL_STYLE);
  EXPECT_EQ(WS_POPUP | WS_CAPTION, style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) << std::hex << style;
  EXPECT_TRUE(GetWindowLongA(editor, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(g_state.lookupWindow, GetWindow(editor, GW_OWNER));
}

TEST_F(NoteEditorTest, TextAreaSaveAndCloseInTheirPlacesWithTheSharedFont) {
  HWND editor = Open(kCreateNoteMode, "A2008");
  struct Expected {
    const char* className;
    const char* text;
    int id;
    RECT rect;
  };
  const Expected expected[] = {
      {"RICHEDIT", "", 0, {5, 5, 390, 205}},
      {"Button", "Save", kSaveButtonId, {280, 220, 330, 245}},
      {"Button", "Close", kCloseButtonId, {340, 220, 390, 245}},
  };
  const std::vector<HWND> children = ChildrenOf(editor);
  ASSERT_EQ(3u, children.size());
  EXPECT_EQ(g_state.noteEdit, children[0]);
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(expected[i].className);
    EXPECT_STRCASEEQ(expected[i].className, ClassOf(children[i]).c_str());
    EXPECT_EQ(expected[i].text, TextOf(children[i]));
    EXPECT_EQ(expected[i].id, GetDlgCtrlID(children[i]));
    const RECT got = ClientRectOf(children[i]);
    EXPECT_TRUE(EqualRect(&expected[i].rect, &got))
        << "got " << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    EXPECT_EQ("MS Sans Serif", FontFaceOf(children[i]));
  }
  EXPECT_TRUE(GetWindowLongA(children[0], GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongA(children[0], GWL_STYLE) & ES_MULTILINE);
}

TEST_F(NoteEditorTest, EtchedSeparatorIsPaintedAcrossAtY210) {
  HWND editor = Open(kCreateNoteMode, "A2008");
  UpdateWindow(editor);
  PumpMessages();
  HDC dc = GetDC(editor);
  for (int x : {6, 200, 389}) {
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), GetPixel(dc, x, 210)) << "x " << x;
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), GetPixel(dc, x, 211)) << "x " << x;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(dc, x, 212)) << "x " << x;
  }
  ReleaseDC(editor, dc);
}

TEST_F(NoteEditorTest, SaveWritesTheNoteTurnsTheIconYellowAndCloses) {
  HWND editor = Open(kCreateNoteMode, "A2008");
  SetControlText(g_state.noteEdit, "abc");
  Click(Button(kSaveButtonId));
  EXPECT_EQ(std::string("abc\0", 4), NoteBytes("A2008"));
  EXPECT_EQ(1, g_state.noteExists);
  EXPECT_EQ(reinterpret_cast<LRESULT>(g_state.notePicture), SendMessageA(g_state.noteIcon, STM_GETICON, 0, 0));
  ExpectClosed(editor);
}

// A note that could not be written: the editor stays open with the typed
// text, the note icon and the stored note (or its absence) stay as they
// were, and a box owned by the editor says why.
TEST_F(NoteEditorTest, SaveThatCannotWriteKeepsTheEditorOpenAndSaysWhy) {
  struct Case {
    const char* what;
    bool noteStored;
    DWORD reason;  // 0: whatever the platform answers for a file held open
  };
  const Case cases[] = {
      {"note held open by another program", true, 0},
      {"notes folder gone", false, ERROR_PATH_NOT_FOUND},
  };
  const std::string sentence = "The note for A2008 could not be saved.\r\n\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.noteStored) PutNote("A2008", std::string("stored\0", 7));
    SetNoteIcon(c.noteStored);
    const HICON picture = g_state.notePicture;
    HWND editor = Open(c.noteStored ? kEditNoteMode : kCreateNoteMode, "A2008");
    SetControlText(g_state.noteEdit, "typed");
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.noteStored) {
      held = CreateFileA(NotePathOf("A2008").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    } else {
      RemoveTree(notesFolder_);
    }
    AnswerNextMessageBox(IDOK);
    Click(Button(kSaveButtonId));
    StopAnswering();
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

    ASSERT_TRUE(g_box.shown) << "no word of the failure";
    EXPECT_EQ(editor, g_box.owner);
    if (c.reason != 0) {
      EXPECT_EQ(sentence + SystemWords(c.reason), g_box.text);
    } else {
      EXPECT_EQ(0u, g_box.text.find(sentence)) << g_box.text;
      EXPECT_GT(g_box.text.size(), sentence.size()) << "no reason given";
    }
    EXPECT_TRUE(IsWindow(editor)) << "the editor closed and took the typed text with it";
    EXPECT_EQ("typed", TextOf(g_state.noteEdit));
    EXPECT_FALSE(IsWindowEnabled(g_state.lookupWindow));
    EXPECT_EQ(c.noteStored ? 1 : 0, g_state.noteExists);
    EXPECT_EQ(picture, g_state.notePicture) << "the note picture was replaced";
    EXPECT_EQ(c.noteStored ? std::string("stored\0", 7) : std::string(), NoteBytes("A2008"));
    SendMessageA(editor, WM_CLOSE, 0, 0);
    CreateDirectoryA(notesFolder_.c_str(), nullptr);
  }
}

TEST_F(NoteEditorTest, SaveOfAnEmptyTextStoresOneZeroByte) {
  Open(kCreateNoteMode, "A2008");
  Click(Button(kSaveButtonId));
  EXPECT_EQ(std::string("\0", 1), NoteBytes("A2008"));
}

// Text typed since the editor opened is never dropped unasked: Close and
// Escape ask "Save the changes ...?" with Yes, No and Cancel. Yes saves, No
// drops, Cancel keeps the editor open with its text. Without a change (or a
// new note whose text was typed and erased) the editor closes at once.
TEST_F(NoteEditorTest, TypedTextIsAskedAboutOnCloseAndEscape) {
  enum Way { kCloseButton, kEscape };
  struct Case {
    const char* what;
    int mode;
    Way way;
    const char* typed;  // typed into the text area
    bool erased;        // then as many Backspaces
    int answer;         // 0: no question expected
    const char* stored; // the note file afterwards; null: none
    bool open;          // the editor still open afterwards
  };
  const Case cases[] = {
      {"Close, nothing typed", kEditNoteMode, kCloseButton, "", false, 0, "old", false},
      {"Close, No", kEditNoteMode, kCloseButton, "new ", false, IDNO, "old", false},
      {"Close, Cancel", kEditNoteMode, kCloseButton, "new ", false, IDCANCEL, "old", true},
      {"Close, Yes", kEditNoteMode, kCloseButton, "new ", false, IDYES, "new old", false},
      {"Escape, Cancel", kEditNoteMode, kEscape, "new ", false, IDCANCEL, "old", true},
      {"Escape, Yes", kEditNoteMode, kEscape, "new ", false, IDYES, "new old", false},
      {"Escape, a new note typed and erased", kCreateNoteMode, kEscape, "xy", true, 0, nullptr, false},
      {"Close, a new note, No", kCreateNoteMode, kCloseButton, "new", false, IDNO, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.mode == kEditNoteMode) PutNote("A2008", std::string("old\0", 4));
    SetNoteIcon(c.mode == kEditNoteMode);
    SetCurrentNumber("A2008");
    OpenNoteEditor(c.mode, c.mode == kEditNoteMode ? "old" : nullptr);
    HWND editor = g_state.noteEditor;
    SetForegroundWindow(editor);
    SendMessageA(g_state.noteEdit, EM_SETSEL, 0, 0);
    standin::TypeText(c.typed);
    for (size_t i = 0; c.erased && i < strlen(c.typed); ++i) PressKey(VK_BACK);
    const std::string text = TextOf(g_state.noteEdit);
    AnswerNextMessageBox(c.answer != 0 ? c.answer : IDCANCEL);
    if (c.way == kCloseButton) {
      Click(Button(kCloseButtonId));
    } else {
      PressKey(VK_ESCAPE);
    }
    StopAnswering();
    EXPECT_EQ(c.answer != 0, g_box.shown);
    if (g_box.shown) {
      EXPECT_EQ("Save the changes to the note A2008?", g_box.text);
      EXPECT_TRUE(g_box.yes && g_box.no && g_box.cancel);
      EXPECT_EQ(editor, g_box.owner);
    }
    if (c.stored != nullptr) {
      EXPECT_EQ(std::string(c.stored) + '\0', NoteBytes("A2008"));
    } else {
      EXPECT_FALSE(FileExists(NotePathOf("A2008")));
    }
    EXPECT_EQ(c.open, IsWindow(editor) != FALSE);
    if (c.open) {
      EXPECT_EQ(text, TextOf(g_state.noteEdit)) << "Cancel keeps the text";
      SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);
      Click(Button(kCloseButtonId));
    }
    ExpectClosed(editor);
    RemoveTree(notesFolder_);
    CreateDirectoryA(notesFolder_.c_str(), nullptr);
  }
}

// Ctrl+S is the Save button, pressed wherever the editor's focus is; Tab and
// Shift+Tab move between the text and the buttons.
TEST_F(NoteEditorTest, CtrlSSavesAndTabMovesThroughTheEditor) {
  PutNote("A2008", std::string("old\0", 4));
  HWND editor = Open(kEditNoteMode, "A2008");
  SetForegroundWindow(editor);
  standin::TypeText("typed");
  PressKey(VK_TAB);
  EXPECT_EQ(Button(kSaveButtonId), GetFocus());
  PressKey(VK_TAB);
  EXPECT_EQ(Button(kCloseButtonId), GetFocus());
  PressKey(VK_TAB);
  EXPECT_EQ(g_state.noteEdit, GetFocus()) << "Tab goes round";
  PressKey(VK_TAB, false, true);
  EXPECT_EQ(Button(kCloseButtonId), GetFocus()) << "Shift+Tab goes back";
  PressKey('S', true);
  EXPECT_EQ(std::string("typed\0", 6), NoteBytes("A2008"));
  ExpectClosed(editor);
}

TEST_F(NoteEditorTest, OpenCloseAndOpenAgainWorksEveryTime) {
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    HWND editor = Open(round % 2 == 0 ? kCreateNoteMode : kEditNoteMode, "U1050");
    ASSERT_TRUE(IsWindow(editor));
    EXPECT_EQ(kNoteClass, ClassOf(editor));
    EXPECT_FALSE(IsWindowEnabled(g_state.lookupWindow));
    SendMessageA(editor, WM_CLOSE, 0, 0);  // as the system would
    ExpectClosed(editor);
  }
}

// A host word can run a lookup behind the open editor: the note still goes
// under the number in the caption, and the note icon keeps showing the
// number on display.
TEST_F(NoteEditorTest, SaveAfterALookupBehindTheEditorUsesTheCaptionNumber) {
  HWND editor = Open(kCreateNoteMode, "A2008");
  SetCurrentNumber("LNK1104");
  SetNoteIcon(false);
  SetControlText(g_state.noteEdit, "for A2008");
  Click(Button(kSaveButtonId));
  EXPECT_EQ(std::string("for A2008\0", 10), NoteBytes("A2008"));
  EXPECT_FALSE(FileExists(NotePathOf("LNK1104")));
  EXPECT_EQ(0, g_state.noteExists) << "the icon must describe LNK1104, which has no note";
  ExpectClosed(editor);
}

TEST_F(NoteEditorTest, SaveTurnsTheIconYellowWhenTheNumberOnDisplayDiffersOnlyInCase) {
  Open(kCreateNoteMode, "A2008");
  SetCurrentNumber("a2008");
  Click(Button(kSaveButtonId));
  EXPECT_EQ(1, g_state.noteExists);
}

TEST_F(NoteEditorTest, NineCharacterNumberFillsTheCaptionExactly) {
  HWND editor = Open(kCreateNoteMode, "A12345678");
  EXPECT_EQ("Create Note for - A12345678", TextOf(editor));
}

// A number that does not fit the 28-byte caption opens no editor: a cut
// caption would name a number other than the one saved.
TEST_F(NoteEditorTest, NumberTooLongForTheCaptionOpensNoEditor) {
  for (int mode : {kCreateNoteMode, kEditNoteMode}) {
    SCOPED_TRACE(mode);
    HWND editor = Open(mode, "A12345678901");
    EXPECT_EQ(nullptr, editor);
    EXPECT_EQ(nullptr, FindWindowA(kNoteClass, nullptr));
    EXPECT_EQ(nullptr, g_state.noteEdit) << "a following LoadNote must reach no control";
    EXPECT_LT(strlen(g_state.editorCaption), sizeof g_state.editorCaption);
    EXPECT_FALSE(ClassRegistered(kNoteClass));
    EXPECT_TRUE(IsWindowEnabled(g_state.lookupWindow));
  }
}

}  // namespace
