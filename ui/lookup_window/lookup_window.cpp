// The lookup window ("ORVARA_Main"): its class, its fourteen controls and
// the icons' tooltips, the Enter handling of the subclassed input box, one
// lookup from input to fields, the note and browser icons and their keys,
// close (hide), the keys taken back after a closing editor or browser, and
// the destroy handling that releases what the add-in shares.
#include "ui/lookup_window/lookup_window.h"

#include <commctrl.h>

#include "lookup/error_lookup.h"
#include "notes/note_store.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/browser/browser_window.h"
#include "ui/lookup_window/hover_and_size.h"
#include "ui/note_editor/note_editor.h"
#include "ui/window_routines/addin_close.h"
#include "ui/window_routines/message_hook.h"
#include "ui/window_routines/questions.h"
#include "ui/window_routines/window_keys.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

const char kCreateNoteQuestion[] =
    "This error does not have a note associated with it.\r\n\r\nWould you like to create one?";

// Etched separator below the top row: lines 35 and 36, from x 440 to x 5.
constexpr int kSeparatorY = 35;
constexpr int kSeparatorStart = 440;
constexpr int kSeparatorEnd = 5;

// Each icon's key, and the tooltip that names the icon's action and its key.
// Ctrl with these letters edits nothing in a one-line edit field, so no
// editing key is taken away.
const ACCEL kIconKeys[] = {
    {FVIRTKEY | FCONTROL, 'T', kToggleIconId},
    {FVIRTKEY | FCONTROL, 'N', kNoteIconId},
    {FVIRTKEY | FCONTROL, 'B', kNoteBrowserIconId},
    {FVIRTKEY | FCONTROL, 'E', kErrorBrowserIconId},
};
struct IconTip {
  int id;
  const char* tip;
};
const IconTip kIconTips[] = {
    {kToggleIconId, "Compact or full size (Ctrl+T)"},
    {kNoteIconId, "Note on this error (Ctrl+N)"},
    {kNoteBrowserIconId, "Note Browser (Ctrl+B)"},
    {kErrorBrowserIconId, "Error Browser (Ctrl+E)"},
};

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void SelectAllInput() { SendMessageA(g_state.inputBox, EM_SETSEL, 0, -1); }

void RedrawLookupWindow() {
  RedrawWindow(g_state.lookupWindow, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

// A label or result field: the shared font is set without a redraw, since
// the window is not on screen yet.
HWND CreateTextControl(HWND window, const char* className, const char* text, DWORD style, DWORD extendedStyle,
                       int x, int y, int width, int height) {
  HWND control = CreateChildControl(window, extendedStyle, className, text, style, x, y, width, height, 0);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.sharedFont), FALSE);
  return control;
}

// An icon button: a notifying icon static created without a size, which
// takes the 16x16 size of the first picture it is given.
HWND CreateIconControl(HWND window, int x, int id, HICON& picture, int resource, UINT loadFlags) {
  HWND control = CreateChildControl(window, 0, "STATIC", nullptr, SS_ICON | SS_NOTIFY, x, 7, 0, 0, id);
  ShowPicture(control, picture, resource, loadFlags);
  return control;
}

// The width of the widest error number in font: seven characters, a
// three-letter prefix (LNK, CVT) and four digits.
int WidestNumberWidth(HDC dc, HFONT font) {
  const HGDIOBJ previous = SelectObject(dc, font);
  const char* const prefixes[] = {"LNK", "CVT"};
  int widest = 0;
  for (const char* letters : prefixes) {
    SIZE prefix = {};
    GetTextExtentPoint32A(dc, letters, 3, &prefix);
    if (prefix.cx > widest) widest = prefix.cx;
  }
  int digit = 0;
  for (char c = '0'; c <= '9'; ++c) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, &c, 1, &size);
    if (size.cx > digit) digit = size.cx;
  }
  SelectObject(dc, previous);
  return widest + 4 * digit;
}

