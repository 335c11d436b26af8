// The message-table layout of a message module, read from its bytes: the walk
// that lists every ANSI entry, and the entry of one number. Portable: no
// Windows header.
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

// Whether an entry's text is UTF-16: the lowest bit of the Flags word, as the
// platform's formatter reads it, whatever the other bits say.
inline bool IsUtf16Entry(uint16_t flags) { return (flags & 1) != 0; }

using MessageVisitor = void (*)(void* context, uint32_t number, const MessageEntry& entry);

// The walk and the lookup mark every byte of the table they have read, a bit
// a byte, in memory the caller gives them: this many bytes, zero-filled.
constexpr size_t WalkMarksSize(size_t tableSize) { return tableSize / 8 + 1; }

// Calls visit once for every ANSI entry, in table order. A zero word before an
// entry is skipped; a block's entries from its first UTF-16 one on are read
// but not listed. Every read is bounded by size: a block whose offsets or
// lengths point outside the table, or whose entry is shorter than its own
// header, ends there, and a block descriptor beyond the table ends the walk.
// No byte is read twice: a block ends where it runs into entries another
// block has read, or into the next block's entries. So all blocks together
// read at most one entry per 4 bytes of the table, whatever their
// descriptors claim; a block whose entries lie in a gap between other
// blocks' entries is read like any other.
void WalkMessageTableBytes(const uint8_t* table, size_t size, uint8_t* marks, MessageVisitor visit, void* context);

// The entry of number, UTF-16 ones included: the first that the walk's
// reading of the table comes to, so that every number the walk lists is
// found. marks as for the walk. False when the reading holds no entry of
// that number.
bool FindMessageEntry(const uint8_t* table, size_t size, uint8_t* marks, uint32_t number, MessageEntry* found);

}  // namespace orva
