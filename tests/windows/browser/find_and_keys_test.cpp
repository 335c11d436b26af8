// The browser's keys, pressed as real key events: the Error Browser's find
// box (Ctrl+F, Enter, F3, Escape) over the fixture modules, Escape and Ctrl+S
// in both modes, and the Note Browser's question before an edited note goes
// from view.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/support/addin_harness.h"
#include "tests/windows/support/keys.h"
#include "tests/windows/support/message_box.h"
#include "ui/browser/find_box.h"

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

  static HWND FindBox() { return FindWindowA("ORVARA_Find", nullptr); }
  static std::string Selected() {
    return ItemText(g_state.treeView, TreeNext(g_state.treeView, nullptr, TVGN_CARET));
  }
  static std::string Status() { return TextOf(GetDlgItem(FindBox(), kFindStatusId)); }
  // How much of the selected item's text area the tree paints in the
  // highlight colour, as it paints the selection of a focused tree.
  static double SelectionHighlighted() {
    RECT item = {};
    *reinterpret_cast<HTREEITEM*>(&item) = TreeNext(g_state.treeView, nullptr, TVGN_CARET);
    SendMessageA(g_state.treeView, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item));
    UpdateWindow(g_state.treeView);
    const HDC dc = GetDC(g_state.treeView);
    int highlighted = 0;
    for (int x = item.left; x < item.right; ++x) highlighted += GetPixel(dc, x, (item.top + item.bottom) / 2) == GetSysColor(COLOR_HIGHLIGHT);
    ReleaseDC(g_state.treeView, dc);
    return item.right > item.left ? static_cast<double>(highlighted) / (item.right - item.left) : 0;
  }

  // Ctrl+F, the words typed over the last ones, Enter.
  static void Find(const char* words) {
    PressKey('F', true);
    standin::TypeText(words);
    PressKey(VK_RETURN);
  }
};

TEST_F(FindAndKeysTest, FindSelectsTheNextErrorHoldingEveryWordInTreeOrderAndWraps) {
  HWND browser = Open(kErrorBrowserIconId);
  ASSERT_EQ(g_state.treeView, GetFocus()) << "the tree has the keyboard focus when the browser opens";
  struct Step {
    const char* words;  // null: F3
    const char* selected;
    const char* status;
  } steps[] = {
      {"cannot OPEN", "LNK1104", "1 of 1"},                       // two words in a title, any case
      {"fixture", "A2008", "2 of 4"},                             // after the selection, in the descriptions
      {nullptr, "U1050", "3 of 4"},                               // F3 from the box
      {nullptr, "RC2104", "4 of 4"},
      {nullptr, "LNK1104", "1 of 4"},                             // round from the end to the first
      {"syntax lines", "A2008", "1 of 1"},                        // one word in the title, one in the description
      {"a2009", "A2009", "1 of 1"},                               // the name
      {"missing words", "A2009", "No error holds these words."},  // the selection stays
      {"a12", "A12", "2 of 2"},     // a name first, before A1100, whose title holds it
      {nullptr, "A1100", "1 of 2"},  // then on in tree order
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.words != nullptr ? step.words : "F3");
    if (step.words != nullptr) {
      Find(step.words);
    } else {
      PressKey(VK_F3);
    }
    EXPECT_EQ(step.selected, Selected());
    EXPECT_EQ(step.status, Status());
    ASSERT_TRUE(IsWindowVisible(FindBox()));
  }
  // The selection is shown, highlighted while the box has the keys, and the
  // item's root opened to show it.
  EXPECT_EQ("sorts before A12", TextOf(g_state.browserTitleField));
  EXPECT_EQ(GetDlgItem(FindBox(), kFindEditId), GetFocus());
  EXPECT_GT(SelectionHighlighted(), 0.5);
  EXPECT_TRUE(SendMessageA(g_state.treeView, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(g_state.rootItems[1]),
                           TVIS_EXPANDED) &
              TVIS_EXPANDED);
  Find("fixture");
  SaveScreenshot(browser, "error_browser_find", FindBox());
  RECT box = {};
  RECT tree = {};
  GetWindowRect(FindBox(), &box);
  GetWindowRect(g_state.treeView, &tree);
  EXPECT_FALSE(IntersectRect(&tree, &tree, &box)) << "the find box covers the tree";
  // Escape closes the box alone; F3 with the box closed finds again and
  // leaves it closed.
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(FindBox()));
  ASSERT_TRUE(IsWindow(browser));
  EXPECT_EQ(g_state.treeView, GetFocus());
  PressKey(VK_F3);
  EXPECT_EQ("U1050", Selected());
  EXPECT_FALSE(IsWindowVisible(FindBox()));
  // Escape in the browser closes it, and the box it owns with it; the next
  // browser's finds know nothing of this one's tree.
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(browser));
  EXPECT_EQ(nullptr, FindBox());
  Open(kErrorBrowserIconId);
  Find("cannot open");
  EXPECT_EQ("LNK1104", Selected());
}

