// The add-in's questions and message boxes, counted while they are up, and
// what the host's close does to them.
#include "ui/window_routines/questions.h"

#include "state/addin_state.h"

namespace orva {

const char kNoteNotSaved[] = "could not be saved";
const char kNoteNotRead[] = "could not be read";
const char kNoteNotDeleted[] = "could not be deleted";
const char kSaveQuestion[] = "Save the changes to the note ";

int AskQuestion(HWND about, const char* text, const char* caption, UINT style) {
  const bool askedByClose = g_state.life == AddinLife::Closing;
  ++g_state.questionsUp;
  const int answer = MessageBoxA(about, text, caption, style);
  --g_state.questionsUp;
  if (g_state.life == AddinLife::Running || askedByClose) return answer;
  // The host's close came while the box was up. The windows under it could
  // not go; they go once the last box has returned, at the thread's next
  // message, which the message hook sees.
  if (g_state.questionsUp == 0) PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
  return 0;
}

namespace {

constexpr size_t kReasonSize = 256;

// The system's own words for error, without the line break they end in; the
// number itself when the system has no words for it, or none that fit.
void SystemReason(DWORD error, char (&out)[kReasonSize]) {
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, out, kReasonSize,
                     nullptr) == 0) {
    wsprintfA(out, "System error %lu.", error);
    return;
  }
  for (size_t end = TextLength(out); end > 0 && (out[end - 1] == '\r' || out[end - 1] == '\n' || out[end - 1] == ' ');
       --end) {
    out[end - 1] = 0;
  }
}

// "<question><name>?" under the caption of the window the question is about.
struct NoteQuestion {
  char text[64];
  char caption[64];
};
void ComposeNoteQuestion(HWND about, const char* question, const char* name, NoteQuestion& out) {
  out = NoteQuestion{};
  GetWindowTextA(about, out.caption, sizeof out.caption);
  AppendText(out.text, question, name, "?");
}

}  // namespace

int AskAboutNote(HWND owner, const char* question, const char* name, UINT style) {
  NoteQuestion asked;
  ComposeNoteQuestion(owner, question, name, asked);
  return AskQuestion(owner, asked.text, asked.caption, style);
}

void DescribeNoteFailure(const char* name, const char* failure, DWORD error, char (&text)[kNoteFailureTextSize]) {
  char reason[kReasonSize];
  SystemReason(error, reason);
  // Room for the longest name a note can have (19 characters) and the reason.
  static_assert(kNoteFailureTextSize >= kReasonSize + 64, "the reason and the sentence before it fit");
  ZeroFill(text);
  AppendText(text, "The note for ", name, " ", failure, ".\r\n\r\n", reason);
}

void ReportNoteFailure(HWND owner, const char* name, const char* failure, DWORD error) {
  char message[kNoteFailureTextSize];
  DescribeNoteFailure(name, failure, error, message);
  AskQuestion(owner, message, nullptr, MB_OK | MB_ICONERROR);
}

bool QuestionIsUp() { return g_state.questionsUp != 0; }

namespace {

// A box is the last active window its owner owns; a window without one
// answers itself, and only a message box is ended.
void EndQuestionOf(HWND owner) {
  if (owner == nullptr) return;
  const HWND box = GetLastActivePopup(owner);
  char name[16] = {};
  GetClassNameA(box, name, sizeof name);
  if (box != owner && lstrcmpA(name, "#32770") == 0) EndDialog(box, 0);
}

}  // namespace

void EndOpenQuestions() {
  EndQuestionOf(g_state.lookupWindow);
  EndQuestionOf(g_state.noteEditor);
  EndQuestionOf(g_state.browserWindow);
}

}  // namespace orva
