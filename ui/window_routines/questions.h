// The add-in's questions and message boxes: the question about typed text,
// the box that says why a note could not be saved, read or deleted, and what
// the host's close does to them. A message box runs a message loop of its
// own, and the host's close can arrive through it: the windows under a box
// that is up must not go before it returns, the user is asked about typed
// text once more at most, and no code goes on after a box with a window the
// close has destroyed.
#pragma once

#include <windows.h>

namespace orva {

// MessageBoxA. The box hands the activation back to its owner, which gives
// the keyboard focus back to the control the user was in. Answers 0 when the
// host closed while the box was up: the caller then does nothing more, since
// its windows are gone or going (the last box to return closes them).
int AskQuestion(HWND owner, const char* text, const char* caption, UINT style);

// A question about the note name: question, the name and "?", owned by
// owner under its caption. kSaveQuestion asks before typed text goes ("Save
// the changes to the note A2008?"), with Yes, No and Cancel (Escape on the
// box answers Cancel).
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

// The host is closing: every box of the add-in that is up is ended (it
// returns 0 once its loop runs again).
void EndQuestionsAtClose();

// The host is closing with typed text not saved in the note edit field of
// window: the one question about it, under window's caption but owned by
// the host's main window, so that it stands in front and the host cannot be
// closed again behind it, with Yes and No. No drops the text; Yes saves it
// under name, and so does a box that goes without an answer (the host
// destroyed it), since the user never said to drop it. The text is taken
// before the question: the host may destroy the field while the box is up.
void SettleTypedTextAtClose(HWND window, const char* name);

}  // namespace orva
