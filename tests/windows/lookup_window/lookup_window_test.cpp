// The lookup window, its hover borders and its two sizes, driven through its
// own controls and messages. The add-in's objects are linked into this
// program: the program's module stands for the add-in module (its icons are
// linked in), and the add-in folder is the fixture folder "basic".
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/entry_points.h"
#include "resources/resource_ids.h"
#include "stand_in_host/stand_in_host.h"
#include "state/addin_state.h"
#include "tests/windows/support/drawn_pixels.h"
#include "tests/windows/support/handle_ledger.h"
#include "tests/windows/support/keys.h"
#include "tests/windows/support/message_box.h"
#include "tests/windows/support/test_paths.h"
#include "ui/browser/browser_window.h"
#include "ui/browser/find_box.h"
#include "ui/lookup_window/hover_and_size.h"
#include "ui/lookup_window/lookup_window.h"
#include "ui/note_editor/note_editor.h"
#include "ui/window_routines/message_hook.h"
#include "ui/window_routines/window_routines.h"

using namespace orva;
using standin::ClickControl;
using standin::PumpMessages;
using standin::TextOf;

namespace {

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

RECT WorkArea() {
  RECT r = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// The pixels of one of the add-in's icon resources (linked into this program).
std::vector<COLORREF> ResourcePixels(int resource, UINT flags) {
  return ResourceIconPixels(GetModuleHandleA(nullptr), resource, flags);
}

HICON Shown(HWND iconControl) { return reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0)); }

bool Bordered(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_BORDER) != 0; }

void ParkCursor() { SetCursorPos(1000, 700); }

void PointAt(HWND control) {
  const RECT r = WindowRect(control);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Clicks a control while a timer stands by to answer a message box with answer.
void ClickAnswering(HWND control, int answer) {
  AnswerNextMessageBox(answer);
  ClickControl(control);
  StopAnswering();
}

class LookupWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ParkCursor();
    g_state = AddinState{};
    g_state.moduleInstance = GetModuleHandleA(nullptr);
    host_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, 600, 500, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    g_state.hostWindow = host_;
    AcquireSharedResources();
    ZeroFill(g_state.addinFolder);
    AppendText(g_state.addinFolder, FixtureFolder("basic").c_str());
    // A notes folder of this test's own, empty at the start (no trailing backslash).
    notes_ = MakeScratchFolder("lookup_window_notes");
    ZeroFill(g_state.notesFolder);
    AppendText(g_state.notesFolder, notes_.substr(0, notes_.size() - 1).c_str());
    InstallMessageHook();  // the keys and the tooltips, as the add-in's start sets it
    CreateLookupWindow();
    ASSERT_NE(nullptr, g_state.lookupWindow);
    PumpMessages(20);
  }

  void TearDown() override {
    if (changedWorkArea_) SystemParametersInfoA(SPI_SETWORKAREA, 0, &savedWorkArea_, 0);
    // The host's close, then its teardown: the destroy handling runs twice.
    SendMessageA(g_state.lookupWindow, WM_DESTROY, 0, 0);
    DestroyWindow(g_state.lookupWindow);
    DestroyWindow(host_);
    RemoveMessageHook();
    ParkCursor();
  }

  static void Enter(const char* number) {
    SendMessageA(g_state.inputBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(number));
    SendMessageA(g_state.inputBox, WM_CHAR, 13, 1);
  }

  static void MoveTo(int x, int y) {
    SetWindowPos(g_state.lookupWindow, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void SetWorkArea(RECT area) {
    if (!changedWorkArea_) savedWorkArea_ = WorkArea();
    changedWorkArea_ = true;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0);
  }

  HWND host_ = nullptr;
  std::string notes_;
  bool changedWorkArea_ = false;
  RECT savedWorkArea_ = {};
};

}  // namespace

