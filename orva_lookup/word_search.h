// The word search of orva-lookup --search: does a message's title or
// description hold every word the user gave? Portable: no Windows header.
#pragma once

#include <cstddef>

#include "lookup/tool_table.h"

namespace orva {

// True when each word occurs in the title or in the description, in any
// letter case (the letters of the Windows ANSI code page the texts are in),
// anywhere, also inside a longer word: "extern" finds "external".
bool HoldsAllWords(const MessagePieces& message, const char* const* words, size_t count);

}  // namespace orva
