// The small window routines that the lookup window, the note editor and the
// browser share: class registration, child controls and their text, screen
// centring, the etched separator, the shared font, the note icon's picture,
// and which window is in front and active.
#include "ui/window_routines/window_routines.h"

#include <commctrl.h>

#include "resources/resource_ids.h"
#include "state/addin_state.h"

namespace orva {

void ShowPicture(HWND control, HICON& picture, int resource, UINT loadFlags) {
  // The picture shown so far goes before its replacement is loaded, so that
  // lookups, toggles and colour changes never pile up icon handles.
  if (picture != nullptr) DestroyIcon(picture);
  picture = static_cast<HICON>(
      LoadImageA(g_state.moduleInstance, MAKEINTRESOURCEA(resource), IMAGE_ICON, 16, 16, loadFlags));
  SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
}

void SetNoteIcon(bool hasNote) {
  g_state.noteExists = hasNote ? 1 : 0;
  ShowPicture(g_state.noteIcon, g_state.notePicture, hasNote ? IDI_NOTE_PRESENT : IDI_NO_NOTE, LR_LOADMAP3DCOLORS);
}

void DrawEtchedLine(HDC dc, int xStart, int xEnd, int y) {
  // Colours are read at every call, so a changed colour scheme shows at the next paint.
  const int colours[2] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  for (int i = 0; i < 2; ++i) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colours[i]));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, xStart, y + i, nullptr);
    LineTo(dc, xEnd, y + i);
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
}

void ApplySharedFont(HWND control) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.sharedFont), TRUE);
}

POINT ScreenCentredCorner(int width, int height) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return POINT{x < 0 ? 0 : x, y < 0 ? 0 : y};
}

void RegisterWindowClass(const char* name, WNDPROC procedure, UINT style, HICON smallIcon) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = g_state.moduleInstance;
  windowClass.hIconSm = smallIcon;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);
}

HWND CreateChildControl(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                        int y, int width, int height, int id) {
  return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_state.moduleInstance, nullptr);
}

void SetControlText(HWND control, const char* text) {
  // Emptying an empty control changes nothing on screen, yet under Wine the
  // edit control takes its time over it all the same: the Error Browser's
  // first selection (its first root, the three fields still empty) cost
  // about 2 ms, more than inserting its 776 items.
  if (text == nullptr && SendMessageA(control, WM_GETTEXTLENGTH, 0, 0) == 0) return;
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

HWND TopLevelWindowOf(HWND control) {
  HWND window = control;
  while (window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) window = GetParent(window);
  return window;
}

bool BringOpenEditorOrBrowserForward() {
  const HWND front = g_state.noteEditor != nullptr ? g_state.noteEditor : g_state.browserWindow;
  if (front == nullptr) return false;
  if (IsIconic(front)) ShowWindow(front, SW_RESTORE);
  // Raised first (a window manager takes a raise as a request to restack,
  // where it ignores an activation alone); then the window that holds its
  // keys is raised and activated: its question, when one is up, since the
  // window itself is disabled under it.
  SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const HWND keys = GetLastActivePopup(front);
  if (keys != front) SetWindowPos(keys, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetForegroundWindow(keys);
  return true;
}

void HandBackActivation(HWND closing) {
  EnableWindow(g_state.lookupWindow, TRUE);
  const HWND active = GetActiveWindow();
  if (active == nullptr || (active != closing && GetWindow(active, GW_OWNER) != closing)) return;
  if (!IsWindowVisible(g_state.lookupWindow)) {
    SetForegroundWindow(g_state.hostWindow);
    return;
  }
  SetForegroundWindow(g_state.lookupWindow);
  g_state.keysHandedBack = true;
  g_state.keysHandedBackAt = GetTickCount();
}

// InitCommonControlsEx came with later versions of comctl32 than the oldest
// the add-in runs with; where it is absent, InitCommonControls registers
// every class.
void RegisterCommonControlClasses() {
  using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  // Through void*: the platform hands every function out under one type.
  const InitControls initControls = reinterpret_cast<InitControls>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "InitCommonControlsEx")));
  if (initControls == nullptr) {
    InitCommonControls();
    return;
  }
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
  initControls(&classes);
}

}  // namespace orva
