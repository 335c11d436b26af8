// Walk and bounds check of a message table held as bytes.
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

}  // namespace

void WalkMessageTableBytes(const uint8_t* table, size_t size, MessageVisitor visit, void* context) {
  if (!Fits(0, 4, size)) return;
  const uint32_t blocks = Read32(table);
  // The bytes the blocks before have walked, held as one span; none yet.
  size_t walkedStart = size;
  size_t walkedEnd = 0;
  for (uint32_t b = 0; b < blocks; ++b) {
    const uint64_t descriptor = kBlockOffset + kBlockSize * b;
    if (!Fits(descriptor, kBlockSize, size)) return;
    const uint32_t low = Read32(table + descriptor);
    const uint32_t high = Read32(table + descriptor + 4);
    const size_t start = Read32(table + descriptor + 8);
    // A block whose entries start among those walked already overlaps them
    // and adds nothing. Any other ends where the walked entries begin, and
    // where the next block's entries begin when they lie after its own: a
    // block that claims more numbers than its bytes hold is cut there.
    if (start >= walkedStart && start < walkedEnd) continue;
    size_t end = start < walkedStart ? walkedStart : size;
    if (b + 1 < blocks && Fits(descriptor + kBlockSize, kBlockSize, size)) {
      const size_t next = Read32(table + descriptor + kBlockSize + 8);
      if (next > start && next < end) end = next;
    }
    size_t position = start;
    uint32_t number = low;
    uint32_t remaining = high - low + 1;
    while (remaining != 0) {
      if (!FitsIn(position, 2, end)) break;
      if (Read16(table + position) == 0) position += 2;
      if (!FitsIn(position, kEntryHeader, end)) break;
      const uint16_t length = Read16(table + position);
      const uint16_t flags = Read16(table + position + 2);
      if (IsUtf16Entry(flags)) break;
      // An entry shorter than its header would not move the walk on; one
      // longer than the rest of the block's bytes would read outside them.
      if (length < kEntryHeader || !FitsIn(position, length, end)) break;
      const MessageEntry entry{length, flags, reinterpret_cast<const char*>(table + position + kEntryHeader),
                               static_cast<size_t>(length - kEntryHeader)};
      visit(context, number, entry);
      number += 1;
      position += length;
      remaining -= 1;
    }
    // The spans never overlap, and every visit takes at least 4 bytes of
    // one: all blocks together visit at most one entry per 4 bytes.
    if (position == start) continue;
    if (start < walkedStart) walkedStart = start;
    if (position > walkedEnd) walkedEnd = position;
  }
}

bool FormatterCanReadMessage(const uint8_t* table, size_t size, uint32_t number) {
  if (!Fits(0, 4, size)) return false;
  const uint32_t blocks = Read32(table);
  for (uint32_t b = 0; b < blocks; ++b) {
    const uint64_t descriptor = kBlockOffset + kBlockSize * b;
    // The formatter reads every descriptor up to the one that holds number.
    if (!Fits(descriptor, kBlockSize, size)) return false;
    const uint32_t low = Read32(table + descriptor);
    const uint32_t high = Read32(table + descriptor + 4);
    if (number < low || number > high) continue;
    uint64_t position = Read32(table + descriptor + 8);
    // It steps over the entries before number by their Length words. One
    // shorter than its header (a zero word among them) is refused, as the
    // walk ends a block there: each step then passes at least 4 bytes.
    for (uint32_t skip = number - low; skip > 0; --skip) {
      if (!Fits(position, 2, size)) return false;
      const uint16_t length = Read16(table + position);
      if (length < kEntryHeader) return false;
      position += length;
    }
    if (!Fits(position, kEntryHeader, size)) return false;
    const bool wide = IsUtf16Entry(Read16(table + position + 2));
    // It reads the text up to its terminator, whatever the entry's Length.
    position += kEntryHeader;
    if (wide) {
      for (; Fits(position, 2, size); position += 2) {
        if (Read16(table + position) == 0) return true;
      }
    } else {
      for (; Fits(position, 1, size); position += 1) {
        if (table[position] == 0) return true;
      }
    }
    return false;
  }
  return false;
}

}  // namespace orva
