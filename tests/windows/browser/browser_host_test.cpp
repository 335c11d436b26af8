// Both browsers reached as the user reaches them: the real orvara.dll in the
// stand-in host, opened from the lookup window's icons 2003 and 2004.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/windows/support/addin_harness.h"
#include "tests/windows/support/host_harness.h"
#include "tests/windows/support/keys.h"

using namespace hostharness;
using harness::ChildItems;
using harness::ChildNamed;
using harness::ChildTexts;
using harness::ItemData;
using harness::ItemText;
using harness::RootTexts;
using harness::SelectItem;
using harness::TreeNext;
using harness::VisibleTexts;

namespace {

using Strings = std::vector<std::string>;

class BrowserHostTest : public HostTest {
 protected:
  static HWND Tree(HWND browser) { return GetDlgItem(browser, orva::kTreeViewId); }
  static HWND Detail(HWND browser, size_t index) { return harness::ChildrenOf(browser)[index]; }
  static void Click(HWND browser, int button) { SendMessageA(GetDlgItem(browser, button), BM_CLICK, 0, 0); }

  // The Note Browser from its icon, with the note name selected under the
  // root at position rootIndex of the tree (2 ML, 3 NMAKE); null when no
  // browser opened.
  HWND OpenNoteBrowserOn(size_t rootIndex, const char* name) {
    HWND browser = OpenBrowserFromIcon(view_.noteBrowserIcon);
    if (browser == nullptr) return nullptr;
    HWND tree = Tree(browser);
    SelectItem(tree, ChildNamed(tree, ChildItems(tree, nullptr)[rootIndex], name));
    return browser;
  }

  HICON ClassSmallIcon() {
    WNDCLASSEXA found = {};
    found.cbSize = sizeof found;
    GetClassInfoExA(standin::g_host.addin, kBrowserClass, &found);
    return found.hIconSm;
  }

  // Whether top-level window a lies above b in the z-order.
  static bool Above(HWND a, HWND b) {
    for (HWND next = GetWindow(a, GW_HWNDNEXT); next != nullptr; next = GetWindow(next, GW_HWNDNEXT)) {
      if (next == b) return true;
    }
    return false;
  }

  void ExpectClosed(HWND browser) {
    EXPECT_FALSE(IsWindow(browser)) << "the browser window still exists";
    EXPECT_FALSE(ClassRegistered(kBrowserClass)) << "the class outlives the browser";
    EXPECT_TRUE(IsWindowEnabled(view_.window)) << "the lookup window stays disabled";
  }
};

TEST_F(BrowserHostTest, ErrorBrowserFromItsIcon) {
  HWND browser = OpenBrowserFromIcon(view_.errorBrowserIcon);
  ASSERT_NE(nullptr, browser);
  EXPECT_EQ("Error Browser", standin::TextOf(browser));
  RECT rect = {};
  GetWindowRect(browser, &rect);
  EXPECT_EQ(237, rect.left);
  EXPECT_EQ(184, rect.top);
  EXPECT_EQ(787, rect.right);
  EXPECT_EQ(584, rect.bottom);
  // The very picture the lookup window shows on the icon that opened it.
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(view_.errorBrowserIcon, STM_GETICON, 0, 0)), ClassSmallIcon());
  EXPECT_FALSE(IsWindowEnabled(view_.window));
  HWND tree = Tree(browser);
  EXPECT_EQ(Strings({"CVTRES", "LINK\\LIB\\DUMPBIN\\EDITBIN", "ML", "NMAKE", "RC (\"C\" Errors)", "RC (\"W\" Errors)"}),
            VisibleTexts(tree));
  HTREEITEM ml = ChildItems(tree, nullptr)[2];
  EXPECT_EQ(Strings({"A1100", "A12", "A2008", "A2009", "A4000"}), ChildTexts(tree, ml));
  SelectItem(tree, ChildNamed(tree, ml, "A2009"));
  EXPECT_EQ("Error", standin::TextOf(Detail(browser, 4)));
  EXPECT_EQ("invalid character in file", standin::TextOf(Detail(browser, 6)));
  EXPECT_EQ("Message 0x2009.", standin::TextOf(Detail(browser, 7)));
  Click(browser, orva::kExpandAllButtonId);
  standin::PumpMessages(20);
  standin::SaveScreenshot(folder_ + "..\\error_browser_in_host.bmp");
}

