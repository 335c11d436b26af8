// The browser window ("ORVARA_Browser"): opening and closing it, its two
// layouts, the tool roots, Expand All and Collapse All, its keys, and the
// dispatch of a tree selection to the catalogue of its mode. It owns its
// window class (registered while it is open) and its controls.
#include "ui/browser/browser_window.h"

#include "lookup/tool_table.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/browser/error_catalogue.h"
#include "ui/browser/find_box.h"
#include "ui/browser/note_catalogue.h"
#include "ui/window_routines/addin_close.h"
#include "ui/window_routines/questions.h"
#include "ui/window_routines/window_keys.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every test of the mode asks for the Note Browser; any other value is the
// Error Browser.
bool IsNoteBrowser() { return g_state.browserMode == kNoteBrowserIconId; }

void RegisterBrowserClass() {
  // The small icon is the very picture the lookup window shows on the
  // browser's icon, which owns it; it outlives every browser.
  RegisterWindowClass(kBrowserClass, BrowserWindowProc,
                      CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW,
                      IsNoteBrowser() ? g_state.noteBrowserPicture : g_state.errorBrowserPicture);
}

// The Note Browser's keys: Ctrl+S is its Save button. The Error Browser's:
// Ctrl+F opens the find box, F3 finds again.
const ACCEL kNoteBrowserKeys[] = {
    {FVIRTKEY | FCONTROL, 'S', kSaveButtonId},
};
const ACCEL kErrorBrowserKeys[] = {
    {FVIRTKEY | FCONTROL, 'F', kShowFindBoxCommand},
    {FVIRTKEY, VK_F3, kFindNextButtonId},
};

// Every control but a label is a tab stop, in the order of creation.
HWND CreateBrowserControl(HWND browser, DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                          int y, int width, int height, int id) {
  const DWORD tabStop = lstrcmpA(className, "STATIC") != 0 ? WS_TABSTOP : 0;
  HWND control = CreateChildControl(browser, exStyle, className, text, tabStop | style, x, y, width, height, id);
  ApplySharedFont(control);
  return control;
}

// The note takes Enter as a new line: without ES_WANTRETURN the dialog
// manager's rich edit hands Enter to the window's default button instead.
void CreateNoteBrowserControls(HWND browser) {
  g_state.noteEdit = CreateBrowserControl(browser, WS_EX_CLIENTEDGE, "RICHEDIT", nullptr,
                                          WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 225, 5, 315,
                                          325, 0);
  g_state.deleteButton = CreateBrowserControl(browser, 0, "BUTTON", "Delete", WS_DISABLED, 225, 337, 85, 25,
                                              kDeleteButtonId);
  g_state.saveButton = CreateBrowserControl(browser, 0, "BUTTON", "Save", WS_DISABLED, 455, 337, 85, 25,
                                            kSaveButtonId);
}

void CreateErrorBrowserControls(HWND browser) {
  CreateBrowserControl(browser, 0, "STATIC", "Type:", SS_SIMPLE, 225, 5, 30, 20, 0);
  g_state.browserTypeField = CreateBrowserControl(browser, 0, "EDIT", nullptr, ES_READONLY, 260, 5, 150, 20, 0);
  CreateBrowserControl(browser, 0, "STATIC", "Title:", SS_SIMPLE, 225, 25, 30, 20, 0);
  g_state.browserTitleField = CreateBrowserControl(browser, 0, "EDIT", nullptr, ES_READONLY | ES_MULTILINE, 260, 25,
                                                   270, 40, 0);
  g_state.browserDescriptionField =
      CreateBrowserControl(browser, WS_EX_CLIENTEDGE, "EDIT", nullptr,
                           WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, 225, 65, 315, 305, 0);
}

