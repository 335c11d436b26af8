// The note editor reached as the user reaches it: the real orvara.dll in the
// stand-in host, a lookup, and a click on the lookup window's note icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/support/host_harness.h"

using namespace hostharness;

namespace {

class NoteEditorHostTest : public HostTest {
 protected:
  static HWND TextArea(HWND editor) { return GetWindow(editor, GW_CHILD); }
  static void Click(HWND editor, int button) { SendMessageA(GetDlgItem(editor, button), BM_CLICK, 0, 0); }

  void ExpectClosed(HWND editor) {
    EXPECT_FALSE(IsWindow(editor)) << "the editor window still exists";
    EXPECT_FALSE(ClassRegistered(kNoteEditorClass)) << "the class outlives the editor";
    EXPECT_TRUE(IsWindowEnabled(view_.window)) << "the lookup window stays disabled";
  }
};

// Typed with a blank, A2008 is found, and the note made is A2008's.
TEST_F(NoteEditorHostTest, YesOpensTheCreateEditorAndSaveStoresTheTypedNote) {
  LookUp("A 2008");
  HWND editor = OpenEditorFromNoteIcon();
  ASSERT_TRUE(g_box.shown) << "no question before creating a note";
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("Create Note for - A2008", standin::TextOf(editor));
  EXPECT_EQ(TextArea(editor), GetFocus()) << "the text area has no focus";
  EXPECT_FALSE(IsWindowEnabled(view_.window));
  EXPECT_TRUE(ClassRegistered(kNoteEditorClass));
  standin::TypeText("typed note");
  standin::PumpMessages(50);
  standin::SaveScreenshot(folder_ + "..\\note_editor_in_host.bmp");
  Click(editor, orva::kSaveButtonId);
  EXPECT_EQ(std::string("typed note\0", 11), NoteBytes("A2008"));
  EXPECT_TRUE(NoteIconShows(IDI_NOTE_PRESENT));
  ExpectClosed(editor);
}

TEST_F(NoteEditorHostTest, NoOpensNoEditor) {
  LookUp("A2008");
  ClickAnswering(view_.noteIcon, IDNO);
  EXPECT_EQ(nullptr, FindWindowA(kNoteEditorClass, nullptr));
  EXPECT_TRUE(IsWindowEnabled(view_.window));
}

TEST_F(NoteEditorHostTest, StoredNoteOpensTheEditModeEditorShowingIt) {
  PutNote("A2008", std::string("kept\r\nover two lines\0", 21));
  LookUp("A2008");
  ASSERT_TRUE(NoteIconShows(IDI_NOTE_PRESENT));
  const bool asked = ClickAnswering(view_.noteIcon, IDNO);
  HWND editor = FindWindowA(kNoteEditorClass, nullptr);
  EXPECT_FALSE(asked) << "a stored note opens without a question";
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("Edit Note for - A2008", standin::TextOf(editor));
  EXPECT_EQ("kept\r\nover two lines", standin::TextOf(TextArea(editor)));
}

// A stored note that cannot be read opens no editor, whose empty text a Save
// would store over the note; the lookup window says why, and its note icon
// then shows whether a note is there at all.
TEST_F(NoteEditorHostTest, StoredNoteThatCannotBeReadOpensNoEditorAndSaysWhy) {
  struct Case {
    const char* what;
    bool held;     // held open by another program, or else gone since the lookup
    DWORD reason;  // 0: whatever the platform answers for a file held open
    int icon;
  };
  const Case cases[] = {
      {"held open", true, 0, IDI_NOTE_PRESENT},
      {"gone since the lookup", false, ERROR_FILE_NOT_FOUND, IDI_NO_NOTE},
  };
  const std::string sentence = "The note for A2008 could not be read.\r\n\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutNote("A2008", std::string("kept\0", 5));
    LookUp("A2008");
    ASSERT_TRUE(NoteIconShows(IDI_NOTE_PRESENT));
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.held) {
      held = CreateFileA(NotePath("A2008").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    } else {
      DeleteFileA(NotePath("A2008").c_str());
    }
    ClickAnswering(view_.noteIcon, IDOK);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

    ASSERT_TRUE(g_box.shown) << "no word of the failure";
    EXPECT_EQ(view_.window, g_box.owner);
    if (c.reason != 0) {
      EXPECT_EQ(sentence + SystemWords(c.reason), g_box.text);
    } else {
      EXPECT_EQ(0u, g_box.text.find(sentence)) << g_box.text;
      EXPECT_GT(g_box.text.size(), sentence.size()) << "no reason given";
    }
    EXPECT_EQ(nullptr, FindWindowA(kNoteEditorClass, nullptr));
    EXPECT_TRUE(IsWindowEnabled(view_.window));
    EXPECT_TRUE(NoteIconShows(c.icon));
    EXPECT_EQ(c.held ? std::string("kept\0", 5) : std::string(), NoteBytes("A2008"));
  }
}