TEST_F(LookupWindowTest, ControlsFollowTheLayout) {
  const struct {
    const char* className;
    const char* text;
    int x, y, width, height, id;
    LONG style;
    LONG extendedStyle;
    bool font;
    const char* tip;  // an icon's tooltip: its action and its key
  } expected[14] = {
      {"Static", "Error #:", 5, 8, 40, 20, 0, SS_SIMPLE, 0, true},
      {"Edit", "", 45, 5, 55, 20, 0, ES_UPPERCASE | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true},
      {"Static", "", 105, 7, 16, 16, 2001, SS_ICON | SS_NOTIFY, 0, false, "Compact or full size (Ctrl+T)"},
      {"Static", "", 126, 7, 16, 16, 2002, SS_ICON | SS_NOTIFY, 0, false, "Note on this error (Ctrl+N)"},
      {"Static", "", 148, 7, 16, 16, 2003, SS_ICON | SS_NOTIFY, 0, false, "Note Browser (Ctrl+B)"},
      {"Static", "", 170, 7, 16, 16, 2004, SS_ICON | SS_NOTIFY, 0, false, "Error Browser (Ctrl+E)"},
      {"Static", "Type:", 5, 45, 30, 20, 0, SS_SIMPLE, 0, true},
      {"Static", "", 40, 45, 150, 20, 0, SS_SIMPLE, 0, true},
      {"Static", "Title:", 5, 65, 30, 20, 0, SS_SIMPLE, 0, true},
      {"Static", "", 40, 65, 350, 20, 0, SS_SIMPLE, 0, true},
      {"Static", "Tool:", 5, 85, 30, 20, 0, SS_SIMPLE, 0, true},
      {"Static", "", 40, 85, 200, 20, 0, SS_SIMPLE, 0, true},
      {"Static", "Description", 5, 105, 75, 20, 0, SS_SIMPLE, 0, true},
      {"Edit", "", 5, 120, 435, 235, 0, ES_MULTILINE | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE, true},
  };
  HWND tips = nullptr;
  while ((tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
    if (GetWindow(tips, GW_OWNER) == g_state.lookupWindow) break;
  }
  HWND control = GetWindow(g_state.lookupWindow, GW_CHILD);
  for (int i = 0; i < 14; ++i, control = GetWindow(control, GW_HWNDNEXT)) {
    ASSERT_NE(nullptr, control) << "control " << i + 1 << " missing";
    const auto& e = expected[i];
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    EXPECT_STRCASEEQ(e.className, name) << "control " << i + 1;
    EXPECT_EQ(e.text, TextOf(control)) << "control " << i + 1;
    RECT r = WindowRect(control);
    MapWindowPoints(nullptr, g_state.lookupWindow, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(Describe(RECT{e.x, e.y, e.x + e.width, e.y + e.height}), Describe(r)) << "control " << i + 1;
    EXPECT_EQ(e.id, GetDlgCtrlID(control)) << "control " << i + 1;
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ(e.style | WS_CHILD | WS_VISIBLE, style & (e.style | WS_CHILD | WS_VISIBLE)) << "control " << i + 1;
    EXPECT_EQ(e.extendedStyle, GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "control " << i + 1;
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    EXPECT_EQ(e.font ? g_state.sharedFont : nullptr, font) << "control " << i + 1;
    char tip[80] = {};
    TOOLINFOA tool = {TTTOOLINFOA_V1_SIZE, 0, g_state.lookupWindow, reinterpret_cast<UINT_PTR>(control)};
    tool.lpszText = tip;
    SendMessageA(tips, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(e.tip != nullptr ? e.tip : "", tip) << "control " << i + 1;
  }
  EXPECT_EQ(nullptr, control) << "no fifteenth control";
  EXPECT_EQ(7, SendMessageA(g_state.inputBox, EM_GETLIMITTEXT, 0, 0));
  // First pictures: triangle up, grey note, magnifying glass, binoculars.
  EXPECT_EQ(ResourcePixels(IDI_COLLAPSE, LR_DEFAULTCOLOR), IconPixels(Shown(g_state.toggleIcon)));
  EXPECT_EQ(ResourcePixels(IDI_NO_NOTE, LR_LOADMAP3DCOLORS), IconPixels(Shown(g_state.noteIcon)));
  EXPECT_EQ(ResourcePixels(IDI_NOTE_BROWSER, LR_LOADMAP3DCOLORS), IconPixels(Shown(g_state.noteBrowserIcon)));
  EXPECT_EQ(ResourcePixels(IDI_ERROR_BROWSER, LR_LOADMAP3DCOLORS), IconPixels(Shown(g_state.errorBrowserIcon)));
  EXPECT_EQ(1, g_state.expanded);
  EXPECT_EQ(1, g_state.lookupFailed);
  EXPECT_EQ(0, g_state.noteExists);
}

TEST_F(LookupWindowTest, EtchedLineIsAShadowLineOverAHighlightLine) {
  const std::vector<COLORREF> pixels =
      DrawnPixels(450, 40, RGB(0, 0, 0), [](HDC dc) { DrawEtchedLine(dc, 440, 5, 35); });
  const auto at = [&pixels](int x, int y) { return pixels[y * 450 + x]; };
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(shadow, at(440, 35));
  EXPECT_EQ(shadow, at(6, 35));
  EXPECT_EQ(highlight, at(440, 36));
  EXPECT_EQ(highlight, at(200, 36));
  EXPECT_EQ(RGB(0, 0, 0), at(441, 35)) << "nothing right of the start";
  EXPECT_EQ(RGB(0, 0, 0), at(200, 34)) << "nothing above";
  EXPECT_EQ(RGB(0, 0, 0), at(200, 37)) << "nothing below";
}

TEST_F(LookupWindowTest, LookupSetsTheFlagsOfItsOutcome) {
  Enter("A2008");
  EXPECT_STREQ("A2008", g_state.currentNumber);
  EXPECT_EQ(0, g_state.lookupFailed);
  EXPECT_EQ(0, g_state.noteExists) << "no note stored for A2008";
  EXPECT_EQ(ResourcePixels(IDI_NO_NOTE, LR_LOADMAP3DCOLORS), IconPixels(Shown(g_state.noteIcon)));

  // A saved note: the yellow picture, and noteExists set.
  WriteFileBytes(notes_ + "A2008.note", std::string("my note\0", 8));
  Enter("A2008");
  EXPECT_EQ(0, g_state.lookupFailed);
  EXPECT_EQ(1, g_state.noteExists) << "the note of A2008 is stored";
  EXPECT_EQ(ResourcePixels(IDI_NOTE_PRESENT, LR_LOADMAP3DCOLORS), IconPixels(Shown(g_state.noteIcon)));

  for (const char* typed : {"A 2008", "A02008"}) {  // the note of what was found, whatever was typed
    Enter("X1234");
    Enter(typed);
    EXPECT_EQ(1, g_state.noteExists) << typed;
  }

  // Failed lookups leave the grey picture, whatever notes exist; so do
  // messages that have no error number, which offer no note.
  for (const char* failing : {"X1234", "LNK", "A9999", "A12", "2008A"}) {
    Enter("A2008");
    Enter(failing);
    EXPECT_STREQ(failing, g_state.currentNumber);
    EXPECT_EQ(1, g_state.lookupFailed) << failing;
    EXPECT_EQ(0, g_state.noteExists) << failing;
  }
}

void CALLBACK PressPInTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  keybd_event('P', 0, 0, 0);
  keybd_event('P', 0, KEYEVENTF_KEYUP, 0);
}

// What a user pastes from a build log: the blanks around the number and the
// marks the tools put after it go before the lookup, and the box shows the
// number looked up. A paste, whichever way it comes (Ctrl+V, Shift+Insert,
// the box's context menu), is cut to the number before the box's limit of
// seven characters could cut the number itself.
TEST_F(LookupWindowTest, PastedNumbersAreLookedUpWithoutBlanksAndMarks) {
  enum How { kInTheBox, kCtrlV, kShiftInsert, kContextMenu };
  struct Case {
    const char* text;
    How how;
  };
  for (const Case& c : {Case{" A2008", kInTheBox}, Case{"A2008 ", kInTheBox}, Case{"A2008:", kInTheBox},
                        Case{"  A2008 :\r\n", kCtrlV}, Case{"a2008,", kCtrlV}, Case{"   A2008:", kCtrlV},
                        Case{"   A2008:", kShiftInsert}, Case{"   A2008:", kContextMenu}}) {
    SCOPED_TRACE(std::string(c.text) + " pasted by " + std::to_string(c.how));
    SetControlText(g_state.inputBox, nullptr);
    if (c.how == kInTheBox) {
      SetControlText(g_state.inputBox, c.text);
    } else {
      ASSERT_TRUE(OpenClipboard(g_state.inputBox));
      EmptyClipboard();
      HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, strlen(c.text) + 1);
      lstrcpyA(static_cast<char*>(GlobalLock(data)), c.text);
      GlobalUnlock(data);
      SetClipboardData(CF_TEXT, data);
      CloseClipboard();
      SetForegroundWindow(g_state.lookupWindow);
      SetFocus(g_state.inputBox);
      if (c.how == kCtrlV) PressKey('V', true);
      if (c.how == kShiftInsert) PressKey(VK_INSERT, false, true);
      if (c.how == kContextMenu) {
        // The menu's Paste ("&Paste"), pressed once the menu runs its loop.
        SetTimer(nullptr, 0, 50, PressPInTheMenu);
        SendMessageA(g_state.inputBox, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_state.inputBox), -1);
      }
    }
    SendMessageA(g_state.inputBox, WM_CHAR, 13, 1);
    EXPECT_STREQ("A2008", g_state.currentNumber);
    EXPECT_EQ("A2008", TextOf(g_state.inputBox));
    EXPECT_EQ(0, g_state.lookupFailed);
  }
}

// The longest numbers show whole in the box, from its start (Home) and from
// its end (End, as after a lookup): in the shared font, and in one as wide as
// the shared font is on a screen of 120 DPI.
TEST_F(LookupWindowTest, SevenCharacterNumbersShowWhole) {
  const auto showsWhole = [] {
    const HWND box = g_state.inputBox;
    RECT client = {};
    GetClientRect(box, &client);
    const HDC dc = GetDC(box);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
    SIZE last = {};
    GetTextExtentPoint32A(dc, "9", 1, &last);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    const short first = static_cast<short>(LOWORD(SendMessageA(box, EM_POSFROMCHAR, 0, 0)));
    const short seventh = static_cast<short>(LOWORD(SendMessageA(box, EM_POSFROMCHAR, 6, 0)));
    return first >= 0 && seventh + last.cx <= client.right;
  };
  for (int height : {0, -16}) {
    if (height != 0) {
      DestroyWindow(g_state.lookupWindow);
      DeleteObject(g_state.sharedFont);
      LOGFONTA wide = {};
      wide.lfHeight = height;
      lstrcpyA(wide.lfFaceName, "MS Sans Serif");
      g_state.sharedFont = CreateFontIndirectA(&wide);
      CreateLookupWindow();
    }
    for (const char* number : {"LNK2019", "CVT1100"}) {
      SCOPED_TRACE(std::string(number) + " in a font of height " + std::to_string(height));
      SetForegroundWindow(g_state.lookupWindow);
      Enter(number);
      PressKey(VK_END);
      EXPECT_TRUE(showsWhole()) << "from its end";
      PressKey(VK_HOME);
      EXPECT_TRUE(showsWhole()) << "from its start";
    }
  }
}

TEST_F(LookupWindowTest, EnterOnAnEmptyInputBoxDoesNothing) {
  Enter("A2008");
  SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);
  const RECT before = WindowRect(g_state.lookupWindow);
  Enter("");
  EXPECT_EQ(Describe(before), Describe(WindowRect(g_state.lookupWindow))) << "no size change";
  EXPECT_EQ(0, g_state.expanded);
  EXPECT_STREQ("A2008", g_state.currentNumber) << "no lookup ran";
  EXPECT_EQ("Error", TextOf(g_state.typeField));
  EXPECT_EQ("", TextOf(g_state.inputBox)) << "the carriage return never reached the edit control";
}

