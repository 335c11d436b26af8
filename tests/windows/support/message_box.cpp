#include "tests/windows/support/message_box.h"

#include <gtest/gtest.h>

MessageBoxSeen g_box;

namespace {

UINT_PTR g_timer;
int g_answer;
void (*g_beforeAnswer)();
HWND g_answered;  // the box answered last: its answer may still be on its way
UINT_PTR g_watch;
HWND g_waiting;  // a box the watch saw unanswered at its last tick

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return;
  StopAnswering();
  g_answered = dialog;
  g_box.shown = true;
  g_box.owner = GetWindow(dialog, GW_OWNER);
  g_box.caption = TextOf(dialog);
  g_box.text = TextOf(GetDlgItem(dialog, 0xFFFF));  // the message text's static
  g_box.yes = GetDlgItem(dialog, IDYES) != nullptr;
  g_box.no = GetDlgItem(dialog, IDNO) != nullptr;
  g_box.ok = GetDlgItem(dialog, IDOK) != nullptr;
  g_box.cancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
  // Taken first: what runs while the box is up may stand by for another box.
  const int answer = g_answer;
  if (g_beforeAnswer != nullptr) g_beforeAnswer();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

void CALLBACK DismissUnexpectedBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr || dialog == g_answered || g_timer != 0) {
    g_waiting = nullptr;
    return;
  }
  // A test may arm its answer a moment after the box came (a box that
  // follows another): only a box still unanswered at the next tick is one
  // nobody expects.
  if (dialog != g_waiting) {
    g_waiting = dialog;
    return;
  }
  ADD_FAILURE() << "a message box that the test did not expect: \"" << TextOf(GetDlgItem(dialog, 0xFFFF))
                << "\" (caption \"" << TextOf(dialog) << "\")";
  g_answered = dialog;
  // The answer that changes least: Cancel where the box has it, else No, else OK.
  const int answer = GetDlgItem(dialog, IDCANCEL) != nullptr ? IDCANCEL : GetDlgItem(dialog, IDNO) != nullptr ? IDNO : IDOK;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

}  // namespace

void WatchForUnexpectedMessageBoxes(bool on) {
  if (g_watch != 0) KillTimer(nullptr, g_watch);
  g_watch = on ? SetTimer(nullptr, 0, 150, DismissUnexpectedBox) : 0;
}

void AnswerNextMessageBox(int answer, void (*beforeAnswer)()) {
  StopAnswering();
  g_box = MessageBoxSeen{};
  g_answer = answer;
  g_beforeAnswer = beforeAnswer;
  g_timer = SetTimer(nullptr, 0, 30, AnswerMessageBox);
}

void StopAnswering() {
  if (g_timer != 0) KillTimer(nullptr, g_timer);
  g_timer = 0;
}

std::string SystemWords(DWORD error) {
  char words[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, words, sizeof words,
                 nullptr);
  std::string text = words;
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}
