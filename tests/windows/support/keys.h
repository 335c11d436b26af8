// Keys pressed as the user presses them: real key events through the
// system's input (SendInput), which reach the control that has the keyboard
// focus of the foreground window, then the thread's messages run.
#pragma once

#include <windows.h>

#include <initializer_list>

struct Key {
  BYTE vk;
  bool withControl;
  bool withShift;
};

// Presses and releases key, with Ctrl (and Shift) held around it when asked.
void PressKey(BYTE key, bool withControl = false, bool withShift = false);

// Presses the keys one after the other, all given to the system at once:
// keys meant for a menu or a message box must be waiting when the menu or
// box starts its own message loop, since the thread runs no more of the
// test until that loop ends.
void PressKeys(std::initializer_list<Key> keys);

// A click of the left mouse button at point of window's client area, through
// the system's input as the mouse gives it.
void ClickAt(HWND window, POINT point);

// Each character of text as the key that types it (letters, digits, blank,
// and a few signs; letters come out in lower case unless the control makes
// them upper case).
void TypeKeys(const char* text);