TEST_F(LookupWindowTest, EnterWhileCompactExpandsIntoTheWorkAreaBeforeTheLookup) {
  SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);
  const RECT area = WorkArea();
  MoveTo(area.right - 100, area.bottom - 40);
  Enter("A2008");
  EXPECT_EQ(1, g_state.expanded);
  EXPECT_EQ("Orvalith", TextOf(g_state.lookupWindow));
  EXPECT_EQ(Describe(RECT{area.right - 450, area.bottom - 383, area.right, area.bottom}),
            Describe(WindowRect(g_state.lookupWindow)));
  EXPECT_EQ("syntax error : token", TextOf(g_state.titleField));
}

TEST_F(LookupWindowTest, ToggleSwitchesSizeCaptionAndPicture) {
  const struct {
    uint8_t expanded;
    const char* rect;
    const char* caption;
    int picture;
  } clicks[] = {
      {0, "40,50 200x55", "ORVA", IDI_EXPAND},        // triangle down
      {1, "40,50 450x383", "Orvalith", IDI_COLLAPSE},  // triangle up
  };
  MoveTo(40, 50);
  for (const auto& after : clicks) {
    ClickControl(g_state.toggleIcon);
    EXPECT_EQ(after.expanded, g_state.expanded);
    EXPECT_EQ(after.rect, Describe(WindowRect(g_state.lookupWindow)));
    EXPECT_EQ(after.caption, TextOf(g_state.lookupWindow));
    EXPECT_EQ(g_state.togglePicture, Shown(g_state.toggleIcon));
    EXPECT_EQ(ResourcePixels(after.picture, LR_DEFAULTCOLOR), IconPixels(g_state.togglePicture))
        << "picture " << after.picture << " expected";
  }
}

