// The Note Browser's catalogue: the note files listed under their tools, and
// the selection, Save and Delete of a note. All file work goes through the
// note store.

// Keeps the common dialogs' FindText macro away from the text primitive of
// that name.
#define WIN32_LEAN_AND_MEAN

#include "ui/browser/note_catalogue.h"

#include "lookup/tool_table.h"
#include "notes/note_store.h"
#include "state/addin_state.h"
#include "ui/browser/browser_window.h"
#include "ui/browser/tree_fill.h"
#include "ui/window_routines/questions.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

// RW's notes go under the one RC root, in RC's slot.
constexpr uint32_t kRcWarningSlot = 6;
constexpr uint32_t kNoteRcSlot = 5;

// A note file is listed under its note's name, and only when the add-in
// files notes under that name: the file name without ".note" is an error
// number (ReadErrorNumber) and is its canonical name but for letter case,
// which file names ignore (a2008.note is A2008's note). The name is what
// Delete removes, so it must name exactly this file: "A2008.old.note",
// "A2008 .note", "A02008.note" are no notes of A2008 and stay out of the
// tree rather than be shown, and deleted, as A2008. So does a name the note
// store refuses (a path too long to save). The family gives the root; the
// Note Browser gathers both RC families under the one RC root.
HTREEITEM NoteRootOf(const char* fileName, char (&name)[kErrorNameSize]) {
  ZeroFill(name);
  const size_t length = TextLength(fileName);
  const size_t extension = TextLength(kNoteExtension);
  const ErrorNumber number = ReadErrorNumber(fileName, length > extension ? length - extension : 0, NumberText::Word);
  char listed[kErrorNameSize + sizeof kNoteExtension] = {};
  AppendText(listed, number.name, kNoteExtension);
  char path[kPathSize];
  if (number.family == nullptr || lstrcmpiA(listed, fileName) != 0 || !NotePath(number.name, path)) return nullptr;
  AppendText(name, number.name);
  const uint32_t slot = number.family->slot;
  return g_state.rootItems[slot == kRcWarningSlot ? kNoteRcSlot : slot];
}

// Queues the item of one note file (a file name without its folder).
void AddNoteItem(const char* fileName, TreeFill& fill) {
  char name[kErrorNameSize];
  const HTREEITEM root = NoteRootOf(fileName, name);
  if (root != nullptr) QueueTreeItem(fill, root, name, 0);
}

// The text on display counts as unchanged from here on.
void MarkNoteUnchanged() { SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0); }

// Why the note on display could not be read; ERROR_SUCCESS when it was.
DWORD g_readFailure = ERROR_SUCCESS;
const char kNoteNotSavedUnread[] = "cannot be saved: it could not be read";

}  // namespace

void FillNoteCatalogue() {
  InsertToolRoots(false);
  char pattern[kPathSize];
  if (!NoteSearchPattern(pattern)) return;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return;  // no notes: the roots alone
  TreeFill fill = {};
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) AddNoteItem(found.cFileName, fill);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  InsertQueuedItems(fill);
}

void ShowSelectedNote() {
  ZeroFill(g_state.selectedNote);
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = g_state.selectedItem;
  item.pszText = g_state.selectedNote;
  item.cchTextMax = kNumberSize;
  SendMessageA(g_state.treeView, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  // A note that cannot be read (removed, or held by another program) shows
  // why in the text area's place, read-only: nothing can be typed there and
  // then lost. Save says why it cannot save rather than replace the note.
  g_readFailure = LoadNote(g_state.selectedNote);
  if (g_readFailure != ERROR_SUCCESS) {
    char reason[kNoteFailureTextSize];
    DescribeNoteFailure(g_state.selectedNote, kNoteNotRead, g_readFailure, reason);
    SetControlText(g_state.noteEdit, reason);
  }
  SendMessageA(g_state.noteEdit, EM_SETREADONLY, g_readFailure != ERROR_SUCCESS, 0);
  MarkNoteUnchanged();
}

// A note that could not be written keeps its text on display, and the user
// is told why.
bool SaveSelectedNote() {
  if (g_readFailure != ERROR_SUCCESS) {
    ReportNoteFailure(g_state.browserWindow, g_state.selectedNote, kNoteNotSavedUnread, g_readFailure);
    return false;
  }
  const DWORD outcome = SaveNote(g_state.selectedNote);
  if (outcome != ERROR_SUCCESS) {
    ReportNoteFailure(g_state.browserWindow, g_state.selectedNote, kNoteNotSaved, outcome);
    return false;
  }
  MarkNoteUnchanged();
  return true;
}

// Without a note selected (Save off) there is nothing to save; a note that
// could not be read is read-only, so its text never changes.
bool SelectedNoteChanged() {
  return IsWindowEnabled(g_state.saveButton) && SendMessageA(g_state.noteEdit, EM_GETMODIFY, 0, 0) != 0;
}

bool SettleEditedNote(bool byForce) {
  if (!SelectedNoteChanged()) return true;
  const UINT buttons = byForce ? MB_YESNO : MB_YESNOCANCEL;
  const int answer = AskAboutNote(g_state.browserWindow, kSaveQuestion, g_state.selectedNote, buttons | MB_ICONQUESTION);
  if (answer == IDNO) {
    MarkNoteUnchanged();  // the changes are dropped
    return true;
  }
  // A close that cannot be refused keeps the text as the note unless the
  // user said No, also when its box went without an answer.
  if (byForce) {
    SaveSelectedNote();
    return true;
  }
  return answer == IDYES && SaveSelectedNote();  // Cancel, or a box the close ended: back to the edit
}

void DeleteSelectedNote() {
  // The name is taken before the item goes: removing the selected item can
  // select its sibling at once, and that selection rewrites selectedNote.
  char name[kNumberSize] = {};
  AppendText(name, g_state.selectedNote);
  // The file goes first: a note that cannot be deleted (read-only, held
  // open by another program) keeps its item, its text and the note icon.
  // One that another program removed meanwhile is gone, as the user asked.
  const DWORD outcome = DeleteNote(name);
  if (outcome != ERROR_SUCCESS && outcome != ERROR_FILE_NOT_FOUND) {
    ReportNoteFailure(g_state.browserWindow, name, kNoteNotDeleted, outcome);
    return;
  }
  // The note is gone, and its text with it: nothing is left to ask about
  // when the removal moves the selection.
  MarkNoteUnchanged();
  SetControlText(g_state.noteEdit, nullptr);
  EnableWindow(g_state.deleteButton, FALSE);
  EnableWindow(g_state.saveButton, FALSE);
  SendMessageA(g_state.treeView, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(g_state.selectedItem));
  if (lstrcmpiA(name, g_state.currentNumber) == 0) SetNoteIcon(false);
  // The click left the keyboard focus on Delete, which is now disabled and
  // would drop it; the tree takes it, so that the keys go on through the notes.
  SetFocus(g_state.treeView);
}

}  // namespace orva
