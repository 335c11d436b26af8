// The message box that tells why a note could not be saved, read or deleted.
#include "ui/window_routines/note_failure.h"

#include "lookup/text.h"

namespace orva {

const char kNoteNotSaved[] = "could not be saved";
const char kNoteNotRead[] = "could not be read";
const char kNoteNotDeleted[] = "could not be deleted";

namespace {

constexpr size_t kReasonSize = 256;

// The system's own words for error, without the line break they end in; the
// number itself when the system has no words for it.
void SystemReason(DWORD error, char (&out)[kReasonSize]) {
  ZeroFill(out);
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      out, kReasonSize, nullptr);
  if (length == 0 || length >= kReasonSize) {
    ZeroFill(out);
    wsprintfA(out, "System error %lu.", error);
    return;
  }
  for (size_t end = TextLength(out); end > 0 && (out[end - 1] == '\r' || out[end - 1] == '\n' || out[end - 1] == ' ');
       --end) {
    out[end - 1] = 0;
  }
}

}  // namespace

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
  MessageBoxA(owner, message, nullptr, MB_OK | MB_ICONERROR);
}

}  // namespace orva