TEST_F(LookupWindowTest, DoubleClickOnTheToggleTogglesOnce) {
  HWND toggle = g_state.toggleIcon;
  SendMessageA(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(toggle, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  SendMessageA(toggle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(toggle, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(0, g_state.expanded);
  EXPECT_EQ("ORVA", TextOf(g_state.lookupWindow));
}

TEST_F(LookupWindowTest, CollapsingNearAnEdgeDoesNotMoveTheWindow) {
  const RECT area = WorkArea();
  MoveTo(area.right - 100, area.bottom - 50);
  SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);
  const RECT r = WindowRect(g_state.lookupWindow);
  EXPECT_EQ(area.right - 100, r.left);
  EXPECT_EQ(area.bottom - 50, r.top);
}

TEST_F(LookupWindowTest, ExpandingPullsEachEdgeBackIntoTheWorkArea) {
  const RECT area = WorkArea();
  const struct {
    const char* what;
    int x, y;
    int expectedX, expectedY;
  } cases[] = {
      {"inside", 100, 100, 100, 100},
      {"right edge beyond", area.right - 300, 100, area.right - 450, 100},
      {"bottom edge beyond", 100, area.bottom - 200, 100, area.bottom - 383},
      {"negative left", -30, 100, 0, 100},
      {"negative top", 100, -20, 100, 0},
  };
  for (const auto& c : cases) {
    SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);  // compact
    MoveTo(c.x, c.y);
    SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);  // expanded
    const RECT r = WindowRect(g_state.lookupWindow);
    EXPECT_EQ(Describe(RECT{c.expectedX, c.expectedY, c.expectedX + 450, c.expectedY + 383}), Describe(r)) << c.what;
  }
}

TEST_F(LookupWindowTest, RightEdgeWinsOverLeftAndTopOverBottom) {
  // A work area narrower and lower than the window: both rules of each axis apply.
  SetWorkArea(RECT{0, 0, 400, 300});
  const RECT area = WorkArea();
  ASSERT_EQ("0,0 400x300", Describe(area)) << "the work area could not be set";
  SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);
  MoveTo(-10, -10);
  SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);
  EXPECT_EQ(Describe(RECT{400 - 450, 0, 400, 383}), Describe(WindowRect(g_state.lookupWindow)));
}

