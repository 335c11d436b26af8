// The browser window. (Being built.)
#include "ui/browser/browser_window.h"

namespace orva {

void OpenBrowser() {}

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

void InsertToolRoots(bool) {}
void ExpandOrCollapseRoots(HWND, UINT) {}
void CloseBrowser() {}

}  // namespace orva
