// The browser's keys, pressed as real key events: Escape and Ctrl+S, and the
// Note Browser's question before an edited note goes from view.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/support/addin_harness.h"
#include "tests/windows/support/keys.h"
#include "tests/windows/support/message_box.h"

using namespace orva;
using namespace harness;

namespace {

class FindAndKeysTest : public AddinTest {
 protected:
  HWND Open(uint32_t mode) {
    OpenBrowserInMode(mode);
    SetForegroundWindow(g_state.browserWindow);
    PumpMessages();
    return g_state.browserWindow;
  }

  static std::string Selected() {
    return ItemText(g_state.treeView, TreeNext(g_state.treeView, nullptr, TVGN_CARET));
  }
};

TEST_F(FindAndKeysTest, CtrlSSavesTheNoteOnlyWhileSaveIsOnAndEscapeCloses) {
  PutNote("A2008", std::string("old\0", 4));
  HWND browser = Open(kNoteBrowserIconId);
  EXPECT_EQ(g_state.treeView, GetFocus()) << "the tree has the keyboard focus when the browser opens";
  SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008"));
  SetFocus(g_state.noteEdit);
  SendMessageA(g_state.noteEdit, EM_SETSEL, 0, -1);
  standin::TypeText("new");
  PressKey('S', true);
  EXPECT_EQ(std::string("new\0", 4), NoteBytes("A2008"));
  EXPECT_EQ("new", TextOf(g_state.noteEdit)) << "Ctrl+S typed a character";
  // A root selected: Save is off, and Ctrl+S writes nothing.
  SelectItem(g_state.treeView, g_state.rootItems[1]);
  SetFocus(g_state.noteEdit);
  standin::TypeText("typed");
  PressKey('S', true);
  EXPECT_EQ(std::string("new\0", 4), NoteBytes("A2008"));
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(browser));
  EXPECT_TRUE(IsWindowEnabled(g_state.lookupWindow));
}

// Whatever takes the edited note from view asks first: Yes saves it under
// its name, No drops the changes; an unchanged note is not asked about.
TEST_F(FindAndKeysTest, EditedNoteIsAskedAboutBeforeItGoesFromView) {
  enum Trigger { kSelectAnother, kCollapseAll, kClose };
  for (Trigger trigger : {kSelectAnother, kCollapseAll, kClose}) {
    for (int answer : {IDYES, IDNO}) {
      SCOPED_TRACE("trigger " + std::to_string(trigger) + (answer == IDYES ? ", Yes" : ", No"));
      PutNote("A2008", std::string("old\0", 4));
      PutNote("A2009", std::string("other\0", 6));
      HWND browser = Open(kNoteBrowserIconId);
      SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008"));
      auto takeFromView = [&] {
        if (trigger == kSelectAnother) {
          SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2009"));
        } else if (trigger == kCollapseAll) {
          Click(GetDlgItem(browser, kCollapseAllButtonId));
        } else {
          SendMessageA(browser, WM_CLOSE, 0, 0);
        }
      };
      SetFocus(g_state.noteEdit);
      SendMessageA(g_state.noteEdit, EM_SETSEL, 0, -1);
      standin::TypeText("new");
      AnswerNextMessageBox(answer);
      takeFromView();
      StopAnswering();
      ASSERT_TRUE(g_box.shown);
      EXPECT_EQ("Save the changes to the note A2008?", g_box.text);
      EXPECT_EQ(browser, g_box.owner);
      EXPECT_TRUE(g_box.yes && g_box.no && !g_box.ok);
      EXPECT_EQ(answer == IDYES ? std::string("new\0", 4) : std::string("old\0", 4), NoteBytes("A2008"));
      EXPECT_EQ(std::string("other\0", 6), NoteBytes("A2009"));
      EXPECT_EQ(trigger == kClose, !IsWindow(browser));
      if (IsWindow(browser)) {
        EXPECT_NE("A2008", Selected()) << "the selection did not move on";
        // Nothing changed since: the note goes from view without a question.
        SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008"));
        AnswerNextMessageBox(IDNO);
        takeFromView();
        StopAnswering();
        EXPECT_FALSE(g_box.shown) << "asked about an unchanged note";
        CloseBrowser();
      }
    }
  }
}

// Yes to the question, and the note cannot be written: the user is told, and
// nothing moves, so that the typed text is not lost; the browser stays open.
std::string g_question;
void CALLBACK AnswerTheFailureBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  AnswerNextMessageBox(IDOK);
}
// Runs while the question is up: the failure's box comes once it is answered.
void AnswerTheFailureBoxNext() {
  g_question = g_box.text;
  SetTimer(nullptr, 0, 50, AnswerTheFailureBox);
}

TEST_F(FindAndKeysTest, EditedNoteThatCannotBeSavedStaysInView) {
  PutNote("A2008", std::string("old\0", 4));
  PutNote("A2009", std::string("other\0", 6));
  HWND browser = Open(kNoteBrowserIconId);
  HTREEITEM a2008 = ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008");
  SelectItem(g_state.treeView, a2008);
  SetFocus(g_state.noteEdit);
  SendMessageA(g_state.noteEdit, EM_SETSEL, 0, -1);
  standin::TypeText("new");
  HANDLE held = CreateFileA(NotePathOf("A2008").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  for (int trigger = 0; trigger < 3; ++trigger) {
    SCOPED_TRACE(trigger);
    g_question.clear();
    AnswerNextMessageBox(IDYES, AnswerTheFailureBoxNext);
    if (trigger == 0) SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2009"));
    if (trigger == 1) Click(GetDlgItem(browser, kCollapseAllButtonId));
    if (trigger == 2) PressKey(VK_ESCAPE);
    StopAnswering();
    EXPECT_EQ("Save the changes to the note A2008?", g_question);
    EXPECT_EQ(0u, g_box.text.find("The note for A2008 could not be saved.")) << g_box.text;
    ASSERT_TRUE(IsWindow(browser));
    EXPECT_EQ(a2008, TreeNext(g_state.treeView, nullptr, TVGN_CARET));
    EXPECT_EQ("new", TextOf(g_state.noteEdit));
  }
  CloseHandle(held);
  EXPECT_EQ(std::string("old\0", 4), NoteBytes("A2008"));
  SetFocus(g_state.noteEdit);
  PressKey('S', true);
  EXPECT_EQ(std::string("new\0", 4), NoteBytes("A2008"));
}

}  // namespace
