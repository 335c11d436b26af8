// The real orvara.dll driven as the IDE drives it: loaded by the stand-in
// host from a folder of its own (a copy of the DLL beside the fixture message
// modules), asked for its options, installed, and passed notifications; what
// it does is read back from the host's menus and from its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "stand_in_host/stand_in_host.h"
#include "tests/windows/support/keys.h"
#include "tests/windows/support/run_program.h"
#include "tests/windows/support/test_paths.h"

using namespace standin;

namespace {


struct Fields {
  std::string type, title, tool, description;
};

bool operator==(const Fields& a, const Fields& b) {
  return a.type == b.type && a.title == b.title && a.tool == b.tool && a.description == b.description;
}

std::ostream& operator<<(std::ostream& out, const Fields& f) {
  return out << "{type \"" << f.type << "\", title \"" << f.title << "\", tool \"" << f.tool << "\", description \""
             << f.description << "\"}";
}

Fields FieldsShown(const LookupView& view) {
  return {TextOf(view.typeField), TextOf(view.titleField), TextOf(view.toolField), TextOf(view.descriptionBox)};
}

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

// An output pane whose word request writes g_word as it stands, cut to the
// buffer and without a terminator of its own: a word of 32 bytes fills the
// buffer, the most a host may write.
std::string g_word;

LRESULT CALLBACK FixedWordProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kWordRequest) {
    const size_t n = std::min<size_t>(wParam, g_word.size());
    std::copy_n(g_word.begin(), n, reinterpret_cast<char*>(lParam));
    return static_cast<LRESULT>(n);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class HostProtocolTest : public testing::Test {
 protected:
  // The add-in's folder: a copy of the DLL beside the fixture modules, so
  // that its lookups show the fixture texts and its notes folder is a scratch one.
  std::string PrepareAddinFolder() {
    folder_ = MakeAddinFolder("host_protocol", "basic");
    return folder_;
  }

  void StartHost(uint32_t optionWord = 1, uint32_t dataField = 0) {
    PrepareAddinFolder();
    ASSERT_TRUE(CreateHostWindow(dataField));
    ASSERT_TRUE(LoadAddin(folder_ + "orvara.dll", optionWord)) << "cannot load " << folder_ << "orvara.dll";
    PumpMessages(20);
  }

  void TearDown() override {
    CloseHost();
    PumpMessages(20);
    UnloadAddin();
  }

  void OpenThroughMenu(LookupView* view) {
    int position = 0;
    const UINT id = FindMenuItem("ORVA", &position);
    ASSERT_NE(0u, id) << "no menu item ORVA";
    ChooseMenuItem(id);
    PumpMessages(30);
    ASSERT_TRUE(FindLookupView(view)) << "no lookup window after the menu command";
  }

  // Types a number into the input box and presses Enter, as the user does.
  static void LookUp(const LookupView& view, const char* number) { EnterNumber(view.inputBox, number); }

  std::string folder_;
};

}  // namespace

TEST_F(HostProtocolTest, OptionTableHasTheOneRowEnableOrva) {
  StartHost();
  const AddinOption* options = g_host.options;
  ASSERT_NE(nullptr, options);
  ASSERT_NE(nullptr, options[0].text);
  EXPECT_STREQ("Enable ORVA", options[0].text);
  EXPECT_EQ(1u, options[0].andMask);
  EXPECT_EQ(1u, options[0].orMask);
  EXPECT_EQ(nullptr, options[1].text) << "the table ends after one row";
  EXPECT_EQ(0u, options[1].andMask);
  EXPECT_EQ(0u, options[1].orMask);
}

