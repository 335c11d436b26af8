// The browser window: a tree of tool roots and their items beside a detail
// area, as Note Browser (mode 2003) or Error Browser (mode 2004).
#pragma once

#include <windows.h>

namespace orva {

// Creates and shows the browser in the mode g_state.browserMode names; the
// caller then fills its tree.
void OpenBrowser();
LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Inserts the Error Browser's six roots (sixRoots true) or the Note Browser's
// five into g_state.rootItems.
void InsertToolRoots(bool sixRoots);

// TVE_EXPAND or TVE_COLLAPSE on every top-level item.
void ExpandOrCollapseRoots(HWND tree, UINT action);

// Closes an open browser (host shutdown); nothing when none is open.
void CloseBrowser();

}  // namespace orva