void CreateBrowserControls(HWND browser) {
  EnableWindow(g_state.lookupWindow, FALSE);
  RegisterCommonControlClasses();
  g_state.treeView = CreateChildControl(
      browser, 0, WC_TREEVIEWA, nullptr,
      WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS, 5, 5, 200,
      320, kTreeViewId);
  SendMessageA(g_state.treeView, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(g_state.imageList));
  ApplySharedFont(g_state.treeView);
  CreateBrowserControl(browser, 0, "BUTTON", "Expand All", 0, 22, 337, 85, 25, kExpandAllButtonId);
  CreateBrowserControl(browser, 0, "BUTTON", "Collapse All", 0, 121, 337, 85, 25, kCollapseAllButtonId);
  if (IsNoteBrowser()) {
    CreateNoteBrowserControls(browser);
    g_state.browserKeys = CreateWindowKeys(kNoteBrowserKeys);
  } else {
    CreateErrorBrowserControls(browser);
    g_state.browserKeys = CreateWindowKeys(kErrorBrowserKeys);
  }
}

void EmptyDetailArea() {
  if (IsNoteBrowser()) {
    // Without a note on display nothing typed could be kept: read-only.
    SetControlText(g_state.noteEdit, nullptr);
    SendMessageA(g_state.noteEdit, EM_SETREADONLY, TRUE, 0);
    EnableWindow(g_state.deleteButton, FALSE);
    EnableWindow(g_state.saveButton, FALSE);
  } else {
    SetControlText(g_state.browserTypeField, nullptr);
    SetControlText(g_state.browserTitleField, nullptr);
    SetControlText(g_state.browserDescriptionField, nullptr);
  }
}

// The selection is read from the tree itself, not from the notification: a
// removal can report a selection that has changed again since.
void ShowTreeSelection() {
  EmptyDetailArea();
  const HTREEITEM item = NextTreeItem(g_state.treeView, nullptr, TVGN_CARET);
  const HTREEITEM parent = item != nullptr ? NextTreeItem(g_state.treeView, item, TVGN_PARENT) : nullptr;
  if (parent == nullptr) return;  // a root, or nothing: the detail area stays empty
  if (IsNoteBrowser()) {
    g_state.selectedItem = item;
    EnableWindow(g_state.deleteButton, TRUE);
    EnableWindow(g_state.saveButton, TRUE);
    ShowSelectedNote();
  } else {
    ShowErrorDetail(parent, static_cast<uint32_t>(TreeItemData(item)));
  }
}

// Whether the note on display may go from view; in the Note Browser its
// changes are asked about first.
bool MayLeaveNote() { return !IsNoteBrowser() || SettleEditedNote(); }

// The Delete key in the tree deletes the selected note as the Delete button
// does, after "Delete the note for A2008?": the focus is often there when a
// user means a letter of the text. No is the default, so that a Delete
// pressed twice removes nothing.
void OnTreeDeleteKey(HWND browser) {
  if (!IsNoteBrowser() || !IsWindowEnabled(g_state.deleteButton)) return;
  if (AskAboutNote(browser, "Delete the note for ", g_state.selectedNote,
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
    DeleteSelectedNote();
  }
}

// While the find box has the keys, the tree is not focused and would show
// its selection in the button face's colour, hardly to be seen: the error
// the find found is drawn as a focused tree draws it.
LRESULT DrawFoundErrorHighlighted(NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  const bool findHasKeys = g_state.findBox != nullptr && TopLevelWindowOf(GetFocus()) == g_state.findBox;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && findHasKeys && (draw.nmcd.uItemState & CDIS_SELECTED) != 0) {
    draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
  }
  return CDRF_DODEFAULT;
}

