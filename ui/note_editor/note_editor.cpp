// The note editor window ("ORVARA_Note"): a rich edit, Save and Close. It
// owns its window class (registered while it is open) and its three controls.
#include "ui/note_editor/note_editor.h"

#include "notes/note_store.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/window_routines/questions.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

const char kNoteEditorClass[] = "ORVARA_Note";

LRESULT CALLBACK NoteEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The etched separator between the text area and the buttons.
constexpr int kSeparatorStartX = 390;
constexpr int kSeparatorEndX = 5;
constexpr int kSeparatorY = 210;

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
  HWND control = CreateChildControl(editor, exStyle, className, text, style, x, y, width, height, id);
  // The editor's controls take the font without a redraw: they are not shown yet.
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.sharedFont), FALSE);
  RouteInput(control);
  return control;
}

void CreateEditorControls(HWND editor) {
  EnableWindow(g_state.lookupWindow, FALSE);
  g_state.noteEdit = CreateEditorControl(editor, WS_EX_CLIENTEDGE, "RICHEDIT", nullptr,
                                         WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 5, 5, 385, 200, 0);
  CreateEditorControl(editor, 0, "BUTTON", "Save", BS_CENTER | BS_VCENTER, 280, 220, 50, 25, kSaveButtonId);
  CreateEditorControl(editor, 0, "BUTTON", "Close", BS_CENTER | BS_VCENTER, 340, 220, 50, 25, kCloseButtonId);
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

// Before typed text goes: "Save the changes ...?" Yes saves (a note that
// cannot be saved keeps the editor open), No drops the text, Cancel keeps
// the editor open with it.
bool MayCloseEditor(HWND editor) {
  if (!EditorTextChanged()) return true;
  const int answer = AskAboutNote(editor, kSaveQuestion, g_state.editorNumber, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDNO) return true;
  return answer == IDYES && SaveEditorText(editor);
}

void CloseEditorWindow(HWND editor) {
  EnableWindow(g_state.lookupWindow, TRUE);
  DestroyWindow(editor);
  UnregisterClassA(kNoteEditorClass, g_state.moduleInstance);
  ReturnToLookupWindow();
}

void OnSave(HWND editor) {
  if (SaveEditorText(editor)) CloseEditorWindow(editor);
}

// Escape is the Close button, Ctrl+S the Save button, and Tab and Shift+Tab
// move between the text and the buttons.
LRESULT OnEditorKey(HWND editor, WPARAM key) {
  if (key == VK_ESCAPE) {
    SendMessageA(editor, WM_CLOSE, 0, 0);
  } else if (key == (kWithControl | 'S')) {
    OnSave(editor);
  } else if (key == VK_TAB) {
    MoveFocus(editor);
  } else {
    return 0;
  }
  return 1;
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
      if (wParam == kSaveButtonId) {
        OnSave(window);
        return 0;
      }
      if (wParam == kCloseButtonId) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_CLOSE:  // Close, Escape, Alt+F4
      if (MayCloseEditor(window)) CloseEditorWindow(window);
      return 0;
    case WM_DESTROY:
      // Whoever destroys it: its own close, or the host's teardown, which
      // takes the windows its own window owns with it.
      g_state.noteEditor = nullptr;
      return 0;
    case WM_SETFOCUS:
      // Activated again, the editor passes the keyboard focus on to its text.
      SetFocus(g_state.noteEdit);
      return 0;
    case kControlKeyMessage:
      return OnEditorKey(window, wParam);
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
  // keyboard back to it after its questions. An editor of its own was left
  // behind the host, where nothing could bring it back (the platform's
  // SetForegroundWindow does not reach a window manager's stacking), and its
  // keys went to the host's source.
  const POINT corner = ScreenCentredCorner(kNoteEditorWidth, kNoteEditorHeight);
  g_state.noteEditor = CreateWindowExA(WS_EX_TOOLWINDOW, kNoteEditorClass, g_state.editorCaption,
                                       WS_POPUP | WS_VISIBLE | WS_CAPTION, corner.x, corner.y, kNoteEditorWidth,
                                       kNoteEditorHeight, g_state.lookupWindow, nullptr, g_state.moduleInstance,
                                       nullptr);
  SetControlText(g_state.noteEdit, text);
  SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);  // what it opened with counts as unchanged
  SetFocus(g_state.noteEdit);
}

void CloseNoteEditor() {
  if (g_state.noteEditor != nullptr && EditorTextChanged()) {
    SettleTypedTextAtClose(g_state.noteEditor, g_state.editorNumber);
  }
  // Under a question that is still up the editor stays; the last question
  // to return closes it. The host may have destroyed it meanwhile.
  if (!QuestionIsUp()) CloseEditorWindow(g_state.noteEditor);
}

}  // namespace orva
