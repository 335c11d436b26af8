// The Error Browser's catalogue: every message of the six modules as a tree
// item under its tool, and the detail of the selected one.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "lookup/message_table.h"

namespace orva {

void FillErrorCatalogue();
void ShowErrorDetail(HTREEITEM root, uint32_t number);

// Where a find stands: the found item is match position of total, in tree
// order; total 0 when no error holds the words.
struct FindOutcome {
  uint32_t position;
  uint32_t total;
};

// Selects, and so shows, the next error after the tree's selection, in tree
// order and wrapping around at the end, whose name, title or description
// holds every word in any letter case; words that are exactly an error's
// name find that error first. With no match the selection stays.
FindOutcome FindNextError(const char* const* words, size_t count);
// The same without the selection: the item the find would select (null with
// no match) and where it stands.
FindOutcome LocateNextError(const char* const* words, size_t count, HTREEITEM* next);
// The browser has closed: the modules its fill opened and the order it kept
// for the finds go.
void CloseErrorCatalogue();

}  // namespace orva
