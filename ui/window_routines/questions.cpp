// The add-in's questions and message boxes, and what the host's close does
// to them.
#include "ui/window_routines/questions.h"

#include "notes/note_store.h"
#include "state/addin_state.h"

namespace orva {

const char kNoteNotSaved[] = "could not be saved";
const char kNoteNotRead[] = "could not be read";
const char kNoteNotDeleted[] = "could not be deleted";
const char kSaveQuestion[] = "Save the changes to the note ";

int AskQuestion(HWND owner, const char* text, const char* caption, UINT style) {
  ++g_state.questionsUp;
  const int answer = MessageBoxA(owner, text, caption, style);
  --g_state.questionsUp;
  if (g_state.installed != 0) return answer;
  // The host closed while the box was up. Its windows could not go under
  // it; they go now, once the last box has returned.
  if (g_state.questionsUp == 0 && g_state.closeAfterQuestions != nullptr) g_state.closeAfterQuestions();
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

void EndQuestionsAtClose() {
  // A box is the last active window its owner owns; a window without one
  // answers itself, and ends nothing, being no dialog. The lookup window's
  // boxes go with it when the host destroys its own window, which owns it.
  if (g_state.noteEditor != nullptr) EndDialog(GetLastActivePopup(g_state.noteEditor), 0);
  if (g_state.browserWindow != nullptr) EndDialog(GetLastActivePopup(g_state.browserWindow), 0);
}

void SettleTypedTextAtClose(HWND window, const char* name) {
  NoteText typed;
  if (TakeNoteText(typed) != ERROR_SUCCESS) return;
  NoteQuestion asked;
  ComposeNoteQuestion(window, kSaveQuestion, name, asked);
  const HWND host = g_state.hostWindow;
  const int answer = MessageBoxA(host, asked.text, asked.caption, MB_YESNO | MB_ICONQUESTION);
  // Settled: whatever closes the field next, the close that the box below
  // runs once it returns among them, has nothing left to ask about.
  SendMessageA(g_state.noteEdit, EM_SETMODIFY, FALSE, 0);
  if (answer == IDNO) {
    ReleaseNoteText(typed);
    return;
  }
  const DWORD outcome = WriteNoteText(name, typed);
  if (outcome != ERROR_SUCCESS) ReportNoteFailure(host, name, kNoteNotSaved, outcome);
}

}  // namespace orva