TEST(KeptInWorkArea, TheMonitorThatHoldsTheWindowSetsTheLimits) {
  // Wine under Xvfb shows one monitor: the rule is tried on monitors beside,
  // left of and above a 1024x768 primary one, each with a 40-pixel taskbar
  // at its bottom.
  const RECT primary = {0, 0, 1024, 768}, primaryWork = {0, 0, 1024, 728};
  const RECT right = {1024, 0, 2048, 768}, rightWork = {1024, 0, 2048, 728};
  const RECT left = {-1280, 0, 0, 1024}, leftWork = {-1280, 0, 0, 984};
  const RECT above = {0, -768, 1024, 0}, aboveWork = {0, -768, 1024, -40};
  const struct {
    const char* what;
    RECT monitor, workArea;
    int x, y;
    int expectedX, expectedY;
  } cases[] = {
      {"primary, inside", primary, primaryWork, 100, 100, 100, 100},
      {"primary, negative left and top", primary, primaryWork, -30, -20, 0, 0},
      {"primary, right and bottom beyond", primary, primaryWork, 900, 500, 1024 - 450, 728 - 383},
      {"right, inside", right, rightWork, 1100, 100, 1100, 100},
      {"right, left edge on the primary", right, rightWork, 1000, 100, 1024, 100},
      {"right, right edge beyond", right, rightWork, 1800, 100, 2048 - 450, 100},
      {"left, inside", left, leftWork, -1200, 100, -1200, 100},
      {"left, left edge beyond", left, leftWork, -1300, 100, -1280, 100},
      {"left, bottom beyond", left, leftWork, -500, 800, -500, 984 - 383},
      {"above, inside", above, aboveWork, 100, -700, 100, -700},
      {"above, top beyond", above, aboveWork, 100, -800, 100, -768},
      {"above, bottom beyond", above, aboveWork, 100, -300, 100, -40 - 383},
      // A taskbar docked on the left: the left limit stays the monitor's edge.
      {"primary, taskbar on the left, under it", primary, {60, 0, 1024, 768}, 20, 100, 20, 100},
      {"right, taskbar on its left, under it", right, {1084, 0, 2048, 768}, 1030, 100, 1030, 100},
  };
  for (const auto& c : cases) {
    const POINT got = KeptInWorkArea(RECT{c.x, c.y, c.x + 450, c.y + 383}, c.monitor, c.workArea);
    EXPECT_EQ(c.expectedX, got.x) << c.what;
    EXPECT_EQ(c.expectedY, got.y) << c.what;
  }
}

TEST_F(LookupWindowTest, HoverBorderFollowsTheCursor) {
  Enter("A2008");  // the note icon takes part only after a successful lookup
  const HWND icons[4] = {g_state.toggleIcon, g_state.noteIcon, g_state.noteBrowserIcon, g_state.errorBrowserIcon};
  for (int i = 0; i < 4; ++i) {
    PointAt(icons[i]);
    PumpMessages(60);
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(i == j, Bordered(icons[j])) << "cursor over icon " << i + 1 << ", icon " << j + 1;
    }
  }
  ParkCursor();
  PumpMessages(60);
  for (int j = 0; j < 4; ++j) EXPECT_FALSE(Bordered(icons[j])) << "cursor gone, icon " << j + 1;
}

