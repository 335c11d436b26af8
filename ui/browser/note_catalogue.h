// The Note Browser's catalogue: every saved note under its tool, and the
// selection, Save and Delete of a note.
#pragma once

#include <windows.h>

namespace orva {

void FillNoteCatalogue();

// Run by the browser's selection handling when a note item is selected: reads
// its name into g_state.selectedNote and loads the note, which can then be
// edited; a note that cannot be read shows the reason, read-only.
void ShowSelectedNote();
// Button 2010; false when the note could not be written, or not read when
// it was selected (the user is told why).
bool SaveSelectedNote();
// Button 2014: removes the note's file, then its item. A note that cannot be
// deleted stays, item, text and all, and the user is told why.
void DeleteSelectedNote();

// Whether the note on display has changes that Save would write: its text
// was changed since it was loaded or saved, and it could be read. Never in
// the Error Browser, which has no Save.
bool SelectedNoteChanged();

// Before the note on display goes from view (another selection, Collapse
// All, the browser closing, the end of the session): with changes, asks
// whether to save them. True when the browser may go on: nothing was
// changed, the user answered No (the changes are dropped), or Yes and the
// note was saved; false on Cancel, or when it could not be saved: the note
// stays selected with its text. byForce: the add-in's close, which cannot
// be refused, asks Yes or No, and only No drops the changes.
bool SettleEditedNote(bool byForce = false);

}  // namespace orva
