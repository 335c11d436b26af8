// The browser window in both modes: caption, size and place, small icon,
// layout, the roots' order, Expand All and Collapse All, closing, and host
// shutdown with a browser open.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/entry_points.h"
#include "tests/windows/support/addin_harness.h"
#include "tests/windows/support/import_patch.h"
#include "ui/browser/error_catalogue.h"
#include "ui/browser/note_catalogue.h"

using namespace orva;
using namespace harness;

namespace {

const char kBrowserClass[] = "ORVARA_Browser";

using Strings = std::vector<std::string>;

const Strings kErrorRoots = {"CVTRES", "LINK\\LIB\\DUMPBIN\\EDITBIN", "ML", "NMAKE", "RC (\"C\" Errors)",
                             "RC (\"W\" Errors)"};
const Strings kNoteRoots = {"CVTRES", "LINK\\LIB\\DUMPBIN\\EDITBIN", "ML", "NMAKE", "RC"};

class BrowserWindowTest : public AddinTest {
 protected:
  // As the lookup window's browser icons do it.
  HWND OpenErrorBrowser() {
    OpenBrowserInMode(kErrorBrowserIconId);
    return g_state.browserWindow;
  }
  HWND OpenNoteBrowser() {
    OpenBrowserInMode(kNoteBrowserIconId);
    return g_state.browserWindow;
  }

  HICON ClassSmallIcon() {
    WNDCLASSEXA found = {};
    found.cbSize = sizeof found;
    GetClassInfoExA(g_state.moduleInstance, kBrowserClass, &found);
    return found.hIconSm;
  }

  void ExpectClosed(HWND browser) {
    EXPECT_FALSE(IsWindow(browser)) << "the browser window still exists";
    EXPECT_EQ(nullptr, g_state.browserWindow);
    for (HWND control : {g_state.treeView, g_state.noteEdit, g_state.saveButton, g_state.deleteButton}) {
      EXPECT_EQ(nullptr, control) << "a handle of a destroyed control is kept";
    }
    EXPECT_FALSE(ClassRegistered(kBrowserClass)) << "the class outlives the browser";
    EXPECT_TRUE(IsWindowEnabled(g_state.lookupWindow)) << "the lookup window stays disabled";
  }
};

struct Control {
  const char* className;
  const char* text;
  int id;
  RECT rect;
  DWORD style;    // bits that must be set besides WS_CHILD | WS_VISIBLE
  DWORD exStyle;  // bits that must be set
};

void ExpectLayout(HWND browser, const std::vector<Control>& expected) {
  const std::vector<HWND> children = ChildrenOf(browser);
  ASSERT_EQ(expected.size(), children.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const Control& want = expected[i];
    HWND child = children[i];
    SCOPED_TRACE(std::string(want.className) + " \"" + want.text + "\"");
    EXPECT_STRCASEEQ(want.className, ClassOf(child).c_str());
    EXPECT_EQ(want.text, TextOf(child));
    EXPECT_EQ(want.id, GetDlgCtrlID(child));
    const RECT got = ClientRectOf(child);
    EXPECT_TRUE(EqualRect(&want.rect, &got))
        << "got " << got.left << "," << got.top << "," << got.right << "," << got.bottom << " expected "
        << want.rect.left << "," << want.rect.top << "," << want.rect.right << "," << want.rect.bottom;
    const DWORD style = GetWindowLongA(child, GWL_STYLE);
    const DWORD wantStyle = WS_CHILD | WS_VISIBLE | want.style;
    EXPECT_EQ(wantStyle, style & wantStyle) << std::hex << "style " << style;
    EXPECT_EQ(want.exStyle, GetWindowLongA(child, GWL_EXSTYLE) & want.exStyle);
    EXPECT_EQ("MS Sans Serif", FontFaceOf(child));
  }
}

TEST_F(BrowserWindowTest, ErrorBrowserCaptionSizePlaceAndSmallIcon) {
  HWND browser = OpenErrorBrowser();
  ASSERT_NE(nullptr, browser);
  EXPECT_EQ("Error Browser", TextOf(browser));
  RECT rect = {};
  GetWindowRect(browser, &rect);
  ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
  ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(237, rect.left);
  EXPECT_EQ(184, rect.top);
  EXPECT_EQ(550, rect.right - rect.left);
  EXPECT_EQ(400, rect.bottom - rect.top);
  EXPECT_EQ(g_state.errorBrowserPicture, ClassSmallIcon());
  EXPECT_FALSE(IsWindowEnabled(g_state.lookupWindow));
  SaveScreenshot(browser, "error_browser");
}

TEST_F(BrowserWindowTest, NoteBrowserCaptionAndSmallIcon) {
  HWND browser = OpenNoteBrowser();
  EXPECT_EQ("Note Browser", TextOf(browser));
  EXPECT_EQ(g_state.noteBrowserPicture, ClassSmallIcon());
  EXPECT_FALSE(IsWindowEnabled(g_state.lookupWindow));
}

TEST_F(BrowserWindowTest, CanBeMinimisedButNotResizedOrMaximised) {
  HWND browser = OpenErrorBrowser();
  const LONG style = GetWindowLongA(browser, GWL_STYLE);
  EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
            style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD))
      << std::hex << style;
  EXPECT_EQ(nullptr, GetWindow(browser, GW_OWNER));
}

