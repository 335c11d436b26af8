// The lookup window ("ORVARA_Main"): the input box, four icon buttons and the
// result fields; and the small routines other windows share with it.
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

// Destroys the picture shown on an icon control so far, loads the 16x16 icon
// resource in its place, keeps its handle in picture and shows it.
void ShowPicture(HWND control, HICON& picture, int resource, UINT loadFlags);
// Sets noteExists and shows the yellow (hasNote) or grey note picture.
void SetNoteIcon(bool hasNote);
// An etched horizontal separator from xStart to xEnd on lines y and y + 1.
void DrawEtchedLine(HDC dc, int xStart, int xEnd, int y);
// WM_SETFONT with the shared font, redraw requested.
void ApplySharedFont(HWND control);
// Moves window so that its centre is the centre of reference.
void CentreOnWindow(HWND reference, HWND window);

}  // namespace orva
