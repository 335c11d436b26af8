// The Error Browser's catalogue: every message of the six modules as a tree
// item under its tool, and the detail of the selected one.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "lookup/message_table.h"

namespace orva {

void FillErrorCatalogue();
void AddErrorItem(void* context, uint32_t number, const MessageEntry& entry);
void ShowErrorDetail(HTREEITEM root, uint32_t number);

}  // namespace orva
