// The message modules beside the add-in: opened as data files, never run.
#pragma once

#include <windows.h>

#include <cstdint>

#include "lookup/message_table.h"

namespace orva {

// Opens the module at path as a data file; null when it is missing or is no
// module. A path without ".dll" gets it from the loader.
HMODULE OpenMessageModule(const char* path);
void CloseMessageModule(HMODULE module);

// The text of message number, in a buffer the caller releases with
// ReleaseMessageText; null when the module's table holds no such entry
// within its bounds. The text is the entry's own (a UTF-16 one in the ANSI
// code page), read from the table the walk reads; insert sequences ("%1")
// stand as they are.
char* FindMessage(HMODULE module, uint32_t number);
void ReleaseMessageText(char* text);

// Calls visit for every ANSI entry of the module's message table, in table
// order; nothing for a module without one.
void WalkMessageTable(HMODULE module, MessageVisitor visit, void* context);

}  // namespace orva
