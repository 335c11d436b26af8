// The lookup window ("ORVARA_Main"): the input box, four icon buttons and the
// result fields.
#pragma once

#include <windows.h>

namespace orva {

// Registers the class and creates the window, centred on the host's main
// window; its handle goes into g_state.lookupWindow.
void CreateLookupWindow();
LRESULT CALLBACK LookupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Reads the input box into currentNumber, runs the lookup and shows its outcome.
void PerformLookup();
// Empties the fields and the input box; the note icon goes grey and inert.
void ResetLookupWindow();

// Moves window so that its centre is the centre of reference.
void CentreOnWindow(HWND reference, HWND window);

}  // namespace orva
