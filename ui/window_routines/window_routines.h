// The small window routines that the lookup window, the note editor and the
// browser share. A window includes this file, never another window, to reach
// them.
#pragma once

#include <windows.h>

namespace orva {

// Destroys the picture shown on an icon control so far, loads the 16x16 icon
// resource in its place, keeps its handle in picture and shows it.
void ShowPicture(HWND control, HICON& picture, int resource, UINT loadFlags);
// Sets noteExists and shows the yellow (hasNote) or grey note picture.
void SetNoteIcon(bool hasNote);
// An etched horizontal separator from xStart to xEnd on lines y and y + 1.
void DrawEtchedLine(HDC dc, int xStart, int xEnd, int y);
// WM_SETFONT with the shared font, redraw requested.
void ApplySharedFont(HWND control);
// The top-left corner that centres a window of this outer size on the
// primary screen. On an axis where the screen is smaller than the window the
// window starts at 0, so that its caption stays on the screen.
POINT ScreenCentredCorner(int width, int height);

// Registers a window class of the add-in's module with the arrow cursor and
// the button-face background, no icon, no menu; smallIcon may be null.
void RegisterWindowClass(const char* name, WNDPROC procedure, UINT style, HICON smallIcon);

// Creates a visible child control of parent with identifier id (0: none);
// the caller gives it the shared font.
HWND CreateChildControl(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                        int y, int width, int height, int id);

// Sets a control's text; null empties it.
void SetControlText(HWND control, const char* text);

// The window that holds control: the window of the control's window class
// (or the control itself, when it is such a window).
HWND TopLevelWindowOf(HWND control);

// The open note editor or browser comes to the front, restored if it was
// minimised, with its last active window activated: its question when one
// is up, so that the question is never left behind the window it disables.
// False when neither is open. While one is open the lookup window is
// disabled behind it, and a user who reaches for ORVA (its menu item, a
// number in the build output, a click on the lookup window) means that one.
bool BringOpenEditorOrBrowserForward();

// The note editor or a browser is about to go: the lookup window is enabled
// and, when the closing window is the active one, activated (or the host's
// main window, when the lookup window is hidden), as EndDialog does for a
// dialog's owner. So the platform never has to pick a window to activate,
// and the keys stay where the user was. A window manager may still hand the
// activation on a moment later: the lookup window then takes it back, as
// long as the user has done nothing since.
void HandBackActivation(HWND closing);

// The tree view's and the tooltip's window classes are comctl32's to
// register when asked, and a host is not obliged to have asked.
void RegisterCommonControlClasses();

}  // namespace orva
