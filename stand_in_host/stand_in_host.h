// The stand-in host: a small program that plays the RadASM IDE for the
// add-in. It owns a main window with a menu bar, answers the add-in's
// requests from its records, loads the add-in, installs it and passes it the
// notifications its hook words ask for. Below its code window lies the build
// output pane, where a build's messages appear: a double-click there goes to
// the add-in first, and to the host's jump to the source line when the
// add-in leaves it. Tests link this core and drive it directly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace standin {

// The host keeps its own description of what crosses between it and an
// add-in, rather than the add-in's headers: a mismatch then shows in the
// tests instead of being agreed on by both sides.

// A row of the add-in's option table.
struct AddinOption {
  const char* text;
  uint32_t andMask;
  uint32_t orMask;
};

// The three hook words InstallDll answers, by the register each comes in.
enum HookRegister { kEax, kEcx, kEdx, kHookRegisters };

// Which notification each bit of the first hook word asks for. The host
// knows no notification behind any other bit, nor behind the second and
// third words. 0x40004005 asks for exactly these four.
constexpr uint32_t kHookMenuCommand = 1u << 0;         // WM_COMMAND: every menu command
constexpr uint32_t kHookClose = 1u << 2;               // WM_CLOSE: the host is closing
constexpr uint32_t kHookMenuRebuilt = 1u << 14;        // 1135: the menus were built anew
constexpr uint32_t kHookOutputDoubleClick = 1u << 30;  // 1151: a double-click in the output pane

// Requests an add-in sends to the main window, the notifications, and the
// word request the host's editor controls answer.
constexpr UINT kGetHandles = 1074;
constexpr UINT kGetProcs = 1075;
constexpr UINT kGetData = 1076;
constexpr UINT kGetMenuId = 1077;
constexpr UINT kMenuRebuilt = 1135;
constexpr UINT kOutputDoubleClick = 1151;
constexpr UINT kWordRequest = 2039;

// The main menu's own popups, "&File" to "&Help"; "&Tools" is the seventh.
// While a document window is maximised (the data record's second field is
// not 0) its system menu stands in front of them as one more popup, so
// that "&Tools" is submenu 6 or 7: the add-in's submenu either way.
constexpr int kMenuPopups = 10;

// The host's own menu commands; the add-ins get identifiers from kFirstAddinId on.
constexpr UINT kExitCommand = 101;
constexpr UINT kRebuildMenusCommand = 102;
constexpr UINT kKeywordHelpCommand = 103;
constexpr UINT kBuildCommand = 104;
constexpr UINT kFirstAddinId = 20000;

using GetOptionsProc = const AddinOption*(__stdcall*)();
using InstallDllProc = void*;  // called through CallInstallDll: it answers in three registers
using DllProcProc = LRESULT(__stdcall*)(HWND, UINT, WPARAM, LPARAM);

struct StandInHost {
  HWND mainWindow;
  HWND codeWindow;            // the source being edited; F1 there is the host's keyword help
  HWND outputPane;            // read-only: the build's messages; a double-click goes to the add-in
  WNDPROC editProc;           // the editor class's own procedure, behind both editors
  uint32_t handles[8];        // [0] main window, [1] main menu, [2] code window, [3] output pane
  uint32_t procs[8];          // asked for by the add-in; holds nothing it may call
  uint32_t data[8];           // [1] not 0 while a document window is maximised: Tools moves to 7
  UINT nextMenuId;            // the next free menu command identifier
  unsigned requestsAnswered[4];  // how often 1074, 1075, 1076 and 1077 were asked
  bool quitOnDestroy;         // the program's own loop ends with the main window

  HMODULE addin;
  GetOptionsProc getOptions;
  InstallDllProc installDll;
  DllProcProc dllProc;
  const AddinOption* options;  // the add-in's option table
  uint32_t hooks[kHookRegisters];
  LRESULT lastAnswer;          // what DllProc answered to the last notification passed
  std::string keywordHelp;     // the last word the host's keyword help was shown for

  std::string buildLog;        // what Make > Build shows in the output pane
  std::string buildFolder;     // where the build ran: the folder its messages name files in
  std::string wordGiven;       // what an editor last wrote in answer to the word request
  std::string sourceFile;      // the file the host's jump last opened in the code window
  unsigned paneDoubleClicks;   // double-clicks the output pane has received
};

