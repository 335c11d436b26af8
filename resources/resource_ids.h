// Every number the add-in's windows and resources are known by: icon
// resources, control and timer identifiers, and window sizes. Kept in one
// place so that each number appears once. Included by orvara.rc as well.
#pragma once

// Icon resources (16x16, 16 colours).
#define IDI_ORVA 1            // the module's own icon; the add-in never loads it
#define IDI_COLLAPSE 2        // triangle pointing up: the window is expanded
#define IDI_EXPAND 3          // triangle pointing down: the window is compact
#define IDI_NOTE_PRESENT 4    // yellow note sheet
#define IDI_NO_NOTE 5         // grey note sheet
#define IDI_NOTE_BROWSER 6    // magnifying glass
#define IDI_ERROR_BROWSER 7   // binoculars

#ifndef RC_INVOKED
namespace orva {

// The lookup window's icon controls; a browser's mode is the identifier of
// the icon that opened it.
constexpr int kToggleIconId = 2001;
constexpr int kNoteIconId = 2002;
constexpr int kNoteBrowserIconId = 2003;
constexpr int kErrorBrowserIconId = 2004;

// The note editor's and the browser's buttons and tree.
constexpr int kSaveButtonId = 2010;
constexpr int kCloseButtonId = 2011;
constexpr int kExpandAllButtonId = 2012;
constexpr int kCollapseAllButtonId = 2013;
constexpr int kDeleteButtonId = 2014;
constexpr int kTreeViewId = 2015;

// The Error Browser's find box: its edit field, Find Next button and status
// line; its Close button is kCloseButtonId.
constexpr int kFindEditId = 2016;
constexpr int kFindNextButtonId = 2017;
constexpr int kFindStatusId = 2018;

// Commands of the keys every window of the add-in has (besides Escape,
// which is IDCANCEL): Tab and Shift+Tab move through the controls that are
// tab stops, Ctrl+A selects all the text of an edit field.
constexpr int kNextControlCommand = 2020;
constexpr int kPreviousControlCommand = 2021;
constexpr int kSelectAllCommand = 2022;
// Ctrl+F in the Error Browser and its find box: the find box, its words
// selected. (F3 is kFindNextButtonId, the find box's Find Next.)
constexpr int kShowFindBoxCommand = 2023;

// The Note Browser asks about an edited note after its tree has refused the
// selection change (WM_APP + 2): lParam is the item the user chose.
constexpr unsigned kAskBeforeSelectionMessage = 0x8002;

// The lookup window was deactivated right after a closing editor or browser
// had handed it the keys (WM_APP + 3): it takes them back, when the user did
// nothing meanwhile.
constexpr unsigned kTakeBackKeysMessage = 0x8003;
// How long after the close a window manager's hand-over counts as part of it.
constexpr unsigned kTakeBackMilliseconds = 1000;

// The lookup window's hover timer.
constexpr unsigned kHoverTimerId = 3000;
constexpr unsigned kHoverTimerPeriod = 10;  // milliseconds

// The add-in's window classes: the lookup window's for as long as the add-in
// runs, the others' while such a window is open.
inline constexpr char kLookupWindowClass[] = "ORVARA_Main";
inline constexpr char kNoteEditorClass[] = "ORVARA_Note";
inline constexpr char kBrowserClass[] = "ORVARA_Browser";
inline constexpr char kFindBoxClass[] = "ORVARA_Find";

// Outer window sizes in pixels.
constexpr int kExpandedWidth = 450;
constexpr int kExpandedHeight = 383;
constexpr int kCompactWidth = 200;
constexpr int kCompactHeight = 55;
constexpr int kNoteEditorWidth = 400;
constexpr int kNoteEditorHeight = 275;
constexpr int kBrowserWidth = 550;
constexpr int kBrowserHeight = 400;
constexpr int kFindBoxWidth = 232;
constexpr int kFindBoxHeight = 84;

// Note editor modes.
constexpr int kCreateNoteMode = 1;
constexpr int kEditNoteMode = 2;

// Host protocol: requests to the host's main window, notifications, and the
// word request to a host text window.
constexpr unsigned kHostGetHandles = 1074;
constexpr unsigned kHostGetProcs = 1075;
constexpr unsigned kHostGetData = 1076;
constexpr unsigned kHostGetMenuId = 1077;
constexpr unsigned kHostMenuRebuilt = 1135;
constexpr unsigned kHostWordPicked = 1151;
constexpr unsigned kHostWordRequest = 2039;
constexpr unsigned kHostWordSize = 32;
constexpr unsigned kHookWord = 0x40004005;

}  // namespace orva
#endif