// The create question's box runs a message loop: behind it a double-click in
// the output pane can run another lookup, and the host can close. Yes then
// opens the editor only for the number asked about, still on display without
// a note, while the add-in is installed; never one that would save over
// another number's note.
TEST_F(NoteEditorHostTest, YesOpensTheEditorOnlyForTheNumberAskedAboutWhileInstalled) {
  struct Case {
    const char* meanwhile;
    void (*happen)();
    bool opens;
  };
  const Case cases[] = {
      {"double-click on the same number", [] { standin::DoubleClickWordInOutput("A2008", "A2008"); }, true},
      {"double-click on a number with a note", [] { standin::DoubleClickWordInOutput("LNK1104", "LNK1104"); }, false},
      {"double-click on another without one", [] { standin::DoubleClickWordInOutput("U1050", "U1050"); }, false},
      // Last: the add-in is shut down after it.
      {"the host's close", [] { standin::NotifyAddin(standin::g_host.mainWindow, WM_CLOSE, 0, 0); }, false},
  };
  PutNote("LNK1104", std::string("kept\0", 5));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.meanwhile);
    LookUp("A2008");
    ClickAnswering(view_.noteIcon, IDYES, c.happen);
    ASSERT_TRUE(g_box.shown) << "no question";
    HWND editor = FindWindowA(kNoteEditorClass, nullptr);
    EXPECT_EQ(c.opens, editor != nullptr);
    if (editor != nullptr) {
      EXPECT_EQ("Create Note for - A2008", standin::TextOf(editor));
      SendMessageA(editor, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(std::string("kept\0", 5), NoteBytes("LNK1104"));
  }
}

TEST_F(NoteEditorHostTest, CloseChangesNeitherTheNoteFileNorTheIcon) {
  LookUp("A2008");
  HWND editor = OpenEditorFromNoteIcon();
  ASSERT_NE(nullptr, editor);
  standin::TypeText("dropped");
  AnswerNextMessageBox(IDNO);
  Click(editor, orva::kCloseButtonId);
  StopAnswering();
  EXPECT_TRUE(g_box.shown) << "typed text dropped unasked";
  EXPECT_FALSE(FileExists(NotePath("A2008")));
  EXPECT_TRUE(NoteIconShows(IDI_NO_NOTE));
  ExpectClosed(editor);
  // And the editor opens again, as often as asked.
  HWND again = OpenEditorFromNoteIcon();
  ASSERT_NE(nullptr, again);
  EXPECT_EQ("Create Note for - A2008", standin::TextOf(again));
  SendMessageA(again, WM_CLOSE, 0, 0);
  ExpectClosed(again);
}

// A double-click in the output pane runs a lookup behind the open editor.
// The note goes under the number in the editor's caption, and the note icon
// keeps describing the number on display.
TEST_F(NoteEditorHostTest, DoubleClickBehindTheEditorChangesNeitherItsNumberNorTheIconRule) {
  LookUp("A2008");
  HWND editor = OpenEditorFromNoteIcon();
  ASSERT_NE(nullptr, editor);
  SendMessageA(TextArea(editor), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("for A2008"));
  standin::DoubleClickWordInOutput("LNK1104", "LNK1104");
  ASSERT_EQ("LNK1104", standin::TextOf(view_.inputBox)) << "the double-click ran no lookup";
  EXPECT_EQ("Create Note for - A2008", standin::TextOf(editor));
  Click(editor, orva::kSaveButtonId);
  EXPECT_EQ(std::string("for A2008\0", 10), NoteBytes("A2008"));
  EXPECT_FALSE(FileExists(NotePath("LNK1104")));
  EXPECT_TRUE(NoteIconShows(IDI_NO_NOTE)) << "LNK1104, on display, has no note";
  ExpectClosed(editor);
}

