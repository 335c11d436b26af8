#include "tests/windows/support/message_box.h"

MessageBoxSeen g_box;

namespace {

UINT_PTR g_timer;
int g_answer;
void (*g_beforeAnswer)();

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
  g_box.shown = true;
  g_box.owner = GetWindow(dialog, GW_OWNER);
  g_box.caption = TextOf(dialog);
  g_box.text = TextOf(GetDlgItem(dialog, 0xFFFF));  // the message text's static
  g_box.yes = GetDlgItem(dialog, IDYES) != nullptr;
  g_box.no = GetDlgItem(dialog, IDNO) != nullptr;
  g_box.ok = GetDlgItem(dialog, IDOK) != nullptr;
  if (g_beforeAnswer != nullptr) g_beforeAnswer();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED), 0);
}

}  // namespace

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
