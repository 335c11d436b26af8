// Walk of a message table held as bytes, and the entry of one number.
#include "lookup/message_table.h"

namespace orva {
namespace {

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

constexpr uint64_t kBlockOffset = 4;
constexpr uint64_t kBlockSize = 12;
constexpr uint64_t kEntryHeader = 4;

// Offsets are computed in 64 bits so that no sum of 32-bit fields can wrap
// back into the table.
bool Fits(uint64_t at, uint64_t count, size_t size) { return at <= size && count <= size - at; }
// The same within the table, where every offset is a size.
bool FitsIn(size_t at, size_t count, size_t end) { return at <= end && count <= end - at; }

// The entry at position, as the walk and the lookup both read it: a zero
// word before it is skipped, and it must lie before end and be at least its
// header long, so that every step passes 4 bytes or more. next is where the
// entry after it starts.
bool ReadEntry(const uint8_t* table, size_t position, size_t end, MessageEntry* entry, size_t* next) {
  if (!FitsIn(position, 2, end)) return false;
  if (Read16(table + position) == 0) position += 2;
  if (!FitsIn(position, kEntryHeader, end)) return false;
  const uint16_t length = Read16(table + position);
  if (length < kEntryHeader || !FitsIn(position, length, end)) return false;
  *entry = {length, Read16(table + position + 2), reinterpret_cast<const char*>(table + position + kEntryHeader),
            static_cast<size_t>(length - kEntryHeader)};
  *next = position + length;
  return true;
}

// Marks the bytes at from and up to to as read, unless one of them is marked
// already: then nothing is marked and the answer is false. Whole bytes of
// marks are taken at once, so a reading costs about one step per 8 bytes.
bool MarkRead(uint8_t* marks, size_t from, size_t to) {
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t at = from; at < to;) {
      const bool whole = at % 8 == 0 && to - at >= 8;
      const uint8_t bits = whole ? 0xFF : static_cast<uint8_t>(1u << (at % 8));
      if (pass == 0 && (marks[at / 8] & bits) != 0) return false;
      if (pass == 1) marks[at / 8] |= bits;
      at += whole ? 8 : 1;
    }
  }
  return true;
}

// Reads the blocks' entries in table order, as the walk and the lookup both
// read them, and hands each to take with its block and number; take answers
// false to end the reading. A block that claims more numbers than its bytes
// hold is cut where the next block's entries begin, when they lie after its
// own, and where it runs into entries read before: each entry taken marks at
// least 4 bytes that no entry marked before, the zero word before it included.
using EntryTaker = bool (*)(void* context, uint32_t block, uint32_t number, const MessageEntry& entry);

void ReadEntries(const uint8_t* table, size_t size, uint8_t* marks, EntryTaker take, void* context) {
  if (!Fits(0, 4, size)) return;
  const uint32_t blocks = Read32(table);
  for (uint32_t b = 0; b < blocks; ++b) {
    const uint64_t descriptor = kBlockOffset + kBlockSize * b;
    if (!Fits(descriptor, kBlockSize, size)) return;
    const uint32_t low = Read32(table + descriptor);
    const uint32_t high = Read32(table + descriptor + 4);
    size_t position = Read32(table + descriptor + 8);
    size_t end = size;
    if (b + 1 < blocks && Fits(descriptor + kBlockSize, kBlockSize, size)) {
      const size_t next = Read32(table + descriptor + kBlockSize + 8);
      if (next > position && next < end) end = next;
    }
    uint32_t number = low;
    MessageEntry entry;
    size_t next = 0;
    for (uint32_t remaining = high - low + 1; remaining != 0; --remaining) {
      if (!ReadEntry(table, position, end, &entry, &next) || !MarkRead(marks, position, next)) break;
      if (!take(context, b, number, entry)) return;
      number += 1;
      position = next;
    }
  }
}

struct Listing {
  MessageVisitor visit;
  void* context;
  uint32_t wideBlock;  // the block whose UTF-16 entry ended its listing, plus one; 0 for none
};

bool ListAnsiEntry(void* context, uint32_t block, uint32_t number, const MessageEntry& entry) {
  Listing& listing = *static_cast<Listing*>(context);
  if (IsUtf16Entry(entry.flags)) listing.wideBlock = block + 1;
  if (listing.wideBlock != block + 1) listing.visit(listing.context, number, entry);
  return true;
}

struct Search {
  uint32_t number;
  MessageEntry* found;
  bool got;
};

bool TakeWanted(void* context, uint32_t, uint32_t number, const MessageEntry& entry) {
  Search& search = *static_cast<Search*>(context);
  if (number != search.number) return true;
  *search.found = entry;
  search.got = true;
  return false;
}

}  // namespace

void WalkMessageTableBytes(const uint8_t* table, size_t size, uint8_t* marks, MessageVisitor visit, void* context) {
  Listing listing{visit, context, 0};
  ReadEntries(table, size, marks, ListAnsiEntry, &listing);
}

bool FindMessageEntry(const uint8_t* table, size_t size, uint8_t* marks, uint32_t number, MessageEntry* found) {
  // A number that no block claims is not read for. A block claims HighId -
  // LowId + 1 numbers from LowId on, counted as the reading counts them.
  bool claimed = false;
  const uint32_t blocks = Fits(0, 4, size) ? Read32(table) : 0;
  for (uint32_t b = 0; !claimed && b < blocks && Fits(kBlockOffset + kBlockSize * b, kBlockSize, size); ++b) {
    const uint32_t low = Read32(table + kBlockOffset + kBlockSize * b);
    claimed = number - low < Read32(table + kBlockOffset + kBlockSize * b + 4) - low + 1;
  }
  if (!claimed) return false;
  Search search{number, found, false};
  ReadEntries(table, size, marks, TakeWanted, &search);
  return search.got;
}

}  // namespace orva
