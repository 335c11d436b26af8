// The stand-in host's main window: its menu bar, its answers to the add-in's
// requests, its text window with the word request, and how it loads,
// installs, notifies and finally closes the add-in.
#include "stand_in_host/stand_in_host.h"

namespace standin {

StandInHost g_host;

namespace {

const char kHostClass[] = "OrvaStandInHost";
const char* const kPopups[kMenuPopups] = {"&File", "&Edit",   "&View",   "F&ormat", "&Project",
                                          "&Make", "&Tools", "&Window", "&Option", "&Help"};

HMENU BuildMainMenu() {
  HMENU bar = CreateMenu();
  for (int i = 0; i < kMenuPopups; ++i) {
    HMENU popup = CreatePopupMenu();
    if (i == 0) AppendMenuA(popup, MF_STRING, kExitCommand, "E&xit");
    if (i == 1) AppendMenuA(popup, MF_STRING, kPickWordCommand, "Look up word at caret\tF1");
    if (i == 6) AppendMenuA(popup, MF_STRING, kRebuildMenusCommand, "&Rebuild menus");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), kPopups[i]);
  }
  return bar;
}

bool IsWordCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Request 2039: the word around the caret of the line it is in, cut to the
// buffer and terminated within it.
LRESULT WriteWordAtCaret(HWND edit, size_t size, char* buffer) {
  if (size == 0 || buffer == nullptr) return 0;
  DWORD caret = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  const int line = static_cast<int>(SendMessageA(edit, EM_LINEFROMCHAR, caret, 0));
  const int lineStart = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, line, 0));
  char text[1024] = {};
  *reinterpret_cast<WORD*>(text) = sizeof text - 1;
  const int length = static_cast<int>(SendMessageA(edit, EM_GETLINE, line, reinterpret_cast<LPARAM>(text)));
  text[length] = 0;
  int start = static_cast<int>(caret) - lineStart;
  if (start > length) start = length;
  int end = start;
  while (start > 0 && IsWordCharacter(text[start - 1])) --start;
  while (end < length && IsWordCharacter(text[end])) ++end;
  size_t n = 0;
  for (int i = start; i < end && n + 1 < size; ++i) buffer[n++] = text[i];
  buffer[n] = 0;
  return static_cast<LRESULT>(n);
}

// A picked word goes to the add-in first; a word the add-in leaves alone
// (answer 0) gets the host's own keyword help, which here names the word in
// the caption.
void OfferPickedWord(HWND textWindow) {
  if (NotifyAddin(textWindow, kWordPicked, 0, 0) != 0) return;
  char word[64] = {};
  WriteWordAtCaret(textWindow, sizeof word, word);
  g_host.keywordHelp = word;
  const std::string caption = "Stand-in host - keyword help: " + g_host.keywordHelp;
  SetWindowTextA(g_host.mainWindow, caption.c_str());
}

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kWordRequest:
      return WriteWordAtCaret(window, wParam, reinterpret_cast<char*>(lParam));
    case WM_KEYDOWN:
      if (wParam == VK_F1) {
        OfferPickedWord(window);
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK: {
      // The edit control selects the word first; the caret then lies in it.
      const LRESULT result = CallWindowProcA(g_host.textWindowPreviousProc, window, message, wParam, lParam);
      OfferPickedWord(window);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcA(g_host.textWindowPreviousProc, window, message, wParam, lParam);
}

void OnHostCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kExitCommand:
      CloseHost();
      break;
    case kRebuildMenusCommand:
      RebuildMenus();
      break;
    case kPickWordCommand:
      OfferPickedWord(g_host.textWindow);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= kGetHandles && message <= kGetMenuId) ++g_host.requestsAnswered[message - kGetHandles];
  switch (message) {
    case kGetHandles:
      return reinterpret_cast<LRESULT>(g_host.handles);
    case kGetProcs:
      return reinterpret_cast<LRESULT>(g_host.procs);
    case kGetData:
      return reinterpret_cast<LRESULT>(g_host.data);
    case kGetMenuId:
      return static_cast<LRESULT>(g_host.nextMenuId++);
    case WM_COMMAND:
      // The add-in sees every menu command first; the host goes on with its own.
      NotifyAddin(window, WM_COMMAND, wParam, lParam);
      OnHostCommand(wParam);
      return 0;
    case WM_SIZE:
      MoveWindow(g_host.textWindow, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(g_host.textWindow);
      return 0;
    case WM_CLOSE:
      CloseHost();
      return 0;
    case WM_DESTROY:
      g_host.mainWindow = nullptr;
      g_host.textWindow = nullptr;
      if (g_host.quitOnDestroy) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool CreateHostWindow(uint32_t dataField) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kHostClass;
  RegisterClassExA(&windowClass);  // already there when a test starts a second host

  const bool quitOnDestroy = g_host.quitOnDestroy;
  g_host = StandInHost{};
  g_host.quitOnDestroy = quitOnDestroy;
  g_host.nextMenuId = kFirstAddinId;
  g_host.data[1] = dataField;

  HMENU menu = BuildMainMenu();
  g_host.mainWindow = CreateWindowExA(0, kHostClass, "Stand-in host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 112,
                                      84, 800, 600, nullptr, menu, GetModuleHandleA(nullptr), nullptr);
  if (g_host.mainWindow == nullptr) return false;
  RECT client;
  GetClientRect(g_host.mainWindow, &client);
  g_host.textWindow = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT",
                                      "; Put the caret in an error number and press F1 (or double-click it):\r\n"
                                      "; A2008 LNK2019 U1073 RC2104 RW1004 CVT1100\r\n\r\n"
                                      "    mov eax, ebx\r\n",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                          ES_NOHIDESEL,
                                      0, 0, client.right, client.bottom, g_host.mainWindow, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  g_host.textWindowPreviousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongA(g_host.textWindow, GWL_WNDPROC, reinterpret_cast<LONG>(TextWindowProc)));

  g_host.handles[0] = reinterpret_cast<uint32_t>(g_host.mainWindow);
  g_host.handles[1] = reinterpret_cast<uint32_t>(menu);
  g_host.handles[2] = reinterpret_cast<uint32_t>(g_host.textWindow);
  ShowWindow(g_host.mainWindow, SW_SHOW);
  UpdateWindow(g_host.mainWindow);
  return true;
}

