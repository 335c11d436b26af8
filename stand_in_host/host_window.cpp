// The stand-in host's main window: its menu bar, its answers to the add-in's
// requests, and how it loads, installs, notifies and finally closes the
// add-in. Its two editors are in editors.cpp.
#include "stand_in_host/stand_in_host.h"

namespace standin {

StandInHost g_host;

namespace {

const char kHostClass[] = "OrvaStandInHost";
const char* const kPopups[kMenuPopups] = {"&File", "&Edit",   "&View",   "F&ormat", "&Project",
                                          "&Make", "&Tools", "&Window", "&Option", "&Help"};

HMENU BuildMainMenu() {
  HMENU bar = CreateMenu();
  if (g_host.data[1] != 0) {
    // The maximised document window's system menu.
    HMENU document = CreatePopupMenu();
    AppendMenuA(document, MF_STRING | MF_GRAYED, 0, "&Restore");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(document), "&Document");
  }
  for (int i = 0; i < kMenuPopups; ++i) {
    HMENU popup = CreatePopupMenu();
    if (i == 0) AppendMenuA(popup, MF_STRING, kExitCommand, "E&xit");
    if (i == 5) AppendMenuA(popup, MF_STRING, kBuildCommand, "&Build");
    if (i == 6) AppendMenuA(popup, MF_STRING, kRebuildMenusCommand, "&Rebuild menus");
    if (i == 9) AppendMenuA(popup, MF_STRING, kKeywordHelpCommand, "&Keyword help\tF1");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), kPopups[i]);
  }
  return bar;
}

void OnHostCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kExitCommand:
      CloseHost();
      break;
    case kRebuildMenusCommand:
      RebuildMenus();
      break;
    case kBuildCommand:
      if (!g_host.buildLog.empty()) LoadBuildLog(g_host.buildLog);
      break;
    case kKeywordHelpCommand:
      ShowKeywordHelp();
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
      LayOutEditors(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
      SetFocus(g_host.codeWindow);
      return 0;
    case WM_CLOSE:
      CloseHost();
      return 0;
    case WM_DESTROY:
      g_host.mainWindow = nullptr;
      g_host.codeWindow = nullptr;
      g_host.outputPane = nullptr;
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
                                      40, 800, 680, nullptr, menu, GetModuleHandleA(nullptr), nullptr);
  if (g_host.mainWindow == nullptr) return false;
  CreateEditors(g_host.mainWindow);
  RECT client;
  GetClientRect(g_host.mainWindow, &client);
  LayOutEditors(client.right, client.bottom);

  g_host.handles[0] = reinterpret_cast<uint32_t>(g_host.mainWindow);
  g_host.handles[1] = reinterpret_cast<uint32_t>(menu);
  g_host.handles[2] = reinterpret_cast<uint32_t>(g_host.codeWindow);
  g_host.handles[3] = reinterpret_cast<uint32_t>(g_host.outputPane);
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
    case kOutputDoubleClick:
      return (g_host.hooks[kEax] & kHookOutputDoubleClick) != 0;
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
  const int popups = GetMenuItemCount(MainMenu());
  for (int i = 0; i < popups; ++i) {
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


}  // namespace standin
