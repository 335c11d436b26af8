// The add-in's questions and message boxes: the question about typed text,
// the box that says why a note could not be saved, read or deleted, and how
// each box is counted. A message box runs a message loop of its own, and the
// host's close can arrive through it: the close ends every box that is up
// and waits for the last one to return before the windows under them go.
#pragma once

#include <windows.h>

namespace orva {

// MessageBoxA owned by about, the window it asks about, which is disabled
// while the box is up: nothing can be typed under it, and the box hands the
// activation back to it. Counted while it is up. Answers 0 when the host's
// close came while the box was up: the caller then does nothing more, since
// its windows are going. A question the close itself asks has its answer.
int AskQuestion(HWND about, const char* text, const char* caption, UINT style);

// A question about the note name: question, the name and "?", owned by
// owner under its caption. kSaveQuestion asks before typed text goes ("Save
// the changes to the note A2008?").
extern const char kSaveQuestion[];
int AskAboutNote(HWND owner, const char* question, const char* name, UINT style);

// What could not be done with the note: the end of the sentence that says so.
extern const char kNoteNotSaved[];
extern const char kNoteNotRead[];
extern const char kNoteNotDeleted[];

// "The note for A2008 could not be saved.", a blank line, then the system's
// own words for error.
constexpr size_t kNoteFailureTextSize = 256 + 64;
void DescribeNoteFailure(const char* name, const char* failure, DWORD error, char (&text)[kNoteFailureTextSize]);

// That text in a message box owned by owner.
void ReportNoteFailure(HWND owner, const char* name, const char* failure, DWORD error);

// True while one of the add-in's boxes is up.
bool QuestionIsUp();

// The host is closing: every box of the add-in that is up is ended; each
// returns 0 once its loop runs again.
void EndOpenQuestions();

// The end of a session that cannot be refused: the lParam of the
// WM_QUERYENDSESSION with which the add-in's close asks its windows about
// typed text (Yes or No, no Cancel). The system sends it too, when it ends
// a session by force.
constexpr LPARAM kEndOfSessionByForce = 0x40000000;  // ENDSESSION_CRITICAL

}  // namespace orva
