// Keys pressed as the user presses them: real key events through the
// system's input (keybd_event), which reach the control that has the keyboard
// focus of the foreground window, then the thread's messages run.
#pragma once

#include <windows.h>

// Presses and releases key, with Ctrl held around it when withControl.
void PressKey(BYTE key, bool withControl = false);
