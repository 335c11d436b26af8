// The note editor window ("ORVARA_Note"): a rich edit, Save and Close. It
// owns its window class (registered while it is open), its three controls
// and its keys.
#include "ui/note_editor/note_editor.h"

#include "notes/note_store.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/window_routines/addin_close.h"
#include "ui/window_routines/questions.h"
#include "ui/window_routines/window_keys.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

LRESULT CALLBACK NoteEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The etched separator between the text area and the buttons.
constexpr int kSeparatorStartX = 390;
constexpr int kSeparatorEndX = 5;
constexpr int kSeparatorY = 210;

// Ctrl+S is the Save button, wherever the focus is.
const ACCEL kEditorKeys[] = {
    {FVIRTKEY | FCONTROL, 'S', kSaveButtonId},
};

// The caption names the number the note will be saved under. A number too
// long for the caption buffer is refused whole rather than shown cut, which
// would name another number (the lookup refuses such numbers anyway).
bool ComposeCaption(int mode) {
  ZeroFill(g_state.editorCaption);
  const char* prefix = mode == kCreateNoteMode ? "Create Note for - " : "Edit Note for - ";
  return AppendText(g_state.editorCaption, prefix, g_state.currentNumber);
}

HWND CreateEditorControl(HWND editor, DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                         int y, int width, int height, int id) {
  HWND control = CreateChildControl(editor, exStyle, className, text, WS_TABSTOP | style, x, y, width, height, id);
  // The editor's controls take the font without a redraw: they are not shown yet.
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.sharedFont), FALSE);
  return control;
}

// The text takes Enter as a new line: without ES_WANTRETURN the dialog
// manager's rich edit hands Enter to the window's default button instead.
void CreateEditorControls(HWND editor) {
  EnableWindow(g_state.lookupWindow, FALSE);
  g_state.noteEdit = CreateEditorControl(editor, WS_EX_CLIENTEDGE, "RICHEDIT", nullptr,
                                         WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 5, 5, 385, 200, 0);
  CreateEditorControl(editor, 0, "BUTTON", "Save", BS_CENTER | BS_VCENTER, 280, 220, 50, 25, kSaveButtonId);
  CreateEditorControl(editor, 0, "BUTTON", "Close", BS_CENTER | BS_VCENTER, 340, 220, 50, 25, kCloseButtonId);
  g_state.editorKeys = CreateWindowKeys(kEditorKeys);
}

void PaintEditor(HWND editor) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(editor, &paint);
  DrawEtchedLine(dc, kSeparatorStartX, kSeparatorEndX, kSeparatorY);
  EndPaint(editor, &paint);
}

// Save stores the note under the number the editor was opened for (its
// caption), even when a host word has run another lookup behind it; the note
// icon turns yellow only when that number is still the one on display. A
// note that could not be written keeps the icon as it was, and the user is
// told why; false then.
bool SaveEditorText(HWND editor) {
  const DWORD outcome = SaveNote(g_state.editorNumber);
  if (outcome != ERROR_SUCCESS) {
    ReportNoteFailure(editor, g_state.editorNumber, kNoteNotSaved, outcome);
    return false;
  }
  if (lstrcmpiA(g_state.editorNumber, g_state.currentNumber) == 0) SetNoteIcon(true);
  return true;
}

// Whether closing would drop text the user typed: a changed note, or any
// text of a new one.
bool EditorTextChanged() {
  if (SendMessageA(g_state.noteEdit, EM_GETMODIFY, 0, 0) == 0) return false;
  return g_state.editorMode == kEditNoteMode || SendMessageA(g_state.noteEdit, WM_GETTEXTLENGTH, 0, 0) > 0;
}

// A close of the add-in cannot be refused: its question has Yes and No, and
// a box that went without an answer (the host destroyed it with the editor)
// keeps the text as the note, since the user never said to drop it. The
// text is taken before the question for that case; otherwise the answer acts
// on the text as it is when the box returns.
bool SettleWithoutCancel(HWND editor) {
  NoteText typed = {};
  const DWORD taken = TakeNoteText(typed);
  const int answer = AskAboutNote(editor, kSaveQuestion, g_state.editorNumber, MB_YESNO | MB_ICONQUESTION);
  const bool fieldLeft = g_state.noteEdit != nullptr;
  if (answer == IDNO) {
    if (fieldLeft) SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);
    ReleaseNoteText(typed);
  } else if (fieldLeft) {
    ReleaseNoteText(typed);
    if (SaveEditorText(editor)) SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);
  } else if (taken == ERROR_SUCCESS) {
    WriteNoteText(g_state.editorNumber, typed);
  }
  return true;
}

