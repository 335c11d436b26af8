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

// The host's message loop need not run dialog navigation for the add-in's
// windows, so each window does its keys itself: every key pressed in control
// is first offered to its window (kControlKeyMessage), and a key the window
// takes never reaches the control. Its mouse messages go to the lookup
// window's tooltip control, which names an icon's action while the cursor
// rests on it (and passes over any other window): told by the icons rather
// than left to watch them, since under Wine its watch made every message an
// icon receives dearer, and a moving border is several messages to two
// icons. The control's own procedure is kept in its user data, which the
// add-in's controls leave to their creator.
void RouteInput(HWND control);
// Offers one key pressed in control to its window; true when it took it.
// Ctrl+A in an edit field selects all its text, whichever window it is in.
bool OfferKeyToWindow(HWND control, WPARAM key);

// Tab (Shift+Tab): the keyboard focus moves to the next (previous) control
// of window, in the order the controls were created, that can take it:
// shown, enabled, and not a label or an icon.
void MoveFocus(HWND window);

// The open note editor or browser comes to the front, restored if it was
// minimised, with the keyboard focus where its user left it; false when
// neither is open. While one is open the lookup window is disabled behind
// it, and a user who reaches for ORVA (its menu item, a number in the build
// output, a click on the lookup window) means that one.
bool BringOpenEditorOrBrowserForward();

// A closed note editor or browser hands the keyboard focus back to the
// lookup window's input box, when the window is on screen: the platform
// would hand it to whichever window it picks, often the host's code window.
void ReturnToLookupWindow();

// The tree view's and the tooltip's window classes are comctl32's to
// register when asked, and a host is not obliged to have asked.
void RegisterCommonControlClasses();

}  // namespace orva
