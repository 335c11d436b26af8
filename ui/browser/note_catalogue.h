// The Note Browser's catalogue: every saved note under its tool, and the
// selection, Save and Delete of a note.
#pragma once

#include "ui/browser/tree_fill.h"

namespace orva {

void FillNoteCatalogue();
// Queues the item of one note file (a file name without its folder) for the fill.
void AddNoteItem(const char* fileName, TreeFill& fill);

// Run by the browser's selection handling when a note item is selected: reads
// its name into g_state.selectedNote and loads the note.
void ShowSelectedNote();
// Button 2010; false when the note could not be written (the user is told).
bool SaveSelectedNote();
void DeleteSelectedNote();  // button 2014

// Before the note on display goes from view (another selection, Collapse
// All, the browser closing): when its text was changed since it was loaded
// or saved, asks whether to save the changes. True when the browser may go
// on: nothing was changed, the user answered No (the changes are dropped),
// or Yes and the note was saved; false when it could not be saved, and the
// text stays for the user.
bool SettleEditedNote();
// The text on display counts as unchanged from here on.
void MarkNoteUnchanged();

}  // namespace orva
