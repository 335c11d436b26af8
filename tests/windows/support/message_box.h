// Answers the message boxes that a test's clicks bring up, from a timer of
// the test's thread, and records what the box showed.
#pragma once

#include <windows.h>

#include <string>

struct MessageBoxSeen {
  bool shown;
  HWND owner;
  std::string text, caption;
  bool yes, no, ok, cancel;
};
extern MessageBoxSeen g_box;

// Empties g_box and stands by to answer the next message box of this thread
// with answer. Before it answers, beforeAnswer (when given) runs while the
// box is up, as whatever else may happen meanwhile.
void AnswerNextMessageBox(int answer, void (*beforeAnswer)() = nullptr);
// Stops standing by, whether a box came or not.
void StopAnswering();

// While on, a message box of this thread that no AnswerNextMessageBox stands
// by for fails the running test at once, naming its text, and is dismissed:
// a suite never waits on a box nobody answers. Every test program turns it on
// for each test (test_main.cpp).
void WatchForUnexpectedMessageBoxes(bool on);

// The system's own words for an error code, without the line break behind
// them: what a box that says why something failed shows.
std::string SystemWords(DWORD error);