TEST_F(HostProtocolTest, DisabledInstallAnswersThreeZeroWordsAndCreatesNothing) {
  StartHost(0);
  EXPECT_EQ(0u, g_host.hooks[kEax]);
  EXPECT_EQ(0u, g_host.hooks[kEcx]) << "ECX was left as it was (0xDEADBEEF before the call)";
  EXPECT_EQ(0u, g_host.hooks[kEdx]) << "EDX was left as it was (0xDEADBEEF before the call)";
  // The records are asked for either way; a menu identifier is not.
  EXPECT_EQ(1u, g_host.requestsAnswered[0]);
  EXPECT_EQ(1u, g_host.requestsAnswered[1]);
  EXPECT_EQ(1u, g_host.requestsAnswered[2]);
  EXPECT_EQ(0u, g_host.requestsAnswered[3]);
  EXPECT_EQ(0u, FindMenuItem("ORVA", nullptr));
  EXPECT_FALSE(FileExists(folder_ + "Orva Notes")) << "a disabled add-in creates no folder";
  // Asking for no notification, it is passed none.
  EXPECT_FALSE(HookAsks(WM_COMMAND));
  EXPECT_FALSE(HookAsks(WM_CLOSE));
}

TEST_F(HostProtocolTest, EnabledInstallAnswersHookWordInEaxAndZeroInEcxAndEdx) {
  StartHost(1);
  EXPECT_EQ(0x40004005u, g_host.hooks[kEax]);
  EXPECT_EQ(0u, g_host.hooks[kEcx]) << "ECX was left as it was (0xDEADBEEF before the call)";
  EXPECT_EQ(0u, g_host.hooks[kEdx]) << "EDX was left as it was (0xDEADBEEF before the call)";
  EXPECT_TRUE(HookAsks(WM_COMMAND) && HookAsks(kOutputDoubleClick) && HookAsks(kMenuRebuilt) && HookAsks(WM_CLOSE));
  EXPECT_EQ(1u, g_host.requestsAnswered[3]) << "one menu identifier asked for";

  char user[257] = {};
  DWORD size = sizeof user;
  GetUserNameA(user, &size);
  EXPECT_TRUE(FileExists(folder_ + "Orva Notes\\" + user)) << "the notes folder below the add-in's folder";
}

TEST_F(HostProtocolTest, MenuItemGoesToSubmenu6Or7ByTheDataRecord) {
  const struct {
    uint32_t dataField;
    int submenu;
  } cases[] = {{0, 6}, {1, 7}, {2, 7}};
  for (const auto& c : cases) {
    StartHost(1, c.dataField);
    int position = -1;
    const UINT id = FindMenuItem("ORVA", &position);
    EXPECT_EQ(kFirstAddinId, id) << "data field " << c.dataField;
    EXPECT_EQ(c.submenu, position) << "data field " << c.dataField;
    // Before it, a maximised document window's system menu: Tools either way.
    char popup[32] = {};
    GetMenuStringA(MainMenu(), position, popup, sizeof popup, MF_BYPOSITION);
    EXPECT_STREQ("&Tools", popup) << "data field " << c.dataField;
    // Host close takes the item from where it was put.
    NotifyAddin(g_host.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, FindMenuItem("ORVA", nullptr)) << "data field " << c.dataField << ": item left behind";
    TearDown();
  }
}