// The tooltip names the action and key of the icon the cursor rests on.
TEST_F(LookupWindowTest, TooltipNamesTheIconTheCursorRestsOn) {
  PointAt(g_state.errorBrowserIcon);
  PumpMessages(1000);
  EXPECT_TRUE(IsWindowVisible(g_state.iconTips));
  EXPECT_EQ("Error Browser (Ctrl+E)", TextOf(g_state.iconTips));
}

TEST_F(LookupWindowTest, InertNoteIconGetsNoBorder) {
  PointAt(g_state.noteIcon);
  PumpMessages(60);
  EXPECT_FALSE(Bordered(g_state.noteIcon)) << "before any lookup";
  Enter("A2008");
  PumpMessages(60);
  EXPECT_TRUE(Bordered(g_state.noteIcon)) << "after a successful lookup";
  Enter("X1234");
  PumpMessages(60);
  EXPECT_FALSE(Bordered(g_state.noteIcon)) << "after a failed lookup";
}

// The hover timer runs while the window is on screen, also disabled; hidden,
// it is stopped (no tick moves a border), and shown again it runs again.
TEST_F(LookupWindowTest, HoverGoesOnWhileDisabledButNotWhileHidden) {
  EnableWindow(g_state.lookupWindow, FALSE);
  PointAt(g_state.errorBrowserIcon);
  PumpMessages(60);
  EXPECT_TRUE(Bordered(g_state.errorBrowserIcon)) << "disabled";
  EnableWindow(g_state.lookupWindow, TRUE);
  ShowWindow(g_state.lookupWindow, SW_HIDE);
  PointAt(g_state.toggleIcon);
  PumpMessages(60);
  EXPECT_FALSE(Bordered(g_state.toggleIcon)) << "hidden: no tick";
  EXPECT_TRUE(Bordered(g_state.errorBrowserIcon)) << "hidden: no tick";
  EXPECT_FALSE(KillTimer(g_state.lookupWindow, kHoverTimerId)) << "the timer runs while hidden";
  ShowWindow(g_state.lookupWindow, SW_RESTORE);  // as the menu item and a host word bring it back
  PumpMessages(60);
  EXPECT_TRUE(Bordered(g_state.toggleIcon)) << "shown again";
  EXPECT_FALSE(Bordered(g_state.errorBrowserIcon)) << "shown again";
}

// Escape in the input box, or in the description (where a click leaves the
// focus), hides the window as its close does; Enter keeps its meaning.
TEST_F(LookupWindowTest, EscapeHidesTheWindowAndEnterStillLooksUp) {
  for (HWND focus : {g_state.inputBox, g_state.descriptionBox}) {
    ShowWindow(g_state.lookupWindow, SW_RESTORE);
    SetForegroundWindow(g_state.lookupWindow);
    SendMessageA(g_state.inputBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A2008"));
    SetFocus(g_state.inputBox);
    PressKey(VK_RETURN);
    EXPECT_EQ("syntax error : token", TextOf(g_state.titleField));
    SetFocus(focus);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(g_state.lookupWindow))
        << "Escape in the " << (focus == g_state.inputBox ? "input box" : "description");
    EXPECT_EQ("", TextOf(g_state.titleField)) << "reset as by the close button";
  }
}

namespace {
int g_styleChanges;
WNDPROC g_staticProc;
LRESULT CALLBACK CountStyleChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_STYLECHANGED || message == WM_NCCALCSIZE) ++g_styleChanges;
  return CallWindowProcA(g_staticProc, window, message, wParam, lParam);
}
}  // namespace

TEST_F(LookupWindowTest, TicksWithoutAHoverChangeWriteAndRedrawNothing) {
  const HWND icons[4] = {g_state.toggleIcon, g_state.noteIcon, g_state.noteBrowserIcon, g_state.errorBrowserIcon};
  for (HWND icon : icons) {
    g_staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongA(icon, GWL_WNDPROC, reinterpret_cast<LONG>(CountStyleChanges)));
  }
  g_styleChanges = 0;
  PumpMessages(150);  // about fifteen ticks with the cursor elsewhere
  EXPECT_EQ(0, g_styleChanges);
  PointAt(g_state.toggleIcon);
  PumpMessages(150);
  const int onEntering = g_styleChanges;
  EXPECT_GT(onEntering, 0) << "entering changes the toggle icon's frame";
  PumpMessages(150);
  EXPECT_EQ(onEntering, g_styleChanges) << "staying changes nothing more";
  for (HWND icon : icons) SetWindowLongA(icon, GWL_WNDPROC, reinterpret_cast<LONG>(g_staticProc));
}

