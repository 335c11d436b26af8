// The word search: do a message's texts hold every word the user gave? The
// console's --search and the Error Browser's find both ask it. Portable: no
// Windows header.
#pragma once

#include <cstddef>

#include "lookup/tool_table.h"

namespace orva {

// True when each word occurs in one of the texts, in any letter case (the
// capitals and small letters of Windows-1252, the code page the catalogue is
// written in, whatever the system's ANSI code page is), anywhere, also
// inside a longer word: "extern" finds "external". No word runs from one
// text into the next.
bool TextsHoldAllWords(const TextPiece* texts, size_t textCount, const char* const* words, size_t count);

// The same over a message's title and description.
bool HoldsAllWords(const MessagePieces& message, const char* const* words, size_t count);

// Cuts text in place at its blanks (spaces and tabs) and puts its words into
// words, at most capacity of them; answers how many there are. A text of n
// characters has at most (n + 1) / 2 words.
size_t SplitWords(char* text, const char** words, size_t capacity);

}  // namespace orva