// Answers TRUE to refuse a selection change. An edited note is not asked
// about here, inside the tree's own handling of the change, which must not
// find its tree gone when the host closes during the question: the change is
// refused, and the question comes once the tree is done (AskBeforeSelection).
LRESULT OnTreeNotify(HWND browser, NMHDR* header) {
  // A closing browser's tree may still report selections while it is torn
  // down; its detail controls are going too, so nothing is shown then.
  if (g_state.browserWindow == nullptr) return 0;
  switch (header->code) {
    case TVN_SELCHANGINGA:
      if (!SelectedNoteChanged()) return 0;
      PostMessageA(browser, kAskBeforeSelectionMessage, 0,
                   reinterpret_cast<LPARAM>(reinterpret_cast<const NMTREEVIEWA*>(header)->itemNew.hItem));
      return TRUE;
    case TVN_SELCHANGEDA:
      ShowTreeSelection();
      return 0;
    case TVN_KEYDOWN:
      if (reinterpret_cast<const NMTVKEYDOWN*>(header)->wVKey == VK_DELETE) OnTreeDeleteKey(browser);
      return 0;
    case NM_CUSTOMDRAW:
      return DrawFoundErrorHighlighted(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
    default:
      return 0;
  }
}

// The selection the tree refused goes ahead once the edited note is saved
// or its changes dropped; on Cancel, or a note that could not be saved, the
// note stays selected with its text.
void AskBeforeSelection(HTREEITEM chosen) {
  if (MayLeaveNote()) SendMessageA(g_state.treeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(chosen));
}

// TVE_EXPAND or TVE_COLLAPSE on every top-level item.
void ExpandOrCollapseRoots(HWND tree, UINT action) {
  if (SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 0) return;
  for (HTREEITEM root = NextTreeItem(tree, nullptr, TVGN_ROOT); root != nullptr;
       root = NextTreeItem(tree, root, TVGN_NEXT)) {
    SendMessageA(tree, TVM_EXPAND, action, reinterpret_cast<LPARAM>(root));
  }
}

// A click on a button; a key of the browser's table (Escape closes it); the
// keys every window has.
bool OnBrowserCommand(HWND browser, WORD command) {
  switch (command) {
    case IDCANCEL:
      SendMessageA(browser, WM_CLOSE, 0, 0);
      return true;
    case kExpandAllButtonId:
      // Expanding scrolls each root's items into view in turn: the selection
      // is brought back into view after the last.
      ExpandOrCollapseRoots(g_state.treeView, TVE_EXPAND);
      SendMessageA(g_state.treeView, TVM_ENSUREVISIBLE, 0,
                   reinterpret_cast<LPARAM>(NextTreeItem(g_state.treeView, nullptr, TVGN_CARET)));
      return true;
    case kCollapseAllButtonId:
      // Collapsing moves the selection off a note: asked about before
      // anything moves, so that a note that could not be saved stays in view.
      if (MayLeaveNote()) ExpandOrCollapseRoots(g_state.treeView, TVE_COLLAPSE);
      return true;
    // Save and Delete act only while a note is selected, which is while their
    // buttons are enabled; a command sent for a disabled one would otherwise
    // remove whatever item was selected last, or the whole tree.
    case kSaveButtonId:
      if (!IsNoteBrowser()) return false;
      if (IsWindowEnabled(g_state.saveButton)) SaveSelectedNote();
      return true;
    case kDeleteButtonId:
      if (!IsNoteBrowser()) return false;
      if (IsWindowEnabled(g_state.deleteButton)) DeleteSelectedNote();
      return true;
    case kShowFindBoxCommand:
      if (IsNoteBrowser()) return false;
      ShowFindBox();
      return true;
    case kFindNextButtonId:
      if (IsNoteBrowser()) return false;
      FindAgain();
      return true;
    default:
      return OnWindowKeyCommand(browser, command);
  }
}

void CloseBrowserWindow(HWND browser) {
  HandBackActivation(browser);
  DestroyWindow(browser);  // and the find box it owns
  UnregisterClassA(kBrowserClass, g_state.moduleInstance);
}

// Whoever destroys it (its own close or the add-in's): its handles go at
// once, so that its tree's notifications while it is torn down find no
// browser, and what the Error Browser held open goes with it.
void OnBrowserDestroyed() {
  g_state.browserWindow = nullptr;
  g_state.treeView = nullptr;
  g_state.noteEdit = nullptr;
  g_state.deleteButton = nullptr;
  g_state.saveButton = nullptr;
  g_state.browserTypeField = nullptr;
  g_state.browserTitleField = nullptr;
  g_state.browserDescriptionField = nullptr;
  g_state.browserFocus = nullptr;
  if (g_state.browserKeys != nullptr) DestroyAcceleratorTable(g_state.browserKeys);
  g_state.browserKeys = nullptr;
  ForgetFindBox();
  CloseErrorCatalogue();
  EnableWindow(g_state.lookupWindow, TRUE);
}

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateBrowserControls(window);
      return 0;
    case WM_NOTIFY:
      if (wParam == kTreeViewId) return OnTreeNotify(window, reinterpret_cast<NMHDR*>(lParam));
      break;
    case kAskBeforeSelectionMessage:
      AskBeforeSelection(reinterpret_cast<HTREEITEM>(lParam));
      return 0;
    case WM_COMMAND:
      if (OnBrowserCommand(window, CommandOf(wParam, lParam))) return 0;
      break;
    case WM_CLOSE:
      if (MayLeaveNote()) CloseBrowserWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      // As a text editor does: Yes saves, No drops, Cancel refuses to end
      // the session. The add-in's own close asks without Cancel.
      return !IsNoteBrowser() || SettleEditedNote((lParam & kEndOfSessionByForce) != 0) ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam != 0) CloseAddin();  // the session ends: the add-in closes as at the host's close
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the control the user was in is kept while another
      // window is active, and has the keys again when the browser is back.
      if (LOWORD(wParam) == WA_INACTIVE) g_state.browserFocus = GetFocus();
      break;
    case WM_SETFOCUS:
      SetFocus(GetParent(g_state.browserFocus) == window && IsWindowEnabled(g_state.browserFocus) ? g_state.browserFocus
                                                                                              : g_state.treeView);
      return 0;
    case WM_DESTROY:
      OnBrowserDestroyed();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void OpenBrowser() {
  RegisterBrowserClass();
  const POINT corner = ScreenCentredCorner(kBrowserWidth, kBrowserHeight);
  g_state.browserWindow = CreateWindowExA(WS_EX_WINDOWEDGE, kBrowserClass,
                                          IsNoteBrowser() ? "Note Browser" : "Error Browser",
                                          WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, corner.x, corner.y,
                                          kBrowserWidth, kBrowserHeight, nullptr, nullptr, g_state.moduleInstance,
                                          nullptr);
}