// An export as the function type the host knows it by.
template <typename Proc>
Proc Export(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool LoadAddin(const std::string& path, uint32_t optionWord) {
  g_host.addin = LoadLibraryA(path.c_str());
  if (g_host.addin == nullptr) return false;
  g_host.getOptions = Export<GetOptionsProc>(g_host.addin, "GetOptions");
  g_host.installDll = Export<InstallDllProc>(g_host.addin, "InstallDll");
  g_host.dllProc = Export<DllProcProc>(g_host.addin, "DllProc");
  if (g_host.getOptions == nullptr || g_host.installDll == nullptr || g_host.dllProc == nullptr) return false;
  g_host.options = g_host.getOptions();
  CallInstallDll(g_host.installDll, g_host.mainWindow, optionWord, &g_host.hooks);
  return true;
}

void CloseHost() {
  if (g_host.mainWindow == nullptr) return;
  NotifyAddin(g_host.mainWindow, WM_CLOSE, 0, 0);
  DestroyWindow(g_host.mainWindow);
}

void CloseHostUnloadingFirst() {
  if (g_host.mainWindow == nullptr) return;
  NotifyAddin(g_host.mainWindow, WM_CLOSE, 0, 0);
  UnloadAddin();
  PumpMessages(50);
  DestroyWindow(g_host.mainWindow);
  PumpMessages(50);
}

void UnloadAddin() {
  if (g_host.addin != nullptr) FreeLibrary(g_host.addin);
  g_host.addin = nullptr;
  g_host.getOptions = nullptr;
  g_host.installDll = nullptr;
  g_host.dllProc = nullptr;
  g_host.options = nullptr;
  for (uint32_t& word : g_host.hooks) word = 0;
}

bool HookAsks(UINT message) {
  switch (message) {
    case WM_COMMAND:
      return (g_host.hooks[kEax] & kHookMenuCommand) != 0;
    case kWordPicked:
      return (g_host.hooks[kEax] & kHookWordPicked) != 0;
    case kMenuRebuilt:
      return (g_host.hooks[kEax] & kHookMenuRebuilt) != 0;
    case WM_CLOSE:
      return (g_host.hooks[kEax] & kHookClose) != 0;
    default:
      return false;
  }
}

LRESULT NotifyAddin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_host.lastAnswer = 0;
  if (g_host.dllProc == nullptr || !HookAsks(message)) return 0;
  g_host.lastAnswer = g_host.dllProc(window, message, wParam, lParam);
  return g_host.lastAnswer;
}

HMENU MainMenu() { return reinterpret_cast<HMENU>(g_host.handles[1]); }

void RebuildMenus() {
  HMENU old = MainMenu();
  HMENU menu = BuildMainMenu();
  SetMenu(g_host.mainWindow, menu);
  DestroyMenu(old);
  g_host.handles[1] = reinterpret_cast<uint32_t>(menu);
  NotifyAddin(g_host.mainWindow, kMenuRebuilt, 0, 0);
}

UINT FindMenuItem(const char* text, int* position) {
  for (int i = 0; i < kMenuPopups; ++i) {
    HMENU popup = GetSubMenu(MainMenu(), i);
    const int count = GetMenuItemCount(popup);
    for (int item = 0; item < count; ++item) {
      char label[64] = {};
      GetMenuStringA(popup, item, label, sizeof label, MF_BYPOSITION);
      if (lstrcmpA(label, text) == 0) {
        if (position != nullptr) *position = i;
        return GetMenuItemID(popup, item);
      }
    }
  }
  return 0;
}

void ChooseMenuItem(UINT id) { SendMessageA(g_host.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

LRESULT PickWord(const char* text, int caret) {
  SetWindowTextA(g_host.textWindow, text);
  SendMessageA(g_host.textWindow, EM_SETSEL, caret, caret);
  SetFocus(g_host.textWindow);
  SendMessageA(g_host.textWindow, WM_KEYDOWN, VK_F1, 0);
  return g_host.lastAnswer;
}

}  // namespace standin