// The box is 55 pixels wide, made for seven characters of the shared font
// at 96 DPI. Its margins are kept to a pixel, and where the shared font is
// too wide for it (a screen of 120 DPI, where "MS Sans Serif" comes in a
// larger size only) the box gets a font of its own: the platform's default
// GUI face, scalable, as large as lets the widest number show whole with
// the caret behind it. A number such as LNK2019 always shows whole, and the
// box keeps its place and size, the icons theirs.
void FitInputFont(HWND box) {
  constexpr int kMargin = 1;
  constexpr int kCaret = 2;
  constexpr int kSmallestHeight = 6;
  RECT client = {};
  GetClientRect(box, &client);
  const int room = client.right - 2 * kMargin - kCaret;
  const HDC dc = GetDC(box);
  LOGFONTA face = {};
  HFONT font = nullptr;
  if (WidestNumberWidth(dc, g_state.sharedFont) > room &&
      GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face) != 0) {
    int height = face.lfHeight < 0 ? -face.lfHeight : face.lfHeight;
    face.lfWidth = 0;
    do {
      if (font != nullptr) DeleteObject(font);
      face.lfHeight = -height;
      font = CreateFontIndirectA(&face);
    } while (WidestNumberWidth(dc, font) > room && --height >= kSmallestHeight);
  }
  ReleaseDC(box, dc);
  if (font != nullptr) {
    g_state.inputFont = font;
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  // After the font, which sets the margins it prefers.
  SendMessageA(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(kMargin, kMargin));
}

void CreateControls(HWND window) {
  CreateTextControl(window, "STATIC", "Error #:", SS_SIMPLE, 0, 5, 8, 40, 20);
  // It scrolls sideways, so that a number is never refused at the box's
  // edge; and its font lets the longest number show whole (FitInputFont).
  g_state.inputBox = CreateTextControl(window, "EDIT", nullptr, WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL,
                                       WS_EX_CLIENTEDGE, 45, 5, 55, 20);
  FitInputFont(g_state.inputBox);
  SendMessageA(g_state.inputBox, EM_LIMITTEXT, kMaxErrorNumberLength, 0);
  g_state.inputBoxPreviousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongA(g_state.inputBox, GWL_WNDPROC, reinterpret_cast<LONG>(InputBoxProc)));

  g_state.toggleIcon = CreateIconControl(window, 105, kToggleIconId, g_state.togglePicture, IDI_COLLAPSE,
                                         LR_DEFAULTCOLOR);
  g_state.noteIcon = CreateIconControl(window, 126, kNoteIconId, g_state.notePicture, IDI_NO_NOTE,
                                       LR_LOADMAP3DCOLORS);
  g_state.noteBrowserIcon = CreateIconControl(window, 148, kNoteBrowserIconId, g_state.noteBrowserPicture,
                                              IDI_NOTE_BROWSER, LR_LOADMAP3DCOLORS);
  g_state.errorBrowserIcon = CreateIconControl(window, 170, kErrorBrowserIconId, g_state.errorBrowserPicture,
                                               IDI_ERROR_BROWSER, LR_LOADMAP3DCOLORS);

  CreateTextControl(window, "STATIC", "Type:", SS_SIMPLE, 0, 5, 45, 30, 20);
  g_state.typeField = CreateTextControl(window, "STATIC", nullptr, SS_SIMPLE, 0, 40, 45, 150, 20);
  CreateTextControl(window, "STATIC", "Title:", SS_SIMPLE, 0, 5, 65, 30, 20);
  g_state.titleField = CreateTextControl(window, "STATIC", nullptr, SS_SIMPLE, 0, 40, 65, 350, 20);
  CreateTextControl(window, "STATIC", "Tool:", SS_SIMPLE, 0, 5, 85, 30, 20);
  g_state.toolField = CreateTextControl(window, "STATIC", nullptr, SS_SIMPLE, 0, 40, 85, 200, 20);
  CreateTextControl(window, "STATIC", "Description", SS_SIMPLE, 0, 5, 105, 75, 20);
  // A tab stop: the description can be read and scrolled from the keyboard.
  g_state.descriptionBox = CreateTextControl(window, "EDIT", nullptr,
                                             WS_TABSTOP | ES_MULTILINE | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE, 5,
                                             120, 435, 235);
}

// The system's tooltip control names each icon's action and key while the
// cursor rests on it; the message hook tells it of the mouse. It is owned by
// the lookup window and goes with it.
void AddIconTooltips(HWND window) {
  RegisterCommonControlClasses();
  const HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                    window, nullptr, g_state.moduleInstance, nullptr);
  g_state.iconTips = tips;
  for (const IconTip& icon : kIconTips) {
    // The first layout of the record, which every version of the control takes.
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, icon.id));
    tool.lpszText = const_cast<char*>(icon.tip);
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void CentreOnWindow(HWND reference, HWND window) {
  RECT outer = {};
  RECT inner = {};
  GetWindowRect(reference, &outer);
  GetWindowRect(window, &inner);
  const int referenceWidth = outer.right - outer.left;
  const int referenceHeight = outer.bottom - outer.top;
  const int width = inner.right - inner.left;
  const int height = inner.bottom - inner.top;
  const int x = outer.left + (referenceWidth >> 1) - (width >> 1);
  const int y = outer.top + (referenceHeight >> 1) - (height >> 1);
  MoveWindow(window, x, y, width, height, FALSE);
}