TEST_F(LookupWindowTest, NoteIconIgnoresClicksWithoutASuccessfulLookup) {
  ClickAnswering(g_state.noteIcon, IDNO);
  EXPECT_FALSE(g_box.shown) << "before any lookup";
  Enter("A9999");
  ClickAnswering(g_state.noteIcon, IDNO);
  EXPECT_FALSE(g_box.shown) << "after a failed lookup";
}

TEST_F(LookupWindowTest, NoteIconWithoutANoteAsksWhetherToCreateOne) {
  Enter("A2008");
  ClickAnswering(g_state.noteIcon, IDNO);
  ASSERT_TRUE(g_box.shown);
  EXPECT_EQ(g_state.lookupWindow, g_box.owner);
  EXPECT_EQ("This error does not have a note associated with it.\r\n\r\nWould you like to create one?", g_box.text);
  EXPECT_EQ("Error", g_box.caption) << "the system's default caption";
  EXPECT_TRUE(g_box.yes && g_box.no && !g_box.ok);
  // No does nothing.
  EXPECT_EQ(nullptr, g_state.noteEditor);
  EXPECT_TRUE(IsWindowEnabled(g_state.lookupWindow));
  EXPECT_EQ(0, g_state.lookupFailed);
}

TEST_F(LookupWindowTest, BrowserIconsSetTheModeBeforeOpening) {
  const struct {
    HWND icon;
    uint32_t mode;
    const char* caption;
  } icons[] = {{g_state.noteBrowserIcon, 2003u, "Note Browser"}, {g_state.errorBrowserIcon, 2004u, "Error Browser"}};
  for (const auto& icon : icons) {
    ASSERT_TRUE(ClickControl(icon.icon)) << icon.caption;
    EXPECT_EQ(icon.mode, g_state.browserMode);
    ASSERT_NE(nullptr, g_state.browserWindow);
    EXPECT_EQ(icon.caption, TextOf(g_state.browserWindow));
    EXPECT_FALSE(ClickControl(g_state.errorBrowserIcon)) << "a second browser over the first";
    SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
  }
  SendMessageA(g_state.lookupWindow, WM_COMMAND, MAKEWPARAM(kNoteBrowserIconId, STN_DBLCLK), 0);
  EXPECT_EQ(2004u, g_state.browserMode) << "a double-click notification is no click";
  EXPECT_EQ(nullptr, g_state.browserWindow);
}