TEST_F(BrowserWindowTest, ErrorBrowserLayout) {
  HWND browser = OpenErrorBrowser();
  const DWORD tree = WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
  ExpectLayout(browser, {
                            {"SysTreeView32", "", kTreeViewId, {5, 5, 205, 325}, tree, 0},
                            {"Button", "Expand All", kExpandAllButtonId, {22, 337, 107, 362}, 0, 0},
                            {"Button", "Collapse All", kCollapseAllButtonId, {121, 337, 206, 362}, 0, 0},
                            {"Static", "Type:", 0, {225, 5, 255, 25}, SS_SIMPLE, 0},
                            {"Edit", "", 0, {260, 5, 410, 25}, ES_READONLY, 0},
                            {"Static", "Title:", 0, {225, 25, 255, 45}, SS_SIMPLE, 0},
                            {"Edit", "", 0, {260, 25, 530, 65}, ES_READONLY | ES_MULTILINE, 0},
                            {"Edit", "", 0, {225, 65, 540, 370},
                             WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, WS_EX_CLIENTEDGE},
                        });
  const std::vector<HWND> children = ChildrenOf(browser);
  EXPECT_EQ(g_state.treeView, children[0]);
  EXPECT_EQ(g_state.browserTypeField, children[4]);
  EXPECT_EQ(g_state.browserTitleField, children[6]);
  EXPECT_EQ(g_state.browserDescriptionField, children[7]);
  EXPECT_EQ(0, GetWindowLongA(children[4], GWL_STYLE) & WS_BORDER) << "the Type field has no border";
  EXPECT_EQ(reinterpret_cast<LRESULT>(g_state.imageList), SendMessageA(g_state.treeView, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
}

TEST_F(BrowserWindowTest, NoteBrowserLayoutWithDeleteAndSaveDisabled) {
  HWND browser = OpenNoteBrowser();
  ExpectLayout(browser, {
                            {"SysTreeView32", "", kTreeViewId, {5, 5, 205, 325}, WS_BORDER | TVS_HASBUTTONS, 0},
                            {"Button", "Expand All", kExpandAllButtonId, {22, 337, 107, 362}, 0, 0},
                            {"Button", "Collapse All", kCollapseAllButtonId, {121, 337, 206, 362}, 0, 0},
                            {"RICHEDIT", "", 0, {225, 5, 540, 330}, ES_MULTILINE, WS_EX_CLIENTEDGE},
                            {"Button", "Delete", kDeleteButtonId, {225, 337, 310, 362}, WS_DISABLED, 0},
                            {"Button", "Save", kSaveButtonId, {455, 337, 540, 362}, WS_DISABLED, 0},
                        });
  const std::vector<HWND> children = ChildrenOf(browser);
  EXPECT_EQ(g_state.noteEdit, children[3]);
  EXPECT_EQ(g_state.deleteButton, children[4]);
  EXPECT_EQ(g_state.saveButton, children[5]);
  // Editable only while a note is on display: nothing typed elsewhere could be kept.
  EXPECT_NE(0, GetWindowLongA(g_state.noteEdit, GWL_STYLE) & ES_READONLY);
}

TEST_F(BrowserWindowTest, RootsCollapsedAtFirstInTextOrderWithTheExeImage) {
  OpenErrorBrowser();
  EXPECT_EQ(kErrorRoots, VisibleTexts(g_state.treeView));
  for (uint32_t slot = 1; slot <= 6; ++slot) {
    const TVITEMA data = ItemData(g_state.treeView, g_state.rootItems[slot]);
    EXPECT_EQ(0, data.iImage) << "slot " << slot;
    EXPECT_EQ(0, data.iSelectedImage) << "slot " << slot;
  }
  EXPECT_EQ("ML", ItemText(g_state.treeView, g_state.rootItems[1]));
  EXPECT_EQ("RC (\"W\" Errors)", ItemText(g_state.treeView, g_state.rootItems[6]));
}

TEST_F(BrowserWindowTest, ExpandAllShowsEveryItemAndCollapseAllTheRootsAlone) {
  HWND browser = OpenErrorBrowser();
  Click(GetDlgItem(browser, kExpandAllButtonId));
  const Strings expanded = VisibleTexts(g_state.treeView);
  EXPECT_EQ(static_cast<size_t>(SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0)), expanded.size());
  EXPECT_EQ("CVTRES", expanded.front());
  SaveScreenshot(browser, "error_browser_expanded");
  Click(GetDlgItem(browser, kCollapseAllButtonId));
  EXPECT_EQ(kErrorRoots, VisibleTexts(g_state.treeView));
  // The shipped catalogue makes the tree taller than its view: Expand All
  // leaves the selection (the first root) in view.
  SendMessageA(browser, WM_CLOSE, 0, 0);
  lstrcpynA(g_state.addinFolder, BuiltAddinFolder().c_str(), kPathSize);
  browser = OpenErrorBrowser();
  RECT shown = {};
  *reinterpret_cast<HTREEITEM*>(&shown) = TreeNext(g_state.treeView, nullptr, TVGN_CARET);
  Click(GetDlgItem(browser, kExpandAllButtonId));
  SendMessageA(g_state.treeView, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&shown));
  RECT view = {};
  GetClientRect(g_state.treeView, &view);
  EXPECT_TRUE(shown.top >= 0 && shown.bottom <= view.bottom)      << "the selection went out of view";
}

