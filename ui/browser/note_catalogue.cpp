// The Note Browser's catalogue. (Being built.)
#include "ui/browser/note_catalogue.h"

namespace orva {

void FillNoteCatalogue() {}
void AddNoteItem(const char*) {}
void ShowSelectedNote() {}
void SaveSelectedNote() {}
void DeleteSelectedNote() {}

}  // namespace orva