TEST_F(BrowserHostTest, ErrorBrowserThenNoteBrowserInOneRun) {
  HWND errors = OpenBrowserFromIcon(view_.errorBrowserIcon);
  ASSERT_NE(nullptr, errors);
  SendMessageA(errors, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectClosed(errors);

  PutNote("RW1004", std::string("w\0", 2));
  HWND notes = OpenBrowserFromIcon(view_.noteBrowserIcon);
  ASSERT_NE(nullptr, notes);
  EXPECT_EQ("Note Browser", standin::TextOf(notes));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(view_.noteBrowserIcon, STM_GETICON, 0, 0)), ClassSmallIcon());
  EXPECT_EQ(Strings({"CVTRES", "LINK\\LIB\\DUMPBIN\\EDITBIN", "ML", "NMAKE", "RC"}), RootTexts(Tree(notes)));
  EXPECT_EQ("RICHEDIT", harness::ClassOf(Detail(notes, 3)));
  SendMessageA(notes, WM_CLOSE, 0, 0);
  ExpectClosed(notes);
}

// With A2008 on display and its note present, deleting that note in the
// Note Browser turns the lookup window's note icon grey; the selection moves
// to the sibling A2009, whose note stays.
TEST_F(BrowserHostTest, DeletingTheNoteOnDisplayTurnsTheIconGreyAndKeepsTheSibling) {
  PutNote("A2008", std::string("note of A2008\0", 14));
  PutNote("A2009", std::string("note of A2009\0", 14));
  LookUp("A2008");
  ASSERT_TRUE(NoteIconShows(IDI_NOTE_PRESENT));
  HWND browser = OpenNoteBrowserOn(2, "A2008");
  ASSERT_NE(nullptr, browser);
  HWND tree = Tree(browser);
  HWND text = Detail(browser, 3);
  EXPECT_EQ("note of A2008", standin::TextOf(text));
  standin::PumpMessages(50);
  standin::SaveScreenshot(folder_ + "..\\note_browser_in_host.bmp");
  Click(browser, orva::kDeleteButtonId);
  EXPECT_FALSE(FileExists(NotePath("A2008")));
  EXPECT_EQ(std::string("note of A2009\0", 14), NoteBytes("A2009"));
  EXPECT_EQ("note of A2009", standin::TextOf(text));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(browser, orva::kDeleteButtonId)));
  EXPECT_TRUE(NoteIconShows(IDI_NO_NOTE));
  SendMessageA(browser, WM_CLOSE, 0, 0);
  // The note icon now asks before creating a note: A2008 has none.
  EXPECT_TRUE(ClickAnswering(view_.noteIcon, IDNO));
}

