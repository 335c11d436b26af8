// The message-table layout of a message module, read from its bytes: the walk
// that lists every ANSI entry, and the check that the platform's formatter can
// read one message without leaving the table. Portable: no Windows header.
//
// Layout (little-endian): NumberOfBlocks (32 bits), then that many blocks of
// LowId, HighId, OffsetToEntries (32 bits each, the offset from the start of
// the table); at OffsetToEntries one entry per number from LowId to HighId:
// Length (16 bits, the whole entry), Flags (16 bits, 1 = UTF-16), the text.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orva {

struct MessageEntry {
  uint16_t length;   // the entry's Length word
  uint16_t flags;    // 0 = ANSI text
  const char* text;  // the entry's text bytes
  size_t textSize;   // bytes of text inside the entry (Length - 4); never read beyond
};

// Whether an entry's text is UTF-16. The platform's formatter reads it so
// when the lowest bit of the Flags word is set, whatever the other bits say;
// the walk and the check before the formatter ask here, so that on this they
// agree with it and with each other. They do not agree on a zero word before
// an entry: the walk skips it and reads the entry two bytes on, the formatter
// takes the zero word for the entry's Length. Such an entry is listed, but
// the formatter reads it (and the check refuses the entries after it) by its
// own rule, so its text may show empty or not at all.
inline bool IsUtf16Entry(uint16_t flags) { return (flags & 1) != 0; }

using MessageVisitor = void (*)(void* context, uint32_t number, const MessageEntry& entry);

// Calls visit once for every ANSI entry, in table order. A zero word before an
// entry is skipped; a block ends at its first UTF-16 entry. Every read is
// bounded by size: a block whose offsets or lengths point outside the table,
// or whose entry is shorter than its own header, ends there, and a block
// descriptor beyond the table ends the walk. The blocks' entries never
// overlap: a block that starts among the entries walked before adds nothing,
// and one that runs into them, or into the next block's entries, ends there.
// So all blocks together visit at most one entry per 4 bytes of the table,
// whatever their descriptors claim.
void WalkMessageTableBytes(const uint8_t* table, size_t size, MessageVisitor visit, void* context);

// True when the platform's formatter, which trusts the table, would find the
// text of number and read it without leaving the table: every block
// descriptor it looks at, every entry it steps over, and the text up to its
// terminator lie inside. The formatter is only asked when this holds.
bool FormatterCanReadMessage(const uint8_t* table, size_t size, uint32_t number);

}  // namespace orva