// Before typed text goes: "Save the changes ...?" Yes saves (a note that
// cannot be saved keeps the editor open), No drops the text, Cancel keeps
// the editor open with it, and so does a box the add-in's close ended (its
// own question settles the text). True when the editor may go.
bool SettleEditorText(HWND editor, bool byForce) {
  if (!EditorTextChanged()) return true;
  if (byForce) return SettleWithoutCancel(editor);
  const int answer =
      AskAboutNote(editor, kSaveQuestion, g_state.editorNumber, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDNO) {
    SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);
    return true;
  }
  if (answer != IDYES || !SaveEditorText(editor)) return false;
  SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);
  return true;
}

void CloseEditorWindow(HWND editor) {
  HandBackActivation(editor);
  DestroyWindow(editor);
  UnregisterClassA(kNoteEditorClass, g_state.moduleInstance);
}

void OnSave(HWND editor) {
  if (SaveEditorText(editor)) CloseEditorWindow(editor);
}

// A click on Save or Close; Escape (IDCANCEL) is Close, Ctrl+S Save, and
// the keys every window has.
bool OnEditorCommand(HWND editor, WORD command) {
  switch (command) {
    case kSaveButtonId:
      OnSave(editor);
      return true;
    case kCloseButtonId:
    case IDCANCEL:
      SendMessageA(editor, WM_CLOSE, 0, 0);
      return true;
    default:
      return OnWindowKeyCommand(editor, command);
  }
}

// Whoever destroys it (its own close, the add-in's, or the host's teardown,
// which takes the windows its own window owns with it): nothing of it is
// used again, and the lookup window is not left disabled.
void OnEditorDestroyed() {
  g_state.noteEditor = nullptr;
  g_state.noteEdit = nullptr;
  if (g_state.editorKeys != nullptr) DestroyAcceleratorTable(g_state.editorKeys);
  g_state.editorKeys = nullptr;
  EnableWindow(g_state.lookupWindow, TRUE);
}

LRESULT CALLBACK NoteEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateEditorControls(window);
      return 0;
    case WM_PAINT:
      PaintEditor(window);
      return 0;
    case WM_COMMAND:
      if (OnEditorCommand(window, CommandOf(wParam, lParam))) return 0;
      break;
    case WM_CLOSE:  // Close, Escape, Alt+F4
      if (SettleEditorText(window, false)) CloseEditorWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      // As a text editor does: Yes saves, No drops, Cancel refuses to end
      // the session. The add-in's own close asks without Cancel.
      return SettleEditorText(window, (lParam & kEndOfSessionByForce) != 0) ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam != 0) CloseAddin();  // the session ends: the add-in closes as at the host's close
      return 0;
    case WM_DESTROY:
      OnEditorDestroyed();
      return 0;
    case WM_SETFOCUS:
      // Activated again, the editor passes the keyboard focus on to its text.
      SetFocus(g_state.noteEdit);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void OpenNoteEditor(int mode, const char* text) {
  if (!ComposeCaption(mode)) {
    // No editor: make sure the caller's LoadNote reaches no stale control.
    g_state.noteEdit = nullptr;
    return;
  }
  ZeroFill(g_state.editorNumber);
  AppendText(g_state.editorNumber, g_state.currentNumber);
  g_state.editorMode = static_cast<uint8_t>(mode);
  RegisterWindowClass(kNoteEditorClass, NoteEditorProc, CS_HREDRAW | CS_VREDRAW, nullptr);

  // Owned by the lookup window, which it disables: owned windows stay in
  // front of their owner (and the lookup window of the host's), so a click
  // on the host never covers the editor, and window managers hand the
  // keyboard back to it after its questions.
  const POINT corner = ScreenCentredCorner(kNoteEditorWidth, kNoteEditorHeight);
  g_state.noteEditor = CreateWindowExA(WS_EX_TOOLWINDOW, kNoteEditorClass, g_state.editorCaption,
                                       WS_POPUP | WS_VISIBLE | WS_CAPTION, corner.x, corner.y, kNoteEditorWidth,
                                       kNoteEditorHeight, g_state.lookupWindow, nullptr, g_state.moduleInstance,
                                       nullptr);
  SetControlText(g_state.noteEdit, text);
  SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);  // what it opened with counts as unchanged
  SetFocus(g_state.noteEdit);
}

}  // namespace orva