// The host's close cannot be refused: the question about typed text has Yes
// and No only, and the editor goes either way. The question is owned by the
// editor, which is disabled under it: nothing can be typed into the text
// the answer is about.
bool g_editorEnabledUnderQuestion;
void NoteWhetherTheEditorIsEnabled() {
  g_editorEnabledUnderQuestion = IsWindowEnabled(FindWindowA(kNoteEditorClass, nullptr)) != FALSE;
}

TEST_F(NoteEditorHostTest, HostCloseAsksAboutTypedTextWithYesAndNoOnly) {
  struct Case {
    const char* what;
    const char* typed;
    int answer;          // 0: no question expected
    const char* stored;  // the note file afterwards; null: none
  };
  const Case cases[] = {
      {"nothing typed", "", 0, nullptr},
      {"No", "dropped", IDNO, nullptr},
      {"Yes", "kept", IDYES, "kept"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (&c != cases) SetUp();  // a host and an add-in of their own for each case
    LookUp("A2008");
    HWND editor = OpenEditorFromNoteIcon();
    ASSERT_NE(nullptr, editor);
    standin::TypeText(c.typed);
    g_editorEnabledUnderQuestion = true;
    AnswerNextMessageBox(c.answer != 0 ? c.answer : IDNO, NoteWhetherTheEditorIsEnabled);
    standin::CloseHost();
    StopAnswering();
    EXPECT_EQ(c.answer != 0, g_box.shown);
    if (g_box.shown) {
      EXPECT_EQ("Save the changes to the note A2008?", g_box.text);
      EXPECT_TRUE(g_box.yes && g_box.no);
      EXPECT_FALSE(g_box.cancel) << "the host's close cannot be cancelled";
      EXPECT_EQ(editor, g_box.owner);
      EXPECT_FALSE(g_editorEnabledUnderQuestion) << "the text can be typed on under the question";
    }
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_FALSE(ClassRegistered(kNoteEditorClass));
    if (c.stored != nullptr) {
      EXPECT_EQ(std::string(c.stored) + '\0', NoteBytes("A2008"));
    } else {
      EXPECT_FALSE(FileExists(NotePath("A2008")));
    }
    standin::UnloadAddin();
    RemoveTree(folder_);
  }
}

// InstallDll turns the add-in off and on again while the editor's question
// is up: the close waits for the question, and then runs once, whole; the
// add-in starts again after it, with one menu item and one set of shared
// resources, which the host's close releases.
void TurnOffAndOnAgain() {
  AnswerNextMessageBox(IDNO);  // the close's own question: the typed text goes
  uint32_t hooks[standin::kHookRegisters] = {};
  standin::CallInstallDll(standin::g_host.installDll, standin::g_host.mainWindow, 0, &hooks);
  standin::CallInstallDll(standin::g_host.installDll, standin::g_host.mainWindow, 1, &hooks);
}

TEST_F(NoteEditorHostTest, InstallDllOffAndOnUnderAQuestionClosesOnceAndStartsAgain) {
  LookUp("A2008");
  HWND editor = OpenEditorFromNoteIcon();
  ASSERT_NE(nullptr, editor);
  standin::TypeText("typed");
  AnswerNextMessageBox(IDCANCEL, TurnOffAndOnAgain);
  SendMessageA(editor, WM_CLOSE, 0, 0);
  StopAnswering();
  standin::PumpMessages(20);
  EXPECT_FALSE(IsWindow(editor)) << "the close was lost";
  EXPECT_FALSE(IsWindow(view_.window));
  EXPECT_FALSE(FileExists(NotePath("A2008")));
  int position = 0;
  const UINT item = standin::FindMenuItem("ORVA", &position);
  ASSERT_NE(0u, item) << "the add-in did not start again";
  EXPECT_EQ(2, GetMenuItemCount(GetSubMenu(standin::MainMenu(), position))) << "two menu items";
  standin::ChooseMenuItem(item);
  ASSERT_TRUE(standin::FindLookupView(&view_));
  standin::CloseHost();
  standin::PumpMessages(20);
  EXPECT_EQ(nullptr, GetModuleHandleA("riched32.dll")) << "the shared resources were acquired twice";
  SetUp();
}

}  // namespace
