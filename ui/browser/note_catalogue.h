// The Note Browser's catalogue: every saved note under its tool, and the
// selection, Save and Delete of a note.
#pragma once

namespace orva {

void FillNoteCatalogue();
void AddNoteItem(const char* fileName);

// Run by the browser's selection handling when a note item is selected: reads
// its name into g_state.selectedNote and loads the note.
void ShowSelectedNote();
void SaveSelectedNote();    // button 2010
void DeleteSelectedNote();  // button 2014

}  // namespace orva
