// The find box ("ORVARA_Find"): owned by the Error Browser, made at its first
// use and hidden when closed, so that F3 finds its words again; it goes with
// the browser, which owns it. Its class is registered while it exists.
#include "ui/browser/find_box.h"

#include "lookup/word_search.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/browser/error_catalogue.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

const char kFindBoxClass[] = "ORVARA_Find";

LRESULT CALLBACK FindBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The words typed: at most 63 characters, so at most 32 words.
constexpr int kFindTextLimit = 63;
constexpr size_t kMaxFindWords = 32;

HWND FindBoxControl(int id) { return GetDlgItem(g_state.findBox, id); }

void CreateFindControls(HWND box) {
  const HWND controls[4] = {
      CreateChildControl(box, WS_EX_CLIENTEDGE, "EDIT", nullptr, ES_AUTOHSCROLL, 5, 6, 144, 21, kFindEditId),
      CreateChildControl(box, 0, "BUTTON", "Find Next", BS_DEFPUSHBUTTON, 154, 5, 67, 23, kFindNextButtonId),
      CreateChildControl(box, 0, "STATIC", nullptr, SS_LEFTNOWORDWRAP, 7, 36, 142, 16, kFindStatusId),
      CreateChildControl(box, 0, "BUTTON", "Close", 0, 154, 32, 67, 23, kCloseButtonId),
  };
  for (HWND control : controls) {
    ApplySharedFont(control);
    RouteInput(control);
  }
  SendMessageA(controls[0], EM_LIMITTEXT, kFindTextLimit, 0);
}

void CreateFindBox() {
  RegisterWindowClass(kFindBoxClass, FindBoxProc, 0, nullptr);
  RECT browser = {};
  GetWindowRect(g_state.browserWindow, &browser);
  const POINT corner = FindBoxCorner(browser, GetSystemMetrics(SM_CXSCREEN));
  g_state.findBox = CreateWindowExA(WS_EX_TOOLWINDOW, kFindBoxClass, "Find", WS_POPUP | WS_CAPTION | WS_SYSMENU, corner.x,
                              corner.y, kFindBoxWidth, kFindBoxHeight, g_state.browserWindow, nullptr,
                              g_state.moduleInstance, nullptr);
}

// Hidden, not destroyed: F3 finds the same words again. The browser, which
// owns the box, becomes active again and gives its tree the focus.
void HideFindBox() { ShowWindow(g_state.findBox, SW_HIDE); }

LRESULT OnFindBoxKey(WPARAM key) {
  if (key == VK_ESCAPE) {
    HideFindBox();
  } else if (key == VK_RETURN || key == VK_F3) {
    FindAgain();
  } else if (key == (kWithControl | 'F')) {
    ShowFindBox();  // the words selected, to be typed over
  } else if (key == VK_TAB) {
    MoveFocus(g_state.findBox);
  } else {
    return 0;
  }
  return 1;
}

}  // namespace

void ShowFindBox() {
  if (g_state.findBox == nullptr) CreateFindBox();
  ShowWindow(g_state.findBox, SW_SHOW);
  SetFocus(FindBoxControl(kFindEditId));
  SendMessageA(FindBoxControl(kFindEditId), EM_SETSEL, 0, -1);  // typing replaces the last words
}

void FindAgain() {
  if (g_state.findBox == nullptr) CreateFindBox();
  char typed[kFindTextLimit + 1] = {};
  GetWindowTextA(FindBoxControl(kFindEditId), typed, sizeof typed);
  const char* words[kMaxFindWords];
  const size_t count = SplitWords(typed, words, kMaxFindWords);
  char status[32] = {};
  bool show = true;
  if (count == 0) {
    AppendText(status, "Type the words to find.");
  } else {
    const FindOutcome found = FindNextError(words, count);
    if (found.total == 0) {
      AppendText(status, "No error holds these words.");
    } else {
      wsprintfA(status, "%lu of %lu", static_cast<unsigned long>(found.position),
                static_cast<unsigned long>(found.total));
      show = IsWindowVisible(g_state.findBox) != FALSE;
    }
  }
  SetControlText(FindBoxControl(kFindStatusId), status);
  if (show && !IsWindowVisible(g_state.findBox)) ShowFindBox();
}

void ForgetFindBox() {
  g_state.findBox = nullptr;
  UnregisterClassA(kFindBoxClass, g_state.moduleInstance);
}

POINT FindBoxCorner(const RECT& browser, int screenWidth) {
  if (browser.right + kFindBoxWidth <= screenWidth) return POINT{browser.right, browser.top};
  return POINT{browser.right - kFindBoxWidth - 10, browser.bottom - kFindBoxHeight - 10};
}


namespace {

LRESULT CALLBACK FindBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateFindControls(window);
      return 0;
    case WM_COMMAND:
      if (wParam == kFindNextButtonId) {
        FindAgain();
      } else if (wParam == kCloseButtonId) {
        HideFindBox();
      } else {
        break;
      }
      return 0;
    case WM_CLOSE:  // the caption's close box hides the box, as Close does
      HideFindBox();
      return 0;
    case WM_SETFOCUS:
      SetFocus(GetDlgItem(window, kFindEditId));
      return 0;
    case kControlKeyMessage:
      return OnFindBoxKey(wParam);
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

}  // namespace orva