// Edited and saved in the Note Browser, the note shows in the note editor of
// the same number.
TEST_F(BrowserHostTest, NoteSavedInTheBrowserShowsInTheEditor) {
  PutNote("U1050", std::string("before\0", 7));
  HWND browser = OpenNoteBrowserOn(3, "U1050");
  ASSERT_NE(nullptr, browser);
  SendMessageA(Detail(browser, 3), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after"));
  Click(browser, orva::kSaveButtonId);
  EXPECT_EQ(std::string("after\0", 6), NoteBytes("U1050"));
  SendMessageA(browser, WM_CLOSE, 0, 0);
  LookUp("U1050");
  ClickAnswering(view_.noteIcon, IDNO);
  HWND editor = FindWindowA(kNoteEditorClass, nullptr);
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("after", standin::TextOf(GetWindow(editor, GW_CHILD)));
}

// The note editor and the browsers have no owner and no taskbar button, and
// the lookup window stays disabled while one is open: covered by a click on
// the host, the open one comes back to the front through the menu item
// "ORVA", and keeps the front while a double-click on a number in the
// output pane runs its lookup behind it.
TEST_F(BrowserHostTest, OpenEditorOrBrowserComesBackToTheFront) {
  enum How { kMenuItem, kOutputPane, kLookupWindowClick };
  const struct {
    const char* what;
    bool editor;
    How how;
    bool minimised;  // rather than covered by the host
  } rounds[] = {{"browser, menu item", false, kMenuItem, false},
                {"browser, output pane", false, kOutputPane, false},
                {"editor, menu item", true, kMenuItem, false},
                {"editor, output pane", true, kOutputPane, false},
                {"minimised browser, menu item", false, kMenuItem, true},
                {"minimised editor, output pane", true, kOutputPane, true},
                {"browser, a click on the lookup window", false, kLookupWindowClick, false},
                {"editor, a click on the lookup window", true, kLookupWindowClick, false}};
  for (const auto& round : rounds) {
    SCOPED_TRACE(round.what);
    LookUp("A2008");
    HWND front = round.editor ? OpenEditorFromNoteIcon() : OpenBrowserFromIcon(view_.errorBrowserIcon);
    ASSERT_NE(nullptr, front);
    if (round.minimised) ShowWindow(front, SW_MINIMIZE);
    SetForegroundWindow(standin::g_host.mainWindow);  // the user clicks on the host
    standin::PumpMessages(20);
    ASSERT_NE(front, GetForegroundWindow());
    if (round.how == kOutputPane) {
      EXPECT_EQ(1, standin::DoubleClickWordInOutput("NMAKE : fatal error U1050: stopped", "U1050"));
      EXPECT_EQ("NMAKE", standin::TextOf(view_.toolField)) << "the lookup runs in the lookup window";
    } else if (round.how == kMenuItem) {
      standin::ChooseMenuItem(standin::FindMenuItem("ORVA", nullptr));
    } else {
      // What the system sends a disabled window that is clicked.
      SendMessageA(view_.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(view_.window),
                   MAKELPARAM(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN));
    }
    standin::PumpMessages(20);
    EXPECT_FALSE(IsIconic(front)) << "still minimised";
    EXPECT_EQ(front, GetForegroundWindow());
    EXPECT_TRUE(Above(front, view_.window)) << "the lookup window covers it";
    EXPECT_TRUE(Above(front, standin::g_host.mainWindow)) << "the host covers it";
    EXPECT_EQ(0, GetWindowLongA(front, GWL_EXSTYLE) & WS_EX_TOPMOST) << "left above every other program";
    EXPECT_TRUE(IsChild(front, GetFocus())) << "typing goes nowhere";
    EXPECT_TRUE(IsWindowVisible(view_.window));
    SendMessageA(front, WM_CLOSE, 0, 0);
  }
}

// Reaching for ORVA while a question of the editor or the Note Browser is
// up (a click on the host, then Tools > ORVA) activates the question, which
// holds the keys, never the window it disables.
HWND g_activeAfterReaching;
HWND g_ownerOfTheActive;
void ReachForOrvaUnderTheQuestion() {
  SetForegroundWindow(standin::g_host.mainWindow);
  standin::PumpMessages(20);
  standin::ChooseMenuItem(standin::FindMenuItem("ORVA", nullptr));
  standin::PumpMessages(20);
  g_activeAfterReaching = GetForegroundWindow();
  g_ownerOfTheActive = GetWindow(g_activeAfterReaching, GW_OWNER);
}

TEST_F(BrowserHostTest, ToolsOrvaDuringAQuestionActivatesTheQuestion) {
  PutNote("A2008", std::string("old\0", 4));
  for (bool editor : {true, false}) {
    SCOPED_TRACE(editor ? "note editor" : "Note Browser");
    LookUp("A2008");
    HWND front = editor ? OpenEditorFromNoteIcon() : OpenNoteBrowserOn(2, "A2008");
    ASSERT_NE(nullptr, front);
    HWND text = editor ? GetWindow(front, GW_CHILD) : Detail(front, 3);
    SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    SendMessageA(text, EM_SETMODIFY, TRUE, 0);
    g_activeAfterReaching = nullptr;
    AnswerNextMessageBox(IDCANCEL, ReachForOrvaUnderTheQuestion);
    SendMessageA(front, WM_CLOSE, 0, 0);
    StopAnswering();
    ASSERT_TRUE(g_box.shown);
    EXPECT_NE(front, g_activeAfterReaching) << "the window under the question is active";
    EXPECT_EQ(front, g_ownerOfTheActive) << "the question is not the active window";
    SendMessageA(text, EM_SETMODIFY, FALSE, 0);
    SendMessageA(front, WM_CLOSE, 0, 0);
  }
}

// Closing the editor or a browser hands the keys to the lookup window; a
// user who clicks into the host's code window at once and types has every
// key there, also those typed well after the close.
TEST_F(BrowserHostTest, KeysAfterACloseGoWhereTheUserClicks) {
  for (bool editor : {true, false}) {
    SCOPED_TRACE(editor ? "note editor, Escape and No" : "Error Browser, Escape");
    LookUp("A2008");
    HWND front = editor ? OpenEditorFromNoteIcon() : OpenBrowserFromIcon(view_.errorBrowserIcon);
    ASSERT_NE(nullptr, front);
    SetForegroundWindow(front);
    if (editor) standin::TypeText("x");
    AnswerNextMessageBox(IDNO);
    PressKey(VK_ESCAPE);
    StopAnswering();
    ASSERT_FALSE(IsWindow(front));
    SetWindowTextA(standin::g_host.codeWindow, "");
    ClickAt(standin::g_host.codeWindow, POINT{10, 10});
    TypeKeys("mov");
    standin::PumpMessages(400);
    TypeKeys(" eax");
    EXPECT_EQ("mov eax", standin::TextOf(standin::g_host.codeWindow));
    EXPECT_EQ("A2008", standin::TextOf(view_.inputBox));
  }
}

// The Windows session ends with typed text in the editor or the Note
// Browser: the window asks as a text editor does (Yes saves, No drops,
// Cancel refuses to end the session); when the session ends, the add-in
// closes as at the host's close.
TEST_F(BrowserHostTest, EndOfTheSessionAsksAboutTypedText) {
  for (bool editor : {true, false}) {
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
      SCOPED_TRACE(std::string(editor ? "note editor, " : "Note Browser, ") + std::to_string(answer));
      if (!editor || answer != IDYES) SetUp();
      PutNote("A2008", std::string("old\0", 4));
      LookUp("A2008");
      HWND front = editor ? OpenEditorFromNoteIcon() : OpenNoteBrowserOn(2, "A2008");
      ASSERT_NE(nullptr, front);
      HWND text = editor ? GetWindow(front, GW_CHILD) : Detail(front, 3);
      SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new"));
      SendMessageA(text, EM_SETMODIFY, TRUE, 0);
      AnswerNextMessageBox(answer);
      const LRESULT ends = SendMessageA(front, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
      StopAnswering();
      EXPECT_EQ("Save the changes to the note A2008?", g_box.text);
      EXPECT_TRUE(g_box.yes && g_box.no && g_box.cancel);
      EXPECT_EQ(front, g_box.owner);
      EXPECT_EQ(answer != IDCANCEL, ends != FALSE);
      EXPECT_EQ(answer == IDYES ? std::string("new\0", 4) : std::string("old\0", 4), NoteBytes("A2008"));
      if (answer == IDCANCEL) {
        EXPECT_TRUE(IsWindow(front));
        SendMessageA(text, EM_SETMODIFY, FALSE, 0);
      } else {
        SendMessageA(front, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        for (const char* name : {"ORVARA_Main", kNoteEditorClass, kBrowserClass}) {
          EXPECT_EQ(nullptr, FindWindowA(name, nullptr)) << name << " is left";
          EXPECT_FALSE(ClassRegistered(name)) << name << " is still registered";
        }
        EXPECT_EQ(0u, standin::FindMenuItem("ORVA", nullptr));
      }
      TearDown();
    }
  }
  SetUp();
}

// At the host's close nothing of the add-in may stay behind that the host
// could still call into: a host may unload the module before it tears down
// its own windows. Each open window goes first (the Note Browser after its
// question about an edited note), then the lookup window and every class.
// When the close comes while a question of the add-in is up, the module
// keeps itself loaded: the question's loop returns into it.
void CloseUnloadingFirstFromInside() {
  AnswerNextMessageBox(IDYES);  // the close's own question
  standin::CloseHostUnloadingFirst();
}

TEST_F(BrowserHostTest, HostThatUnloadsTheAddinFirstFindsNothingOfItLeft) {
  enum Open { kLookupWindow, kNoteEditor, kEditedNote, kFindBox, kEditorQuestion, kNoteBrowserQuestion };
  const std::pair<Open, const char*> cases[] = {
      {kLookupWindow, "lookup window alone"},
      {kNoteEditor, "note editor open"},
      {kEditedNote, "Note Browser with an edited note"},
      {kFindBox, "Error Browser with its find box"},
      {kEditorQuestion, "the editor's question up"},
      {kNoteBrowserQuestion, "the Note Browser's question up"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    if (&c != cases) SetUp();  // a host and an add-in of its own for each case
    HWND browser = nullptr;
    switch (c.first) {
      case kLookupWindow:
        LookUp("A2008");
        break;
      case kNoteEditor:
        LookUp("A2008");
        ASSERT_NE(nullptr, OpenEditorFromNoteIcon());
        break;
      case kEditedNote:
        PutNote("A2008", std::string("x\0", 2));
        browser = OpenNoteBrowserOn(2, "A2008");
        ASSERT_NE(nullptr, browser);
        SetFocus(Detail(browser, 3));
        standin::TypeText("y");
        break;
      case kFindBox:
        browser = OpenBrowserFromIcon(view_.errorBrowserIcon);
        ASSERT_NE(nullptr, browser);
        SetForegroundWindow(browser);
        PressKey('F', true);
        ASSERT_TRUE(IsWindowVisible(FindWindowA("ORVARA_Find", nullptr)));
        break;
      case kEditorQuestion:
      case kNoteBrowserQuestion:
        PutNote("A2008", std::string("x\0", 2));
        PutNote("A2009", std::string("z\0", 2));
        LookUp("A2008");
        browser = c.first == kEditorQuestion ? OpenEditorFromNoteIcon() : OpenNoteBrowserOn(2, "A2008");
        ASSERT_NE(nullptr, browser);
        SetFocus(c.first == kEditorQuestion ? GetWindow(browser, GW_CHILD) : Detail(browser, 3));
        standin::TypeText("y");
        break;
    }
    const HMODULE addin = standin::g_host.addin;
    const bool questionUp = c.first == kEditorQuestion || c.first == kNoteBrowserQuestion;
    if (questionUp) {
      AnswerNextMessageBox(0, CloseUnloadingFirstFromInside);  // no answer: the close ends the question
      if (c.first == kEditorQuestion) SendMessageA(browser, WM_CLOSE, 0, 0);
      if (c.first == kNoteBrowserQuestion) SelectItem(Tree(browser), ChildNamed(Tree(browser), ChildItems(Tree(browser), nullptr)[2], "A2009"));
      standin::PumpMessages(50);
    } else {
      AnswerNextMessageBox(IDYES);
      standin::CloseHostUnloadingFirst();  // would crash on a window left with its procedure in the module
    }
    StopAnswering();
    standin::PumpMessages(20);
    ASSERT_EQ(questionUp, GetModuleHandleA((folder_ + "orvara.dll").c_str()) != nullptr)
        << "unloaded under a question, or kept loaded without one";
    for (const char* name : {"ORVARA_Main", "ORVARA_Note", "ORVARA_Browser", "ORVARA_Find"}) {
      WNDCLASSEXA found = {};
      found.cbSize = sizeof found;
      EXPECT_FALSE(GetClassInfoExA(addin, name, &found)) << name << " is still registered";
    }
    if (g_box.shown) {
      EXPECT_EQ("Save the changes to the note A2008?", g_box.text);
      EXPECT_EQ(std::string("yx\0", 3), NoteBytes("A2008"));
    }
  }
}

// The host's real close (notify, destroy its window, quit) delivered from
// inside the loop of an add-in's question: the editor's on Escape, the Note
// Browser's when another note is chosen. The add-in asks once more, in a box
// owned by the window it asks about, Yes and No only; Yes keeps the typed
// text, No drops it. A second close, from inside that box, asks nothing
// more: the editor goes with the host's window, and its text is kept as the
// note; the browser, which the host does not own, keeps its question up,
// and No drops the text. Nothing of the add-in is left for the unloaded
// module.
int g_closeAnswer;
bool g_closeTwice;
void CloseAgain() { standin::CloseHost(); }
void CloseFromInsideTheQuestion() {
  AnswerNextMessageBox(g_closeAnswer, g_closeTwice ? CloseAgain : nullptr);
  standin::CloseHost();
}

TEST_F(BrowserHostTest, HostClosingDuringAQuestionAsksOnceAndLeavesNothing) {
  const struct {
    bool editor;
    int answer;
    bool twice;
    std::string stored;  // A2008.note afterwards; "" none
  } cases[] = {{true, IDYES, false, "new"},  {true, IDNO, false, ""},    {true, IDNO, true, "new"},
               {false, IDYES, false, "new"}, {false, IDNO, false, "old"}, {false, IDNO, true, "old"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    if (&c != cases) SetUp();
    standin::g_host.quitOnDestroy = true;
    HWND asked = nullptr;
    g_closeAnswer = c.answer;
    g_closeTwice = c.twice;
    if (c.editor) {
      LookUp("A2008");
      HWND editor = OpenEditorFromNoteIcon();
      ASSERT_NE(nullptr, editor);
      asked = editor;
      standin::TypeText("new");
      AnswerNextMessageBox(0, CloseFromInsideTheQuestion);  // no answer: the close ends the question
      SendMessageA(editor, WM_CLOSE, 0, 0);
    } else {
      PutNote("A2008", std::string("old\0", 4));
      PutNote("A2009", std::string("x\0", 2));
      HWND browser = OpenNoteBrowserOn(2, "A2008");
      ASSERT_NE(nullptr, browser);
      asked = browser;
      SetFocus(Detail(browser, 3));
      SendMessageA(Detail(browser, 3), EM_SETSEL, 0, -1);
      standin::TypeText("new");
      AnswerNextMessageBox(0, CloseFromInsideTheQuestion);  // no answer: the close ends the question
      SelectItem(Tree(browser), ChildNamed(Tree(browser), ChildItems(Tree(browser), nullptr)[2], "A2009"));
      standin::PumpMessages(20);
    }
    StopAnswering();
    standin::PumpMessages(20);  // and the host's quit: the test goes on after the host's end
    // The one question of the close (a second one would have failed the
    // test as a box nobody stands by for).
    EXPECT_EQ("Save the changes to the note A2008?", g_box.text);
    EXPECT_TRUE(g_box.yes && g_box.no && !g_box.cancel) << "the host's close cannot be cancelled";
    EXPECT_EQ(asked, g_box.owner) << "the question is not owned by the window it asks about";
    EXPECT_EQ(c.stored.empty() ? std::string() : c.stored + '\0', NoteBytes("A2008"));
    for (const char* name : {"ORVARA_Main", kNoteEditorClass, kBrowserClass}) {
      EXPECT_EQ(nullptr, FindWindowA(name, nullptr)) << name << " is left";
      EXPECT_FALSE(ClassRegistered(name)) << name << " is still registered";
    }
    standin::UnloadAddin();  // a window left with its procedure in the module would fault from here on
    RemoveTree(folder_);
  }
}

// The find box of the add-in as the host loads it: Ctrl+F in the Error
// Browser, the words, Enter; Escape closes the box, then the browser.
TEST_F(BrowserHostTest, FindInTheErrorBrowser) {
  HWND browser = OpenBrowserFromIcon(view_.errorBrowserIcon);
  ASSERT_NE(nullptr, browser);
  SetForegroundWindow(browser);
  PressKey('F', true);
  HWND box = FindWindowA("ORVARA_Find", nullptr);
  ASSERT_TRUE(IsWindowVisible(box));
  standin::TypeText("open file");
  PressKey(VK_RETURN);
  EXPECT_EQ("LNK1104", ItemText(Tree(browser), TreeNext(Tree(browser), nullptr, TVGN_CARET)));
  EXPECT_EQ("cannot open file", standin::TextOf(Detail(browser, 6)));
  EXPECT_EQ("1 of 1", standin::TextOf(GetDlgItem(box, orva::kFindStatusId)));
  standin::SaveScreenshot(folder_ + "..\\error_browser_find_in_host.bmp");
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(box));
  PressKey(VK_ESCAPE);
  ExpectClosed(browser);
}

}  // namespace
