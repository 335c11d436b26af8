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
void SaveSelectedNote();    // button 2010
void DeleteSelectedNote();  // button 2014

}  // namespace orva
