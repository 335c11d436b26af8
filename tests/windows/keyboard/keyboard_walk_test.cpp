// ORVA from the keyboard alone: the real orvara.dll in the stand-in host,
// driven by real key events only (no click, no message sent to a control):
// the menu, a lookup, the note editor and its question, both browsers with
// the arrows, Tab, the find box and the Note Browser's question, Delete, the
// size toggle, and Escape out of every window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/support/host_harness.h"
#include "tests/windows/support/keys.h"

using namespace hostharness;

namespace {

class KeyboardWalkTest : public HostTest {
 protected:
  static std::string ClassOfFocus() {
    char name[64] = {};
    GetClassNameA(GetFocus(), name, sizeof name);
    return name;
  }
  static std::string Text(HWND window) { return standin::TextOf(window); }
  // The Error Browser's Title field: the sixth control it creates.
  static HWND TitleField(HWND browser) {
    HWND control = GetWindow(browser, GW_CHILD);
    for (int i = 0; i < 6 && control != nullptr; ++i) control = GetWindow(control, GW_HWNDNEXT);
    return control;
  }
  static std::string SelectedItem(HWND tree) {
    char text[64] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
  }
};

TEST_F(KeyboardWalkTest, EveryWindowAndActionFromTheKeyboard) {
  // The lookup window from the host's menu: Alt, T (Tools), Down to ORVA, Enter.
  PressKey(VK_ESCAPE);
  ASSERT_FALSE(IsWindowVisible(view_.window)) << "Escape hides the lookup window";
  SetForegroundWindow(standin::g_host.mainWindow);
  PressKeys({{VK_MENU}, {'T'}, {VK_DOWN}, {VK_RETURN}});
  ASSERT_TRUE(IsWindowVisible(view_.window)) << "the menu item did not open ORVA";
  ASSERT_EQ(view_.inputBox, GetFocus());

  // A lookup, then the note: Ctrl+N asks to create one (Y), the editor opens.
  TypeKeys("a2008\r");
  EXPECT_EQ("syntax error : token", Text(view_.titleField));
  PressKeys({{'N', true}, {'Y'}});
  HWND editor = FindWindowA(kNoteEditorClass, nullptr);
  ASSERT_NE(nullptr, editor) << "Ctrl+N opened no editor";
  EXPECT_EQ("RICHEDIT", ClassOfFocus());
  TypeKeys("hi");
  // Escape asks before the text goes; Escape on the question is Cancel.
  PressKeys({{VK_ESCAPE}, {VK_ESCAPE}});
  ASSERT_TRUE(IsWindow(editor)) << "Cancel closed the editor";
  EXPECT_EQ("hi", Text(GetWindow(editor, GW_CHILD)));
  EXPECT_EQ("RICHEDIT", ClassOfFocus()) << "after Cancel the keys go to the note";
  PressKeys({{VK_TAB}, {VK_TAB}});
  EXPECT_EQ(GetDlgItem(editor, orva::kCloseButtonId), GetFocus()) << "Tab: text, Save, Close";
  PressKey('S', true);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(std::string("hi\0", 3), NoteBytes("A2008"));
  EXPECT_TRUE(NoteIconShows(IDI_NOTE_PRESENT));

  // The Error Browser: Ctrl+E (the closed editor handed the keys back to the
  // input box), the arrows, Tab, the find box.
  PressKey('E', true);
  HWND browser = FindWindowA(kBrowserClass, nullptr);
  ASSERT_NE(nullptr, browser) << "Ctrl+E opened no browser";
  HWND tree = GetDlgItem(browser, orva::kTreeViewId);
  EXPECT_EQ(tree, GetFocus()) << "the browser opens with the keyboard focus in its tree";
  PressKeys({{VK_DOWN}, {VK_DOWN}, {VK_RIGHT}, {VK_DOWN}});
  EXPECT_EQ("A1100", SelectedItem(tree)) << "the arrows do not move through the tree";
  EXPECT_EQ("sorts before A12", Text(TitleField(browser)));
  PressKey(VK_TAB);
  EXPECT_EQ(GetDlgItem(browser, orva::kExpandAllButtonId), GetFocus());
  PressKey(VK_SPACE);
  PressKeys({{VK_TAB}, {VK_TAB, false, true}, {VK_TAB, false, true}});
  EXPECT_EQ(tree, GetFocus()) << "Shift+Tab goes back to the tree";
  PressKey('F', true);
  HWND find = FindWindowA("ORVARA_Find", nullptr);
  ASSERT_TRUE(IsWindowVisible(find));
  TypeKeys("open file\r");
  EXPECT_EQ("LNK1104", SelectedItem(tree));
  PressKeys({{'A', true}});
  TypeKeys("syntax");
  PressKey(VK_F3);
  EXPECT_EQ("A2008", SelectedItem(tree)) << "Ctrl+A did not select the words to type over";
  PressKeys({{VK_ESCAPE}, {VK_ESCAPE}});
  EXPECT_FALSE(IsWindow(browser)) << "Escape closes the find box, then the browser";

  // The Note Browser: Ctrl+B, an edit, the question, Delete in the tree.
  PressKey('B', true);
  browser = FindWindowA(kBrowserClass, nullptr);
  ASSERT_NE(nullptr, browser) << "Ctrl+B opened no browser";
  tree = GetDlgItem(browser, orva::kTreeViewId);
  EXPECT_EQ(tree, GetFocus());
  PressKeys({{VK_DOWN}, {VK_DOWN}, {VK_RIGHT}, {VK_DOWN}});
  ASSERT_EQ("A2008", SelectedItem(tree));
  PressKeys({{VK_TAB}, {VK_TAB}, {VK_TAB}});
  EXPECT_EQ("RICHEDIT", ClassOfFocus()) << "Tab: tree, Expand All, Collapse All, the note";
  PressKeys({{VK_END, true}});
  TypeKeys("!");
  PressKeys({{VK_TAB, false, true}, {VK_TAB, false, true}, {VK_TAB, false, true}, {VK_UP}, {'Y'}});
  EXPECT_EQ(std::string("hi!\0", 4), NoteBytes("A2008")) << "Yes to the question saves";
  EXPECT_EQ("ML", SelectedItem(tree));
  PressKeys({{VK_DOWN}, {VK_DELETE}, {VK_RETURN}});
  EXPECT_TRUE(FileExists(NotePath("A2008"))) << "Delete in the tree asked, and No is the default";
  EXPECT_EQ(tree, GetFocus()) << "after the question the keys go to the tree again";
  PressKeys({{VK_DELETE}, {'Y'}});
  EXPECT_FALSE(FileExists(NotePath("A2008"))) << "Yes to Delete in the tree deletes the note";
  EXPECT_TRUE(NoteIconShows(IDI_NO_NOTE));
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(browser));
  // A window manager activates a window of its choice a moment after one
  // closes: the input box takes the keys back.
  SetForegroundWindow(standin::g_host.mainWindow);
  standin::PumpMessages(400);

  // The size toggle, both ways, and Escape hides the lookup window.
  PressKey('T', true);
  RECT r = {};
  GetWindowRect(view_.window, &r);
  EXPECT_EQ(200, r.right - r.left) << "Ctrl+T did not make the window compact";
  PressKey('T', true);
  GetWindowRect(view_.window, &r);
  EXPECT_EQ(450, r.right - r.left);
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(view_.window));
}

}  // namespace