TEST_F(BrowserWindowTest, NoteBrowserHasOneRcRootAndCollapsesToFiveRoots) {
  PutNote("A2008", std::string("a\0", 2));
  PutNote("RW1004", std::string("w\0", 2));
  HWND browser = OpenNoteBrowser();
  EXPECT_EQ(kNoteRoots, RootTexts(g_state.treeView));
  EXPECT_EQ("RC", ItemText(g_state.treeView, g_state.rootItems[5]));
  Click(GetDlgItem(browser, kExpandAllButtonId));
  EXPECT_EQ(7u, VisibleTexts(g_state.treeView).size());
  Click(GetDlgItem(browser, kCollapseAllButtonId));
  EXPECT_EQ(kNoteRoots, VisibleTexts(g_state.treeView));
}

TEST_F(BrowserWindowTest, ExpandAllOnAnEmptyTreeDoesNothing) {
  g_state.browserMode = kErrorBrowserIconId;
  OpenBrowser();
  HWND browser = g_state.browserWindow;
  Click(GetDlgItem(browser, kExpandAllButtonId));
  EXPECT_EQ(0, SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0));
}

TEST_F(BrowserWindowTest, CloseEnablesTheLookupWindowAndUnregistersTheClass) {
  HWND browser = OpenNoteBrowser();
  SendMessageA(browser, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  ExpectClosed(browser);
}

TEST_F(BrowserWindowTest, ErrorBrowserThenNoteBrowserInOneRun) {
  HWND errors = OpenErrorBrowser();
  SendMessageA(errors, WM_CLOSE, 0, 0);
  ExpectClosed(errors);
  HWND notes = OpenNoteBrowser();
  ASSERT_TRUE(IsWindow(notes));
  EXPECT_EQ("Note Browser", TextOf(notes));
  EXPECT_EQ(g_state.noteBrowserPicture, ClassSmallIcon());
  EXPECT_EQ(6u, ChildrenOf(notes).size());
  EXPECT_EQ("RICHEDIT", ClassOf(g_state.noteEdit));
  EXPECT_EQ(kNoteRoots, RootTexts(g_state.treeView));
  SaveScreenshot(notes, "note_browser_after_error_browser");
  SendMessageA(notes, WM_CLOSE, 0, 0);
  ExpectClosed(notes);
}

TEST_F(BrowserWindowTest, HostShutdownClosesAnOpenBrowser) {
  for (uint32_t mode : {kErrorBrowserIconId, kNoteBrowserIconId}) {
    SCOPED_TRACE(mode);
    HWND browser = mode == kErrorBrowserIconId ? OpenErrorBrowser() : OpenNoteBrowser();
    g_state.life = AddinLife::Running;  // each round closes a host of its own
    DllProc(g_state.hostWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(browser));
    EXPECT_FALSE(ClassRegistered(kBrowserClass));
  }
}

// What the browser asks comctl32 to register, and whether its tree existed
// by then; the browser finds InitCommonControlsEx through GetProcAddress.
DWORD g_classesAsked;
bool g_treeBeforeAsking;
FARPROC(WINAPI* g_getProcAddress)(HMODULE, LPCSTR);

BOOL WINAPI RecordClassesAsked(const INITCOMMONCONTROLSEX* classes) {
  g_classesAsked |= classes->dwICC;
  g_treeBeforeAsking = g_state.treeView != nullptr;
  return TRUE;
}

FARPROC WINAPI GetProcAddressRecording(HMODULE module, LPCSTR name) {
  if (HIWORD(reinterpret_cast<UINT_PTR>(name)) != 0 && lstrcmpA(name, "InitCommonControlsEx") == 0) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(RecordClassesAsked));
  }
  return g_getProcAddress(module, name);
}

// A host is not obliged to have registered the tree view's class.
TEST_F(BrowserWindowTest, TreeViewClassIsAskedForBeforeTheTreeIsCreated) {
  g_classesAsked = 0;
  g_treeBeforeAsking = false;
  g_state.treeView = nullptr;
  ImportReplaced recording("kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(GetProcAddressRecording));
  ASSERT_NE(nullptr, recording.original());
  g_getProcAddress = reinterpret_cast<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(recording.original());
  OpenNoteBrowser();
  EXPECT_EQ(static_cast<DWORD>(ICC_TREEVIEW_CLASSES), g_classesAsked & ICC_TREEVIEW_CLASSES);
  EXPECT_FALSE(g_treeBeforeAsking);
}

TEST_F(BrowserWindowTest, ScreenTooSmallForTheWindowPutsItAtZero) {
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const POINT wide = ScreenCentredCorner(GetSystemMetrics(SM_CXSCREEN) + 2, 400);
  EXPECT_EQ(0, wide.x);
  EXPECT_EQ((height - 400) / 2, wide.y);
  const POINT tall = ScreenCentredCorner(550, height + 1);
  EXPECT_EQ(0, tall.y);
}

}  // namespace
