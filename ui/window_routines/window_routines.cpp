// The small window routines that the lookup window, the note editor and the
// browser share: class registration, child controls and their text, screen
// centring, the etched separator, the shared font, the note icon's picture,
// the keys every window handles alike, and which window has the keys.
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

namespace {

LRESULT CALLBACK InputRouteProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && OfferKeyToWindow(control, wParam)) return 0;
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    MSG mouse = {control, message, wParam, lParam, 0, {0, 0}};
    SendMessageA(g_state.iconTips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&mouse));
  }
  return CallWindowProcA(reinterpret_cast<WNDPROC>(GetWindowLongA(control, GWL_USERDATA)), control, message, wParam,
                         lParam);
}

}  // namespace

void RouteInput(HWND control) {
  SetWindowLongA(control, GWL_USERDATA, SetWindowLongA(control, GWL_WNDPROC, reinterpret_cast<LONG>(InputRouteProc)));
}

bool OfferKeyToWindow(HWND control, WPARAM key) {
  if (GetKeyState(VK_CONTROL) < 0) key |= kWithControl;
  // Ctrl+A is "select all" in every edit field; the platform's edit control
  // would type it as a character instead.
  const bool selectAll = key == (kWithControl | 'A') && (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
  if (selectAll) {
    SendMessageA(control, EM_SETSEL, 0, -1);
  } else if (SendMessageA(GetParent(control), kControlKeyMessage, key, 0) == 0) {
    return false;
  }
  // The key's character (Escape, Ctrl+S, Enter) is already on its way to
  // the control: a key taken by the window types nothing.
  MSG typed;
  PeekMessageA(&typed, control, WM_CHAR, WM_CHAR, PM_REMOVE);
  return true;
}

void MoveFocus(HWND window) {
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  const HWND from = GetFocus();
  HWND control = from;
  do {
    control = GetWindow(control != nullptr ? control : GetWindow(window, GW_CHILD), backwards ? GW_HWNDPREV : GW_HWNDNEXT);
    if (control == nullptr) control = GetWindow(GetWindow(window, GW_CHILD), backwards ? GW_HWNDLAST : GW_HWNDFIRST);
    if (IsWindowVisible(control) && IsWindowEnabled(control) &&
        (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) == 0) {
      SetFocus(control);
      return;
    }
  } while (control != from && control != nullptr);
}

bool BringOpenEditorOrBrowserForward() {
  const HWND front = g_state.noteEditor != nullptr ? g_state.noteEditor : g_state.browserWindow;
  if (front == nullptr) return false;
  ShowWindow(front, SW_RESTORE);  // out of the taskbar, when minimised
  // Raised through the topmost band and back: a window manager takes that
  // from a program where it refuses a plain raise (Wine hands the plain one
  // on as a request it may deny), so the browser comes out from behind the
  // host on every desktop.
  SetWindowPos(front, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(front, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(front);  // activates it; the window passes the focus on to its control
  return true;
}

void ReturnToLookupWindow() {
  if (!IsWindowVisible(g_state.lookupWindow)) return;
  SetFocus(g_state.inputBox);
  // A window manager hands the activation of a closed window on a moment
  // later, to a window of its choosing (often the host's); the input box
  // takes the keys back once that has come (HoverTick).
  g_state.refocusTicks = kRefocusTicks;
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
