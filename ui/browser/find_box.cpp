// The find box ("ORVARA_Find"): owned by the Error Browser, made at its first
// use and hidden when closed, so that F3 finds its words again; it goes with
// the browser, which owns it. Its class is registered while it exists.
#include "ui/browser/find_box.h"

#include "lookup/word_search.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/browser/error_catalogue.h"
#include "ui/window_routines/window_keys.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

LRESULT CALLBACK FindBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The words typed: at most 63 characters, so at most 32 words.
constexpr int kFindTextLimit = 63;
constexpr size_t kMaxFindWords = 32;

HWND FindBoxControl(int id) { return GetDlgItem(g_state.findBox, id); }

// F3 and Ctrl+F work in the box as in the browser; Enter is its default
// button, Find Next, through the dialog manager (DM_GETDEFID).
const ACCEL kFindBoxKeys[] = {
    {FVIRTKEY | FCONTROL, 'F', kShowFindBoxCommand},
    {FVIRTKEY, VK_F3, kFindNextButtonId},
};

void CreateFindControls(HWND box) {
  const HWND controls[4] = {
      CreateChildControl(box, WS_EX_CLIENTEDGE, "EDIT", nullptr, WS_TABSTOP | ES_AUTOHSCROLL, 5, 6, 144, 21,
                         kFindEditId),
      CreateChildControl(box, 0, "BUTTON", "Find Next", WS_TABSTOP | BS_DEFPUSHBUTTON, 154, 5, 67, 23,
                         kFindNextButtonId),
      CreateChildControl(box, 0, "STATIC", nullptr, SS_LEFTNOWORDWRAP, 7, 36, 142, 16, kFindStatusId),
      CreateChildControl(box, 0, "BUTTON", "Close", WS_TABSTOP, 154, 32, 67, 23, kCloseButtonId),
  };
  for (HWND control : controls) ApplySharedFont(control);
  SendMessageA(controls[0], EM_LIMITTEXT, kFindTextLimit, 0);
  g_state.findKeys = CreateWindowKeys(kFindBoxKeys);
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

// Find Next (Enter as well), Close and Escape, the keys of the box's table,
// and the keys every window has.
bool OnFindBoxCommand(HWND box, WORD command) {
  switch (command) {
    case kFindNextButtonId:
      FindAgain();
      return true;
    case kCloseButtonId:
    case IDCANCEL:
      HideFindBox();
      return true;
    case kShowFindBoxCommand:
      ShowFindBox();  // the words selected, to be typed over
      return true;
    default:
      return OnWindowKeyCommand(box, command);
  }
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
  if (g_state.findBox != nullptr) DestroyWindow(g_state.findBox);
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
      if (OnFindBoxCommand(window, CommandOf(wParam, lParam))) return 0;
      break;
    case DM_GETDEFID:
      return MAKELRESULT(kFindNextButtonId, DC_HASDEFID);
    case WM_CLOSE:  // the caption's close box hides the box, as Close does
      HideFindBox();
      return 0;
    case WM_SETFOCUS:
      SetFocus(GetDlgItem(window, kFindEditId));
      return 0;
    case WM_DESTROY:
      // With the browser that owns it, or by ForgetFindBox.
      g_state.findBox = nullptr;
      if (g_state.findKeys != nullptr) DestroyAcceleratorTable(g_state.findKeys);
      g_state.findKeys = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

}  // namespace orva