TEST_F(LookupWindowTest, SystemColourChangeReloadsOnlyTheGreyPicture) {
  HICON grey = g_state.notePicture;
  SendMessageA(g_state.lookupWindow, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_NE(grey, g_state.notePicture) << "reloaded";
  EXPECT_EQ(g_state.notePicture, Shown(g_state.noteIcon));
  ICONINFO info = {};
  EXPECT_FALSE(GetIconInfo(grey, &info)) << "the old picture was destroyed";

  SetNoteIcon(true);
  HICON yellow = g_state.notePicture;
  SendMessageA(g_state.lookupWindow, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(yellow, g_state.notePicture) << "the yellow picture stays";
  EXPECT_EQ(yellow, Shown(g_state.noteIcon));
}

TEST_F(LookupWindowTest, CloseResetsAndHidesButKeepsSizeModeAndNumber) {
  Enter("A2008");
  SetNoteIcon(true);
  SendMessageA(g_state.lookupWindow, WM_COMMAND, kToggleIconId, 0);
  const RECT before = WindowRect(g_state.lookupWindow);
  SendMessageA(g_state.lookupWindow, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(g_state.lookupWindow));
  EXPECT_FALSE(IsWindowVisible(g_state.lookupWindow));
  for (HWND field : {g_state.inputBox, g_state.typeField, g_state.titleField, g_state.toolField,
                     g_state.descriptionBox}) {
    EXPECT_EQ("", TextOf(field));
  }
  EXPECT_EQ(1, g_state.lookupFailed);
  EXPECT_EQ(0, g_state.noteExists);
  EXPECT_EQ(ResourcePixels(IDI_NO_NOTE, LR_LOADMAP3DCOLORS), IconPixels(Shown(g_state.noteIcon)));
  EXPECT_EQ(0, g_state.expanded);
  EXPECT_EQ(Describe(before), Describe(WindowRect(g_state.lookupWindow)));
  EXPECT_STREQ("A2008", g_state.currentNumber);
  EXPECT_EQ(host_, GetFocus()) << "the focus goes back to the host";
}

TEST_F(LookupWindowTest, ActivationFocusesTheInputBoxWithAllTextSelected) {
  SendMessageA(g_state.inputBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A20"));
  const auto selection = [] {
    DWORD start = 9, end = 9;
    SendMessageA(g_state.inputBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::to_string(start) + "-" + std::to_string(end);
  };
  // The user comes back from another window.
  SetForegroundWindow(host_);
  SetFocus(host_);
  SendMessageA(g_state.inputBox, EM_SETSEL, 1, 1);
  ASSERT_TRUE(SetForegroundWindow(g_state.lookupWindow));
  EXPECT_EQ(g_state.inputBox, GetFocus());
  EXPECT_EQ("0-3", selection());
  // The same two steps run when the window loses activation.
  SendMessageA(g_state.inputBox, EM_SETSEL, 1, 1);
  SetForegroundWindow(host_);
  EXPECT_EQ("0-3", selection());
}

TEST_F(LookupWindowTest, DestroyHandlingReleasesEverythingOnceOnly) {
  // COM counts: the test's own initialisation stays after the add-in's is undone once.
  ASSERT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  SendMessageA(g_state.lookupWindow, WM_DESTROY, 0, 0);
  EXPECT_TRUE(IsWindow(g_state.lookupWindow)) << "the window itself stays";
  EXPECT_EQ(nullptr, g_state.togglePicture);
  EXPECT_EQ(nullptr, g_state.notePicture);
  EXPECT_EQ(nullptr, g_state.noteBrowserPicture);
  EXPECT_EQ(nullptr, g_state.errorBrowserPicture);
  EXPECT_EQ(nullptr, g_state.sharedFont);
  EXPECT_EQ(nullptr, g_state.imageList);
  EXPECT_FALSE(KillTimer(g_state.lookupWindow, kHoverTimerId)) << "the hover timer was stopped";

  // Whatever comes into being between the two runs is not released by the second.
  HICON bystander = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_COLLAPSE), IMAGE_ICON, 16, 16, 0));
  SendMessageA(g_state.lookupWindow, WM_DESTROY, 0, 0);
  ICONINFO info = {};
  EXPECT_TRUE(GetIconInfo(bystander, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(bystander);
  EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))
      << "COM was uninitialised twice";
  CoUninitialize();
  CoUninitialize();
}

// Every pen a paint draws with, every picture an icon shows, the shell's
// icons, the fonts, the image list and each window's keys: whatever the
// add-in makes between its install and the host's close, it destroys, so
// that a long session does not pile up handles in the host's process. (The
// shared font is made as wide as on a screen of 120 DPI, where the input box
// takes a font of its own.)
TEST(LookupWindowHandles, EverythingMadeFromInstallToCloseIsDestroyed) {
  ParkCursor();
  HandleLedger ledger;
  ASSERT_TRUE(ledger.Counting());
  g_state = AddinState{};
  g_state.moduleInstance = GetModuleHandleA(nullptr);
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 100, 100, 600, 500, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  InstallAddin(host, 1);
  lstrcpynA(g_state.addinFolder, FixtureFolder("basic").c_str(), kPathSize);
  DeleteObject(g_state.sharedFont);
  LOGFONTA wide = {};
  wide.lfHeight = -16;
  lstrcpyA(wide.lfFaceName, "MS Sans Serif");
  g_state.sharedFont = CreateFontIndirectA(&wide);
  CreateLookupWindow();
  ASSERT_NE(nullptr, g_state.lookupWindow);
  for (int i = 0; i < 10; ++i) {
    RedrawWindow(g_state.lookupWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  ToggleSize();
  ToggleSize();
  for (const char* number : {"A2008", "X1234"}) {
    SendMessageA(g_state.inputBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(number));
    SendMessageA(g_state.inputBox, WM_CHAR, 13, 1);
  }
  EXPECT_NE(nullptr, g_state.inputFont);
  OpenNoteEditor(kCreateNoteMode);
  SendMessageA(g_state.noteEditor, WM_CLOSE, 0, 0);
  OpenBrowserInMode(kErrorBrowserIconId);
  ShowFindBox();
  SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
  OpenBrowserInMode(kNoteBrowserIconId);
  DllProc(host, WM_CLOSE, 0, 0);  // with the Note Browser open
  DestroyWindow(host);
  RemoveTree(TestProgramFolder() + "Orva Notes\\");

  const std::map<std::string, int> created = ledger.Created();
  EXPECT_GE(created.count("CreatePen") != 0 ? created.at("CreatePen") : 0, 20) << "ten paints, two pens each";
  EXPECT_EQ(2, created.count("SHGetFileInfoA") != 0 ? created.at("SHGetFileInfoA") : 0);
  EXPECT_EQ("", ledger.Left());
}