void OpenBrowserInMode(uint32_t mode) {
  // The mode must be set before the window is created: its class, caption
  // and controls depend on it.
  g_state.browserMode = mode;
  OpenBrowser();
  if (IsNoteBrowser()) {
    FillNoteCatalogue();
  } else {
    FillErrorCatalogue();
  }
  // The keys go through the tree first. A tree without a selected item
  // takes no arrow key, so its first root is selected, as the platform's
  // tree does itself when it gets the focus empty: no error or note is shown.
  SendMessageA(g_state.treeView, TVM_SELECTITEM, TVGN_CARET,
               reinterpret_cast<LPARAM>(NextTreeItem(g_state.treeView, nullptr, TVGN_ROOT)));
  SetFocus(g_state.treeView);
}


void InsertToolRoots(bool sixRoots) {
  const uint32_t lastSlot = sixRoots ? 6 : 5;
  for (uint32_t slot = 1; slot <= lastSlot; ++slot) {
    // The Note Browser gathers both RC families under one root in slot 5.
    const char* text = !sixRoots && slot == 5 ? "RC" : ToolFamilyOfSlot(slot)->label;
    g_state.rootItems[slot] = InsertTreeItem(TVI_ROOT, text, TVIF_TEXT | TVIF_IMAGE, kRootImage, 0);
  }
}

HTREEITEM InsertTreeItem(HTREEITEM parent, const char* text, UINT mask, int image, LPARAM data, HTREEITEM after) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = mask;
  insert.item.pszText = const_cast<char*>(text);
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(g_state.treeView, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM NextTreeItem(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

LPARAM TreeItemData(HTREEITEM item) {
  TVITEMA data = {};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  SendMessageA(g_state.treeView, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return data.lParam;
}


}  // namespace orva
