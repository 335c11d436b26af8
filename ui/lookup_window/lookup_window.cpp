// The lookup window ("ORVARA_Main"): its class, its fourteen controls and
// the icons' tooltips, the Enter handling of the subclassed input box, one
// lookup from input to fields, the note and browser icons and their keys,
// close (hide), the destroy handling that releases what the add-in shares,
// and the window's end at the host's close.
#include "ui/lookup_window/lookup_window.h"

#include <commctrl.h>

#include <iterator>

#include "lookup/error_lookup.h"
#include "notes/note_store.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/browser/browser_window.h"
#include "ui/lookup_window/hover_and_size.h"
#include "ui/note_editor/note_editor.h"
#include "ui/window_routines/questions.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

const char kClassName[] = "ORVARA_Main";
const char kCreateNoteQuestion[] =
    "This error does not have a note associated with it.\r\n\r\nWould you like to create one?";

// Etched separator below the top row: lines 35 and 36, from x 440 to x 5.
constexpr int kSeparatorY = 35;
constexpr int kSeparatorStart = 440;
constexpr int kSeparatorEnd = 5;

// Each icon's key, working from the input box, and the tooltip that names
// the icon's action and its key. Ctrl with these letters edits nothing in a
// one-line edit field, so no editing key is taken away.
struct IconKey {
  int id;
  WPARAM key;
  const char* tip;
};
const IconKey kIconKeys[] = {
    {kToggleIconId, kWithControl | 'T', "Compact or full size (Ctrl+T)"},
    {kNoteIconId, kWithControl | 'N', "Note on this error (Ctrl+N)"},
    {kNoteBrowserIconId, kWithControl | 'B', "Note Browser (Ctrl+B)"},
    {kErrorBrowserIconId, kWithControl | 'E', "Error Browser (Ctrl+E)"},
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

void CreateControls(HWND window) {
  CreateTextControl(window, "STATIC", "Error #:", SS_SIMPLE, 0, 5, 8, 40, 20);
  // It scrolls sideways: in a font wider than the box was sized for, a
  // seven-character number would otherwise stop at its edge.
  g_state.inputBox =
      CreateTextControl(window, "EDIT", nullptr, ES_UPPERCASE | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 45, 5, 55, 20);
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
  g_state.descriptionBox = CreateTextControl(window, "EDIT", nullptr, ES_MULTILINE | ES_READONLY | WS_VSCROLL,
                                             WS_EX_CLIENTEDGE, 5, 120, 435, 235);
  RouteInput(g_state.descriptionBox);  // a click can leave the keyboard focus there
}

// The system's tooltip control names each icon's action and key while the
// cursor rests on it. It is owned by the lookup window and goes with it.
void AddIconTooltips(HWND window) {
  RegisterCommonControlClasses();
  const HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                    window, nullptr, g_state.moduleInstance, nullptr);
  g_state.iconTips = tips;
  for (const IconKey& icon : kIconKeys) {
    // The first layout of the record, which every version of the control takes.
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, icon.id));
    tool.lpszText = const_cast<char*>(icon.tip);
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    RouteInput(reinterpret_cast<HWND>(tool.uId));
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
  return g_state.installed != 0 && g_state.lookupFailed == 0 && lstrcmpiA(number, g_state.currentNumber) == 0;
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

// Commands match on the whole wParam: only a click (STN_CLICKED, 0) acts, so
// the second half of a double-click does not toggle back.
void OnCommand(WPARAM command) {
  switch (command) {
    case kToggleIconId:
      ToggleSize();
      break;
    case kNoteIconId:
      OnNoteIcon();
      break;
    case kNoteBrowserIconId:
    case kErrorBrowserIconId:
      OnBrowserIcon(static_cast<int>(command));
      break;
    default:
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

// Escape hides the window, as its close button does; Tab moves between the
// input box and the description; each icon's key does what its click does.
LRESULT OnLookupKey(HWND window, WPARAM key) {
  if (key == VK_ESCAPE) {
    OnClose(window);
  } else if (key == VK_TAB) {
    MoveFocus(window);
  } else {
    const IconKey* icon = kIconKeys;
    while (icon != std::end(kIconKeys) && icon->key != key) ++icon;
    if (icon == std::end(kIconKeys)) return 0;
    OnCommand(static_cast<WPARAM>(icon->id));
  }
  return 1;
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
  // A browser that the host's close found under a question stays until the
  // question returns, with its rich edit, tree and images: what they use
  // goes with it (DestroyLookupWindow).
  if (g_state.browserWindow == nullptr) ReleaseSharedResources();
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

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Keys go to the window first: Ctrl+A selects the whole number (after a
  // click into a full box, typing would otherwise be refused at the seventh
  // character without a sign), and the icons' keys and Tab act there.
  if (message == WM_KEYDOWN && OfferKeyToWindow(window, wParam)) return 0;
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
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_COMMAND:
      OnCommand(wParam);
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
    case kControlKeyMessage:
      return OnLookupKey(window, wParam);
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
    case WM_NCDESTROY:
      // Really gone (the WM_DESTROY above may come without that): by its
      // own teardown at the host's close, or by the host's, which takes the
      // windows its main window owns with it.
      g_state.lookupWindow = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void CreateLookupWindow() {
  RegisterWindowClass(kClassName, LookupWindowProc, CS_HREDRAW | CS_VREDRAW, nullptr);

  g_state.lookupWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Orvalith",
                                         WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, 0, kExpandedWidth,
                                         kExpandedHeight, g_state.hostWindow, nullptr, g_state.moduleInstance,
                                         nullptr);
}






void DestroyLookupWindow() {
  // The window is owned by the host's main window, but its procedure and its
  // input box's lie in this module: once the host unloads it, the next
  // message to either would run code that is gone. So it goes now, with its
  // controls, whatever order the host tears down and unloads in.
  if (g_state.lookupWindow != nullptr) DestroyWindow(g_state.lookupWindow);
  ReleaseSharedResources();  // done by its destroy handling, unless it was never made
  UnregisterClassA(kClassName, g_state.moduleInstance);
}

}  // namespace orva