TEST_F(FindAndKeysTest, F3BeforeAnyWordsOpensTheBoxToAskForThem) {
  Open(kErrorBrowserIconId);
  PressKey(VK_F3);
  ASSERT_TRUE(IsWindowVisible(FindBox()));
  EXPECT_EQ("Type the words to find.", Status());
  EXPECT_EQ(GetDlgItem(FindBox(), kFindEditId), GetFocus());
  EXPECT_EQ("CVTRES", Selected()) << "the selection the browser opened with stays";
}

// The find box sits beside the browser where the screen has room, and over
// the lower right of the detail area, clear of the tree, where it has none.
TEST_F(FindAndKeysTest, FindBoxBesideTheBrowserOrOverItsDetailArea) {
  const RECT browser = {237, 184, 787, 584};
  const POINT beside = FindBoxCorner(browser, 1024);
  EXPECT_EQ(787, beside.x);
  EXPECT_EQ(184, beside.y);
  const POINT over = FindBoxCorner(browser, 800);
  EXPECT_EQ(787 - kFindBoxWidth - 10, over.x);
  EXPECT_GE(over.x, 237 + 210) << "over the tree";
  EXPECT_EQ(584 - kFindBoxHeight - 10, over.y);
}

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
// its name, No drops the changes, Cancel (or Escape on the box) keeps the
// note selected with its text; an unchanged note is not asked about.
TEST_F(FindAndKeysTest, EditedNoteIsAskedAboutBeforeItGoesFromView) {
  enum Trigger { kSelectAnother, kCollapseAll, kClose };
  for (Trigger trigger : {kSelectAnother, kCollapseAll, kClose}) {
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
      SCOPED_TRACE("trigger " + std::to_string(trigger) + ", answer " + std::to_string(answer));
      PutNote("A2008", std::string("old\0", 4));
      PutNote("A2009", std::string("other\0", 6));
      HWND browser = Open(kNoteBrowserIconId);
      SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008"));
      auto takeFromView = [&] {
        if (trigger == kSelectAnother) {
          // The tree refuses the change and the question comes after it.
          SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2009"));
          PumpMessages();
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
      EXPECT_TRUE(g_box.yes && g_box.no && g_box.cancel && !g_box.ok);
      EXPECT_EQ(answer == IDYES ? std::string("new\0", 4) : std::string("old\0", 4), NoteBytes("A2008"));
      EXPECT_EQ(std::string("other\0", 6), NoteBytes("A2009"));
      EXPECT_EQ(trigger == kClose && answer != IDCANCEL, !IsWindow(browser));
      if (answer == IDCANCEL) {
        EXPECT_EQ("A2008", Selected()) << "Cancel did not keep the edited note";
        EXPECT_EQ("new", TextOf(g_state.noteEdit));
        SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);
      } else if (IsWindow(browser)) {
        EXPECT_NE("A2008", Selected()) << "the selection did not move on";
        // Nothing changed since: the note goes from view without a question.
        SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008"));
        AnswerNextMessageBox(IDNO);
        takeFromView();
        StopAnswering();
        EXPECT_FALSE(g_box.shown) << "asked about an unchanged note";
      }
      SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
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
    if (trigger == 0) {
      SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2009"));
      PumpMessages();
    }
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
