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
// holds every word in any letter case. With no match the selection stays.
FindOutcome FindNextError(const char* const* words, size_t count);
// The browser has closed: what the finds kept of its tree goes.
void ForgetTreeOrder();

}  // namespace orva
