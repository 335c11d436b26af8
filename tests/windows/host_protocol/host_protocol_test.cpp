// The real orvara.dll driven as the IDE drives it: loaded by the stand-in
// host from a folder of its own (a copy of the DLL beside the fixture message
// modules), asked for its options, installed, and passed notifications; what
// it does is read back from the host's menus and from its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "stand_in_host/stand_in_host.h"
#include "tests/windows/support/keys.h"
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

// A host text window whose word request writes g_word as it stands, cut to
// the buffer and without a terminator of its own: a word of 32 bytes fills
// the buffer, the most a host may write.
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
  EXPECT_TRUE(HookAsks(WM_COMMAND) && HookAsks(kWordPicked) && HookAsks(kMenuRebuilt) && HookAsks(WM_CLOSE));
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

TEST_F(HostProtocolTest, WordPickedWithAnErrorNumberOpensTheWindowAndLooksItUp) {
  StartHost();
  const char line[] = "    mov eax, A2008 ; picked";
  EXPECT_EQ(1, PickWord(line, 15)) << "the add-in takes the notification over";
  LookupView view;
  ASSERT_TRUE(FindLookupView(&view));
  EXPECT_TRUE(IsWindowVisible(view.window));
  EXPECT_EQ("A2008", TextOf(view.inputBox));
  EXPECT_EQ((Fields{"Error", "syntax error : token", "ML", "A fixture description\r\nover two lines."}),
            FieldsShown(view));

  // Closed (hidden), it is restored by the next qualifying word.
  SendMessageA(view.window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(view.window));
  EXPECT_EQ(1, PickWord("U1073", 2));
  EXPECT_TRUE(IsWindowVisible(view.window));
  EXPECT_EQ("U1073", TextOf(view.inputBox));
  EXPECT_EQ("NMAKE", TextOf(view.toolField));
}

// Answering 1 keeps the host from its own action for the word (its keyword
// help): only a word that is an error number is claimed.
TEST_F(HostProtocolTest, HostWordsAreClaimedOnlyWhenTheyAreErrorNumbers) {
  StartHost();
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = FixedWordProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "OrvaFixedWord";
  RegisterClassA(&windowClass);
  HWND textWindow = CreateWindowA("OrvaFixedWord", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);

  // Declined first, while no lookup window exists: none may open.
  const std::string declined[] = {"EAX", "PUSH",     "CALL",   "MAXIMUMERRORS", "MOV", "LNK",
                                  "X1234", "LNK20199", "A2008X", "",            std::string(32, 'A')};
  for (const std::string& word : declined) {
    g_word = word;
    EXPECT_EQ(0, NotifyAddin(textWindow, kWordPicked, 0, 0)) << '"' << word << "\" is left to the host";
  }
  EXPECT_EQ(0, PickWord("    push EAX", 10));
  EXPECT_EQ("EAX", g_host.keywordHelp) << "the host's own handling of a declined word";
  LookupView view;
  EXPECT_FALSE(FindLookupView(&view)) << "a declined word opened the lookup window";

  const struct {
    const char* word;
    const char* number;  // what the input box shows and looks up
    const char* tool;
  } claimed[] = {
      {"A2008", "A2008", "ML"},
      {"lnk2019", "LNK2019", "LINK\\LIB\\DUMPBIN\\EDITBIN"},
      {"A2008:", "A2008", "ML"},
      {"CVT1100", "CVT1100", "CVTRES"},
      {"RW1004", "RW1004", "RC (\"W\" Errors)"},
  };
  for (const auto& c : claimed) {
    g_word = c.word;
    EXPECT_EQ(1, NotifyAddin(textWindow, kWordPicked, 0, 0)) << c.word;
    ASSERT_TRUE(FindLookupView(&view)) << c.word;
    EXPECT_EQ(c.number, TextOf(view.inputBox)) << c.word;
    EXPECT_EQ(c.tool, TextOf(view.toolField)) << c.word;
  }
  DestroyWindow(textWindow);
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
  EXPECT_EQ(0, PickWord("A2009", 2)) << "a host word after close is left to the host";
  EXPECT_FALSE(FindLookupView(&view)) << "and opens no window";
}

TEST_F(HostProtocolTest, HostCloseBeforeTheWindowWasOpenedOnlyRemovesTheItem) {
  StartHost();
  NotifyAddin(g_host.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, FindMenuItem("ORVA", nullptr));
  LookupView view;
  EXPECT_FALSE(FindLookupView(&view));
}

// The main job: the stand-in host program on its own, in script mode.
TEST_F(HostProtocolTest, ScriptModePrintsTheFieldsOfALookup) {
  PrepareAddinFolder();
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string command = "\"" + TestProgramFolder() + "..\\ide\\stand-in-host.exe\" --lookup a2008 --addin \"" +
                        folder_ + "orvara.dll\"";
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process));
  CloseHandle(writeEnd);
  std::string output;
  char chunk[512];
  DWORD read = 0;
  while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0) output.append(chunk, read);
  WaitForSingleObject(process.hProcess, 30000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(readEnd);
  output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());  // the console's line ends

  EXPECT_EQ(0u, exitCode) << output;
  EXPECT_NE(std::string::npos, output.find("Window: Orvalith (450x383)")) << output;
  EXPECT_NE(std::string::npos, output.find("Error #: A2008\n")) << output;
  EXPECT_NE(std::string::npos, output.find("Type: Error\nTitle: syntax error : token\nTool: ML\n")) << output;
  EXPECT_NE(std::string::npos, output.find("A fixture description\nover two lines.")) << output;
}
