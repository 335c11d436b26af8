// The browser window: a tree of tool roots and their items beside a detail
// area, as Note Browser (mode 2003) or Error Browser (mode 2004).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace orva {

// Creates and shows the browser in the mode g_state.browserMode names; the
// caller then fills its tree. Closing it asks about a changed note first; so
// does the end of the session (WM_QUERYENDSESSION), and the add-in's close,
// which cannot be refused (Yes or No).
void OpenBrowser();

// What a browser icon does: sets the mode (2003 Note Browser, 2004 Error
// Browser), opens the browser and fills its tree from the notes folder or
// from the message modules.
void OpenBrowserInMode(uint32_t mode);
// Inserts the Error Browser's six roots (sixRoots true) or the Note Browser's
// five into g_state.rootItems.
void InsertToolRoots(bool sixRoots);

// Images of the shared image list on the tree's items.
constexpr int kRootImage = 0;  // the ".exe" file-type icon: tool roots
constexpr int kItemImage = 1;  // the ".note" file-type icon: errors and notes

// Inserts an item with sorted placement below parent (TVI_ROOT for a root),
// or where after says; mask says which of text, image, selected image and
// data it carries.
HTREEITEM InsertTreeItem(HTREEITEM parent, const char* text, UINT mask, int image, LPARAM data,
                         HTREEITEM after = TVI_SORT);

// The item in this relation (TVGN_...) to item.
HTREEITEM NextTreeItem(HWND tree, HTREEITEM item, WPARAM relation);
// The data of an item of the browser's tree: an error item's message number.
LPARAM TreeItemData(HTREEITEM item);

}  // namespace orva