extern StandInHost g_host;

// Calls InstallDll (stdcall, two arguments) and stores the three registers it
// answers in. ECX and EDX hold 0xDEADBEEF before the call, so an add-in that
// leaves them alone is seen.
extern "C" void CallInstallDll(InstallDllProc installDll, HWND hostWindow, uint32_t optionWord,
                               uint32_t (*out)[kHookRegisters]);

// Creates the main window, its menus, code window and output pane, and the records.
bool CreateHostWindow(uint32_t dataField);
// Loads the add-in, reads its option table and installs it with optionWord.
bool LoadAddin(const std::string& path, uint32_t optionWord);
// Closes the host as the IDE does: the add-in hears WM_CLOSE (when hooked),
// then the main window and every window it owns are destroyed.
void CloseHost();
// Unloads the add-in after the host has closed, and forgets it.
void UnloadAddin();
// Closes the host in the other order a host may choose: the add-in hears
// WM_CLOSE, is unloaded at once, the thread's messages run, and only then
// the main window and every window it owns are destroyed.
void CloseHostUnloadingFirst();

// Passes a notification to DllProc when the hook words ask for it; 0 otherwise.
LRESULT NotifyAddin(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// True when the hook words ask for message.
bool HookAsks(UINT message);

HMENU MainMenu();
// Builds the menu bar anew (the old one is destroyed) and sends 1135.
void RebuildMenus();
// The identifier of the first item with this text in the popups, or 0;
// position gets the popup's position.
UINT FindMenuItem(const char* text, int* position);
// Chooses a menu item as a click would: WM_COMMAND to the main window.
void ChooseMenuItem(UINT id);

// --- The editors: the code window and the build output pane ----------------------
// Creates both as children of the main window, and places them: the code
// window above, the output pane across the bottom.
void CreateEditors(HWND mainWindow);
void LayOutEditors(int width, int height);
// F1 in the code window: the host's own keyword help for the word at the
// caret, which here names the word in the main window's caption. It is not
// passed to add-ins.
void ShowKeywordHelp();
// Make > Build: shows the build log at path in the output pane (line ends as
// CR LF, the view at its end, as a build leaves it); the files its messages
// name are looked for in the log's folder. False when it cannot be read.
bool LoadBuildLog(const std::string& path);
// Shows text as the output of a build that ran in folder.
void ShowBuildOutput(const std::string& text, const std::string& folder);
// Where word first stands whole in the output pane (letter case aside):
// line and column from 0; false when it is not there.
bool FindInOutput(const char* word, int* line, int* column);
// Double-clicks the character at line and column of the output pane with
// the mouse, through the system's input as a user does, and runs the
// thread's messages until the pane has it. False when the point cannot be
// reached (covered, or off the screen) or the double-click did not arrive.
bool DoubleClickOutput(int line, int column);
// Shows line as the whole build output and double-clicks word in it: the
// add-in's answer, or -1 when the double-click did not arrive.
LRESULT DoubleClickWordInOutput(const char* line, const char* word);
// The line of the code window's caret, from 0.
int CodeWindowCaretLine();

// --- Looking at the add-in's lookup window --------------------------------------
struct LookupView {
  HWND window;
  HWND inputBox;
  HWND toggleIcon, noteIcon, noteBrowserIcon, errorBrowserIcon;
  HWND typeField, titleField, toolField, descriptionBox;
};
// The lookup window the main window owns, its controls found by creation order.
bool FindLookupView(LookupView* view);
std::string TextOf(HWND window);

// Runs the thread's messages for about milliseconds (timers tick, windows paint).
void PumpMessages(DWORD milliseconds);
// Types text into the window that has the keyboard focus, character by character.
void TypeText(const char* text);
// Empties the lookup window's input box, types number into it character by
// character and presses Enter, as the user does.
void EnterNumber(HWND inputBox, const char* number);
// Clicks a notifying static control as the mouse would, and answers whether
// the click arrived: like the system, it gives no click to a hidden or
// disabled control, to one in a disabled window, or to one covered by
// another window.
bool ClickControl(HWND control);

// The thread's visible top-level windows as they are on screen, into a .bmp.
bool SaveScreenshot(const std::string& path);
// A rectangle of the screen (clipped to it), into a .bmp.
bool SaveScreenArea(RECT area, const std::string& path);

}  // namespace standin