TEST_F(HostProtocolTest, MenuCommandOpensLookupWindowCentredOnTheHost) {
  StartHost();
  LookupView view;
  OpenThroughMenu(&view);
  EXPECT_TRUE(IsWindowVisible(view.window));
  EXPECT_EQ(g_host.mainWindow, GetWindow(view.window, GW_OWNER));
  EXPECT_EQ("Orvalith", TextOf(view.window));
  EXPECT_EQ(static_cast<LONG>(WS_EX_TOOLWINDOW), GetWindowLongA(view.window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  const LONG style = GetWindowLongA(view.window, GWL_STYLE);
  EXPECT_EQ(0, style & (WS_CHILD | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

  const RECT host = WindowRect(g_host.mainWindow);
  const RECT r = WindowRect(view.window);
  EXPECT_EQ(450, r.right - r.left);
  EXPECT_EQ(383, r.bottom - r.top);
  EXPECT_EQ(host.left + ((host.right - host.left) >> 1) - 225, r.left);
  EXPECT_EQ(host.top + ((host.bottom - host.top) >> 1) - (383 >> 1), r.top);
  EXPECT_EQ(view.inputBox, GetFocus()) << "the input box has the keyboard focus";
}

TEST_F(HostProtocolTest, ForeignMenuCommandsOpenNothing) {
  StartHost();
  const UINT id = FindMenuItem("ORVA", nullptr);
  SendMessageA(g_host.mainWindow, WM_COMMAND, MAKEWPARAM(id, 1), 0);  // same id, accelerator code
  SendMessageA(g_host.mainWindow, WM_COMMAND, MAKEWPARAM(id + 1, 0), 0);
  ChooseMenuItem(kRebuildMenusCommand);
  PumpMessages(20);
  LookupView view;
  EXPECT_FALSE(FindLookupView(&view));
}

TEST_F(HostProtocolTest, EachLookupOutcomeShowsOnlyItsOwnFields) {
  StartHost();
  LookupView view;
  OpenThroughMenu(&view);
  const struct {
    const char* number;
    Fields expected;
  } steps[] = {
      {"A2008", {"Error", "syntax error : token", "ML", "A fixture description\r\nover two lines."}},
      {"X1234", {"", "", "Unrecognized tool", ""}},
      {"A2009", {"Error", "invalid character in file", "ML", "Message 0x2009."}},
      {"LNK", {"", "", "", "Please enter a complete error number"}},
      {"A2008", {"Error", "syntax error : token", "ML", "A fixture description\r\nover two lines."}},
      {"A9999", {"", "", "ML", "Could not find info for this error number"}},
  };
  for (const auto& step : steps) {
    LookUp(view, step.number);
    EXPECT_EQ(step.expected, FieldsShown(view)) << "after " << step.number;
    DWORD start = 1, end = 0;
    SendMessageA(view.inputBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start) << step.number << ": the input text is selected for the next number";
    EXPECT_EQ(lstrlenA(step.number), static_cast<int>(end)) << step.number;
  }
}

TEST_F(HostProtocolTest, InputBoxTakesSevenCharactersInUpperCase) {
  StartHost();
  LookupView view;
  OpenThroughMenu(&view);
  ASSERT_EQ(view.inputBox, GetFocus());
  TypeText("lnk20190");  // typed where the keyboard focus is
  EXPECT_EQ("LNK2019", TextOf(view.inputBox));

  // A click into the full box selects nothing; Ctrl+A, pressed on the
  // keyboard, selects the number so that the next one replaces it.
  SendMessageA(view.inputBox, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
  SendMessageA(view.inputBox, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
  PressKey('A', true);
  TypeText("u1050");
  EXPECT_EQ("U1050", TextOf(view.inputBox));
}

TEST_F(HostProtocolTest, DoubleClickOnAnErrorNumberInTheOutputOpensTheWindowAndLooksItUp) {
  StartHost();
  EXPECT_EQ(1, DoubleClickWordInOutput("prog.asm(12) : error A2008: syntax error : token", "A2008"))
      << "the add-in takes the double-click over";
  LookupView view;
  ASSERT_TRUE(FindLookupView(&view));
  EXPECT_TRUE(IsWindowVisible(view.window));
  EXPECT_EQ("A2008", TextOf(view.inputBox));
  EXPECT_EQ((Fields{"Error", "syntax error : token", "ML", "A fixture description\r\nover two lines."}),
            FieldsShown(view));

  // Closed (hidden), it is restored by the next error number.
  SendMessageA(view.window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(view.window));
  EXPECT_EQ(1, DoubleClickWordInOutput("NMAKE : fatal error U1073: don't know how to make 'x.obj'", "U1073"));
  EXPECT_TRUE(IsWindowVisible(view.window));
  EXPECT_EQ("U1073", TextOf(view.inputBox));
  EXPECT_EQ("NMAKE", TextOf(view.toolField));
}

// Answering 1 keeps the host from its own action for the double-click (its
// jump to the source line): only a word that is an error number is claimed.
TEST_F(HostProtocolTest, HostWordsAreClaimedOnlyWhenTheyAreErrorNumbers) {
  StartHost();
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = FixedWordProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "OrvaFixedWord";
  RegisterClassA(&windowClass);
  HWND pane = CreateWindowA("OrvaFixedWord", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);

  // Declined first, while no lookup window exists: none may open.
  const std::string declined[] = {"EAX", "PUSH",     "CALL",   "MAXIMUMERRORS", "MOV", "LNK",
                                  "X1234", "LNK20199", "A2008X", "",            std::string(32, 'A'),
                                  "a1",  "A1",       "rc1",    "U8",            "LNK1", "A12", "A20081"};
  for (const std::string& word : declined) {
    g_word = word;
    EXPECT_EQ(0, NotifyAddin(pane, kOutputDoubleClick, 0, 0)) << '"' << word << "\" is left to the host";
  }
  LookupView view;
  EXPECT_FALSE(FindLookupView(&view)) << "a declined word opened the lookup window";

  // The code window passes nothing to the add-in: F1 there is the host's own
  // keyword help, and a double-click only selects.
  SetWindowTextA(g_host.codeWindow, "    mov eax, A2008");
  SendMessageA(g_host.codeWindow, EM_SETSEL, 14, 14);
  SetFocus(g_host.codeWindow);
  SendMessageA(g_host.codeWindow, WM_KEYDOWN, VK_F1, 0);
  SendMessageA(g_host.codeWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 5));
  SendMessageA(g_host.codeWindow, WM_LBUTTONUP, 0, MAKELPARAM(100, 5));
  EXPECT_EQ("A2008", g_host.keywordHelp);
  EXPECT_FALSE(FindLookupView(&view)) << "the code window passed a word to the add-in";

  const struct {
    const char* word;
    const char* number;  // what the input box shows and looks up
    const char* tool;
  } claimed[] = {
      {"A2008", "A2008", "ML"},
      {"lnk2019:", "LNK2019", "LINK\\LIB\\DUMPBIN\\EDITBIN"},
      {"A02008", "A2008", "ML"},
      {"A2008:", "A2008", "ML"},
      {"CVT1100", "CVT1100", "CVTRES"},
      {"RW1004", "RW1004", "RC (\"W\" Errors)"},
  };
  for (const auto& c : claimed) {
    g_word = c.word;
    EXPECT_EQ(1, NotifyAddin(pane, kOutputDoubleClick, 0, 0)) << c.word;
    ASSERT_TRUE(FindLookupView(&view)) << c.word;
    EXPECT_EQ(c.number, TextOf(view.inputBox)) << c.word;
    EXPECT_EQ(c.tool, TextOf(view.toolField)) << c.word;
  }
  DestroyWindow(pane);
}

// The flow a RadASM user meets after a build: a double-click in the output
// pane yields the word under the pointer by the host's word rule; the
// add-in claims it when it is an error number and opens on it, and the
// host then stays where it was; otherwise the host jumps to the source line
// the message names, if it names one. Each row is a double-click on a line
// of a sample build log, inside the word clickedIn.
TEST_F(HostProtocolTest, DoubleClickInTheOutputPaneYieldsTheWordAndEitherLooksItUpOrJumps) {
  const struct {
    const char* project;
    int logLine;            // from 1, as in the file
    const char* clickedIn;  // where in the line: the first place with this text
    int offset;             // the character of it that is clicked
    const char* word;       // what the pane answers the word request with
    LRESULT answer;         // the add-in's
    const char* source;     // the file the host opens, or null for none
    int sourceLine;
  } rows[] = {
      {"hello", 3, "A2008", 2, "A2008", 1, nullptr, 0},
      {"hello", 3, "hello", 1, "hello", 0, "hello.asm", 12},
      {"hello", 3, "12", 1, "12", 0, "hello.asm", 12},
      {"hello", 3, "error", 2, "error", 0, "hello.asm", 12},
      {"hello", 4, "A2006", 4, "A2006", 1, nullptr, 0},
      {"hello", 4, "MessageBoxX", 5, "MessageBoxX", 0, "hello.asm", 20},
      {"hello", 5, "U1077", 1, "U1077", 1, nullptr, 0},
      {"hello", 5, "NMAKE", 2, "NMAKE", 0, nullptr, 0},
      {"hello", 5, "0x1", 1, "0x1", 0, nullptr, 0},
      {"hello", 1, "hello", 1, "hello", 0, nullptr, 0},  // the command, not a message
      {"dialog", 2, "RC2104", 3, "RC2104", 1, nullptr, 0},
      {"dialog", 2, "IDC_NAME", 4, "IDC_NAME", 0, "dialog.rc", 14},
      {"dialog", 2, "rc", 0, "rc", 0, "dialog.rc", 14},
      {"linking", 5, "CVT4001", 3, "CVT4001", 1, nullptr, 0},
      {"linking", 7, "LNK4044", 2, "LNK4044", 1, nullptr, 0},
      {"linking", 7, "OPT", 1, "OPT", 0, nullptr, 0},
      {"linking", 8, "LNK2001", 6, "LNK2001", 1, nullptr, 0},
      {"linking", 8, "_MessageBoxX", 12, "_MessageBoxX@16", 0, nullptr, 0},
      {"linking", 9, "LNK1120", 0, "LNK1120", 1, nullptr, 0},
      {"linking", 9, "main", 1, "main", 0, nullptr, 0},
  };
  StartHost();
  const char kUntouched[] = "; the code window before the double-click";
  for (const auto& row : rows) {
    const std::string folder = TestProgramFolder() + "..\\ide\\Projects\\" + row.project + "\\";
    SCOPED_TRACE(std::string(row.project) + " line " + std::to_string(row.logLine) + ", in " + row.clickedIn);
    ASSERT_TRUE(LoadBuildLog(folder + "build.log"));
    SetWindowTextA(g_host.codeWindow, kUntouched);
    g_host.sourceFile.clear();
    g_host.wordGiven = "(not asked)";
    LookupView view;
    if (FindLookupView(&view)) SendMessageA(view.window, WM_CLOSE, 0, 0);  // off the pane

    std::istringstream log(ReadFileBytes(folder + "build.log"));
    std::string text;
    for (int i = 0; i < row.logLine; ++i) std::getline(log, text);
    const size_t column = text.find(row.clickedIn);
    ASSERT_NE(std::string::npos, column);
    ASSERT_TRUE(DoubleClickOutput(row.logLine - 1, static_cast<int>(column) + row.offset)) << "the click went astray";
    EXPECT_EQ(row.word, g_host.wordGiven);
    EXPECT_EQ(row.answer, g_host.lastAnswer);
    if (row.answer == 1) {
      EXPECT_TRUE(FindLookupView(&view) && IsWindowVisible(view.window)) << "ORVA did not open";
      EXPECT_EQ(row.word, TextOf(view.inputBox)) << "ORVA opens on the number";
    }
    if (row.source == nullptr) {
      EXPECT_EQ("", g_host.sourceFile) << "the host jumped";
      EXPECT_EQ(kUntouched, TextOf(g_host.codeWindow));
    } else {
      const std::string opened = std::string("\\Projects\\") + row.project + "\\" + row.source;
      const std::string& got = g_host.sourceFile;
      EXPECT_TRUE(got.size() > opened.size() && got.compare(got.size() - opened.size(), opened.size(), opened) == 0)
          << "opened \"" << got << "\", expected ..." << opened;
      EXPECT_EQ(row.sourceLine - 1, CodeWindowCaretLine()) << "the caret's line, from 0";
    }
  }
}

TEST_F(HostProtocolTest, CloseAndReopenKeepSizeModeAndPositionButNotTheLookup) {
  StartHost();
  LookupView view;
  OpenThroughMenu(&view);
  LookUp(view, "A2008");
  ClickControl(view.toggleIcon);
  SetWindowPos(view.window, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const RECT before = WindowRect(view.window);

  SendMessageA(view.window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(view.window));
  EXPECT_TRUE(IsWindow(view.window)) << "closing only hides";

  LookupView again;
  OpenThroughMenu(&again);
  EXPECT_EQ(view.window, again.window) << "the same window comes back";
  EXPECT_TRUE(IsWindowVisible(view.window));
  const RECT after = WindowRect(view.window);
  EXPECT_TRUE(EqualRect(&before, &after)) << "got " << after.left << "," << after.top << " "
                                          << after.right - after.left << "x" << after.bottom - after.top
                                          << ", expected 50,60 200x55";
  EXPECT_EQ("ORVA", TextOf(view.window));
  EXPECT_EQ("", TextOf(view.inputBox));
  EXPECT_EQ((Fields{"", "", "", ""}), FieldsShown(view));
}

TEST_F(HostProtocolTest, MenuRebuildGetsTheItemAgain) {
  StartHost();
  RebuildMenus();
  int position = -1;
  EXPECT_EQ(kFirstAddinId, FindMenuItem("ORVA", &position)) << "the rebuilt menu has the item";
  EXPECT_EQ(6, position);
  ChooseMenuItem(kFirstAddinId);
  LookupView view;
  EXPECT_TRUE(FindLookupView(&view)) << "and it still opens the window";
}

TEST_F(HostProtocolTest, HostCloseRemovesTheItemDestroysTheWindowAndIgnoresWhatFollows) {
  StartHost();
  LookupView view;
  OpenThroughMenu(&view);
  LookUp(view, "A2008");
  NotifyAddin(g_host.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, FindMenuItem("ORVA", nullptr));
  EXPECT_FALSE(IsWindow(view.window)) << "its procedure lies in the module the host unloads next";
  RebuildMenus();
  EXPECT_EQ(0u, FindMenuItem("ORVA", nullptr)) << "a rebuild after close adds nothing";
  EXPECT_EQ(0, DoubleClickWordInOutput("A2009", "A2009")) << "a double-click after close is left to the host";
  EXPECT_FALSE(FindLookupView(&view)) << "and opens no window";
}

// On after on changes nothing; off after on lets go as the host's close does.
TEST_F(HostProtocolTest, InstallDllAgainIsIdempotentAndOffReleases) {
  StartHost();
  LookupView view;
  OpenThroughMenu(&view);
  const int items = GetMenuItemCount(GetSubMenu(MainMenu(), 6));
  CallInstallDll(g_host.installDll, g_host.mainWindow, 1, &g_host.hooks);
  EXPECT_EQ(1u, g_host.requestsAnswered[3]) << "a second menu identifier asked for";
  EXPECT_EQ(items, GetMenuItemCount(GetSubMenu(MainMenu(), 6))) << "a second menu item";

  CallInstallDll(g_host.installDll, g_host.mainWindow, 0, &g_host.hooks);
  EXPECT_EQ(0u, g_host.hooks[kEax]);
  EXPECT_EQ(0u, FindMenuItem("ORVA", nullptr));
  EXPECT_FALSE(IsWindow(view.window));
}

TEST_F(HostProtocolTest, HostCloseBeforeTheWindowWasOpenedOnlyRemovesTheItem) {
  StartHost();
  NotifyAddin(g_host.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, FindMenuItem("ORVA", nullptr));
  LookupView view;
  EXPECT_FALSE(FindLookupView(&view));
}

// The main job: the stand-in host program on its own, in script mode. A
// number the build log names is double-clicked in the output pane; another
// is typed into ORVA.
TEST_F(HostProtocolTest, ScriptModePrintsTheFieldsOfALookup) {
  PrepareAddinFolder();
  const struct {
    const char* number;
    const char* how;
    const char* fields;
  } cases[] = {
      {"a2008", "Double-clicked a2008 in the output pane, line 3: the add-in answered 1\n",
       "Error #: A2008\nType: Error\nTitle: syntax error : token\nTool: ML\n"
       "Description:\nA fixture description\nover two lines.\n"},
      {"LNK1104", "Typed LNK1104 into ORVA (Tools > ORVA)\n",
       "Error #: LNK1104\nType: Fatal Error\nTitle: cannot open file\nTool: LINK\\LIB\\DUMPBIN\\EDITBIN\n"},
  };
  for (const auto& c : cases) {
    const std::string ide = TestProgramFolder() + "..\\ide\\";
    const ProgramRun run = RunProgram("\"" + ide + "stand-in-host.exe\" --build-log \"" + ide +
                                          "Projects\\hello\\build.log\" --lookup " + c.number + " --addin \"" +
                                          folder_ + "orvara.dll\"",
                                      "", folder_);
    std::string output = run.out;
    output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());  // the console's line ends
    EXPECT_EQ(0u, run.exitCode) << output << run.err;
    EXPECT_EQ(0u, output.find(c.how)) << output;
    EXPECT_NE(std::string::npos, output.find(std::string(c.how) + "Window: Orvalith (450x383)\n" + c.fields))
        << output;
  }
}