void OnCreate(HWND window) {
  CentreOnWindow(g_state.hostWindow, window);
  SetTimer(window, kHoverTimerId, kHoverTimerPeriod, nullptr);
  CreateControls(window);
  AddIconTooltips(window);
  g_state.lookupKeys = CreateWindowKeys(kIconKeys);
  g_state.noteExists = 0;
  g_state.expanded = 1;
  g_state.lookupFailed = 1;
}

void OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  DrawEtchedLine(dc, kSeparatorStart, kSeparatorEnd, kSeparatorY);
  EndPaint(window, &paint);
}

// A message box runs a message loop of its own: behind it a host word can
// run another lookup, and the host can close. What the box was about is
// acted on afterwards only while its number is still the one on display,
// found, and the add-in still installed.
bool StillOnDisplay(const char* number) {
  return g_state.life == AddinLife::Running && g_state.lookupFailed == 0 &&
         lstrcmpiA(number, g_state.currentNumber) == 0;
}

// The stored note is read before the editor opens: a note that cannot be
// read (held open by another program, gone) opens no editor, whose empty
// text a Save would store over the note. The user is told why, and the icon
// then shows whether a note is there at all.
void EditStoredNote(const char* number) {
  NoteText note = {};
  const DWORD outcome = ReadNoteFile(number, note);
  if (outcome == ERROR_SUCCESS) {
    OpenNoteEditor(kEditNoteMode, note.bytes);
    ReleaseNoteText(note);
    return;
  }
  ReportNoteFailure(g_state.lookupWindow, number, kNoteNotRead, outcome);
  if (StillOnDisplay(number)) SetNoteIcon(NoteFileExists(number));
}

// Yes opens the editor only while the number asked about is still on
// display without a note: otherwise the editor would open for another
// number, over its note.
void AskToCreateNote(const char* number) {
  if (AskQuestion(g_state.lookupWindow, kCreateNoteQuestion, nullptr, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  if (StillOnDisplay(number) && g_state.noteExists == 0 && !NoteFileExists(number)) OpenNoteEditor(kCreateNoteMode);
}

// Command 2002. Without a successful lookup on display there is no number
// a note could belong to, so the icon is inert. The number is taken first:
// behind a message box a host word can run another lookup.
void OnNoteIcon() {
  if (g_state.lookupFailed != 0) return;
  char number[kNumberSize] = {};
  AppendText(number, g_state.currentNumber);
  if (g_state.noteExists == 1) {
    EditStoredNote(number);
  } else {
    AskToCreateNote(number);
  }
}

// Commands 2003 and 2004: the browser's mode is the identifier of the icon
// that opened it.
void OnBrowserIcon(int id) { OpenBrowserInMode(static_cast<uint32_t>(id)); }

void OnClose(HWND window);

// A click on an icon (only STN_CLICKED acts, so the second half of a
// double-click does not toggle back) or its key; Enter in the input box
// (IDOK, from the dialog manager) looks up as the input box's own Enter
// does; Escape (IDCANCEL) hides the window as its close does; the keys
// every window has.
void OnCommand(HWND window, WORD command) {
  switch (command) {
    case kToggleIconId:
      ToggleSize();
      break;
    case kNoteIconId:
      OnNoteIcon();
      break;
    case kNoteBrowserIconId:
    case kErrorBrowserIconId:
      OnBrowserIcon(command);
      break;
    case IDOK:
      SendMessageA(g_state.inputBox, WM_CHAR, 13, 0);
      break;
    case IDCANCEL:
      OnClose(window);
      break;
    default:
      OnWindowKeyCommand(window, command);
      break;
  }
}

// Only the grey picture is reloaded: it is the one loaded with the colour
// scheme mapped in.
void OnSysColorChange() {
  if (g_state.noteExists == 0) ShowPicture(g_state.noteIcon, g_state.notePicture, IDI_NO_NOTE, LR_LOADMAP3DCOLORS);
}

void ResetLookupWindow() {
  SetControlText(g_state.typeField, nullptr);
  SetControlText(g_state.titleField, nullptr);
  SetControlText(g_state.toolField, nullptr);
  SetControlText(g_state.inputBox, nullptr);
  SetControlText(g_state.descriptionBox, nullptr);
  SetNoteIcon(false);
  g_state.lookupFailed = 1;
  g_state.noteExists = 0;
  RedrawLookupWindow();
}

void OnClose(HWND window) {
  ResetLookupWindow();
  SetFocus(g_state.hostWindow);
  ShowWindow(window, SW_HIDE);
}

void DestroyPicture(HICON& picture) {
  if (picture != nullptr) DestroyIcon(picture);
  picture = nullptr;
}

// Runs on every WM_DESTROY the window receives. The handles are cleared, so
// a second run (a WM_DESTROY sent before the window really goes) finds
// nothing left to release.
void OnDestroy(HWND window) {
  KillTimer(window, kHoverTimerId);
  DestroyPicture(g_state.togglePicture);
  DestroyPicture(g_state.notePicture);
  DestroyPicture(g_state.noteBrowserPicture);
  DestroyPicture(g_state.errorBrowserPicture);
  if (g_state.lookupKeys != nullptr) DestroyAcceleratorTable(g_state.lookupKeys);
  g_state.lookupKeys = nullptr;
  if (g_state.inputFont != nullptr) DeleteObject(g_state.inputFont);
  g_state.inputFont = nullptr;
  // A browser that outlives the lookup window (the host destroyed its own
  // window under a question of the browser) keeps its rich edit, tree and
  // images until the add-in's close has done with it.
  if (g_state.browserWindow == nullptr) ReleaseSharedResources();
}

// Really gone (the WM_DESTROY above may come without that): by the add-in's
// close, or by the host's teardown, which takes the windows its main window
// owns with it. Nothing is sent to its controls afterwards.
void OnNcDestroy() {
  g_state.lookupWindow = nullptr;
  g_state.inputBox = nullptr;
  g_state.typeField = nullptr;
  g_state.titleField = nullptr;
  g_state.toolField = nullptr;
  g_state.descriptionBox = nullptr;
  g_state.toggleIcon = nullptr;
  g_state.noteIcon = nullptr;
  g_state.noteBrowserIcon = nullptr;
  g_state.errorBrowserIcon = nullptr;
  g_state.iconTips = nullptr;
}

// A number as pasted from a build log ("LNK2019:", " A2008 "): the box keeps
// it without the blanks around it and the marks after it, room - 1
// characters at most, and shows what is looked up.
void KeepNumberOnly(const char* text, size_t room) {
  const TextPiece number = TrimPastedNumber(text);
  char kept[kNumberSize] = {};
  CopyFirst(number.start, number.length, kept, room);
  if (lstrcmpiA(kept, text) != 0) SetControlText(g_state.inputBox, kept);
}

// A paste takes the number out of what was copied: the box's seven
// characters would otherwise be filled by a blank or cut by a colon. Every
// way in (Ctrl+V, Shift+Insert, the box's own context menu, whose Paste the
// edit control carries out itself) runs the box's paste with room for more,
// then the box keeps the number of what it holds.
constexpr size_t kPasteRoom = 63;

LRESULT PasteNumber(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  char before[kNumberSize] = {};
  GetWindowTextA(box, before, sizeof before);
  SendMessageA(box, EM_LIMITTEXT, kPasteRoom, 0);
  const LRESULT result = CallWindowProcA(g_state.inputBoxPreviousProc, box, message, wParam, lParam);
  SendMessageA(box, EM_LIMITTEXT, kMaxErrorNumberLength, 0);
  char after[kPasteRoom + 1] = {};
  GetWindowTextA(box, after, sizeof after);
  if (lstrcmpiA(after, before) == 0) return result;  // Copy, Select All: nothing came in
  KeepNumberOnly(after, kMaxErrorNumberLength + 1);  // the box's own limit
  SendMessageA(box, EM_SETSEL, kMaxErrorNumberLength, kMaxErrorNumberLength);
  return result;
}

void PerformLookup() {
  SetControlText(g_state.typeField, nullptr);
  SetControlText(g_state.titleField, nullptr);
  SetControlText(g_state.toolField, nullptr);
  SetControlText(g_state.descriptionBox, nullptr);
  RedrawLookupWindow();

  ZeroFill(g_state.currentNumber);
  SendMessageA(g_state.inputBox, WM_GETTEXT, kNumberSize, reinterpret_cast<LPARAM>(g_state.currentNumber));
  KeepNumberOnly(g_state.currentNumber, kNumberSize);
  SendMessageA(g_state.inputBox, WM_GETTEXT, kNumberSize, reinterpret_cast<LPARAM>(g_state.currentNumber));
  LookupResult result = RunLookup(g_state.currentNumber, g_state.addinFolder);

  // Each outcome names the texts of its fields (the tool label first, as
  // soon as a row matched); every other field gets "" and stays empty.
  const LookupFields fields = FieldsOf(result);
  SetControlText(g_state.toolField, fields.tool);
  SetControlText(g_state.typeField, fields.type);
  SetControlText(g_state.titleField, fields.title);
  SetControlText(g_state.descriptionBox, fields.description);
  // A found message's note is filed under its canonical name, whatever was
  // typed for it; one without such a name offers no note.
  const bool noted = result.outcome == LookupOutcome::Found && result.name[0] != 0;
  if (noted) {
    ZeroFill(g_state.currentNumber);
    AppendText(g_state.currentNumber, result.name);
  }
  ReleaseLookupResult(result);

  g_state.lookupFailed = noted ? 0 : 1;
  SetNoteIcon(noted && NoteFileExists(g_state.currentNumber));
  RedrawLookupWindow();
  SelectAllInput();
}

// A window manager hands the activation of a closed window on a moment
// after the close, to a window of its choosing (often the host's main
// window), where the closing window had handed it to the lookup window. The
// lookup window takes it back then, but only when the user did nothing
// since the close: no key, no click in any window of the host's thread
// (none seen by the message hook, none waiting in the queue), no switch to
// another program. Whatever the user did wins.
void TakeBackKeys(HWND window) {
  const bool untouched =
      g_state.keysHandedBack && GetTickCount() - g_state.keysHandedBackAt < kTakeBackMilliseconds && !UserActionWaiting();
  g_state.keysHandedBack = false;
  const HWND front = GetForegroundWindow();
  if (!untouched || front == nullptr || GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId()) return;
  if (IsWindowVisible(window) && IsWindowEnabled(window)) SetForegroundWindow(window);
}

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool shiftInsert = message == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0;
  if (message == WM_PASTE || message == WM_CONTEXTMENU || shiftInsert) {
    return PasteNumber(window, message, wParam, lParam);
  }
  if (message != WM_CHAR || wParam != 13) {
    return CallWindowProcA(g_state.inputBoxPreviousProc, window, message, wParam, lParam);
  }
  // The carriage return never reaches the edit control: it is the lookup key.
  if (SendMessageA(window, WM_GETTEXTLENGTH, 0, 0) == 0) return 0;
  // The result fields lie below the compact window's client area: expand
  // first, as a click on the toggle icon would.
  if (g_state.expanded == 0) ToggleSize();
  PerformLookup();
  return 0;
}

LRESULT CALLBACK LookupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_ACTIVATE:
      // Gaining or losing activation alike: the next keystrokes meant for
      // this window start a fresh number.
      SetFocus(g_state.inputBox);
      SelectAllInput();
      if (LOWORD(wParam) == WA_INACTIVE && g_state.keysHandedBack) PostMessageA(window, kTakeBackKeysMessage, 0, 0);
      return 0;
    case kTakeBackKeysMessage:
      TakeBackKeys(window);
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_COMMAND:
      OnCommand(window, CommandOf(wParam, lParam));
      return 0;
    case WM_TIMER:
      HoverTick();
      return 0;
    case WM_SHOWWINDOW:
      // The hover timer runs only while the window is on screen: hidden, no
      // icon can be under the cursor, and the host's thread need not wake a
      // hundred times a second for it.
      if (wParam != 0) {
        SetTimer(window, kHoverTimerId, kHoverTimerPeriod, nullptr);
      } else {
        KillTimer(window, kHoverTimerId);
      }
      break;
    case WM_SYSCOLORCHANGE:
      OnSysColorChange();
      break;
    case WM_SETCURSOR:
      // A click on the window while the note editor or a browser has it
      // disabled brings that one forward, as a click on the owner of a
      // dialog does.
      if (static_cast<short>(LOWORD(lParam)) == HTERROR && HIWORD(lParam) == WM_LBUTTONDOWN) {
        BringOpenEditorOrBrowserForward();
      }
      break;
    case WM_CLOSE:
      OnClose(window);
      return 0;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
    case WM_ENDSESSION:
      if (wParam != 0) CloseAddin();  // the session ends: the add-in closes as at the host's close
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void CreateLookupWindow() {
  RegisterWindowClass(kLookupWindowClass, LookupWindowProc, CS_HREDRAW | CS_VREDRAW, nullptr);

  g_state.lookupWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kLookupWindowClass, "Orvalith",
                                         WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, 0, kExpandedWidth,
                                         kExpandedHeight, g_state.hostWindow, nullptr, g_state.moduleInstance,
                                         nullptr);
}

}  // namespace orva
