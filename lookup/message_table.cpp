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

}  // namespace

void WalkMessageTableBytes(const uint8_t* table, size_t size, MessageVisitor visit, void* context) {
  if (!Fits(0, 4, size)) return;
  const uint32_t blocks = Read32(table);
  for (uint32_t b = 0; b < blocks; ++b) {
    const uint64_t descriptor = kBlockOffset + kBlockSize * b;
    if (!Fits(descriptor, kBlockSize, size)) return;
    const uint32_t low = Read32(table + descriptor);
    const uint32_t high = Read32(table + descriptor + 4);
    uint64_t position = Read32(table + descriptor + 8);
    uint32_t number = low;
    uint32_t remaining = high - low + 1;
    while (remaining != 0) {
      if (!Fits(position, 2, size)) break;
      if (Read16(table + position) == 0) position += 2;
      if (!Fits(position, kEntryHeader, size)) break;
      const uint16_t length = Read16(table + position);
      const uint16_t flags = Read16(table + position + 2);
      if (IsUtf16Entry(flags)) break;
      // An entry shorter than its header would not move the walk on; one
      // longer than the rest of the table would read outside it.
      if (length < kEntryHeader || !Fits(position, length, size)) break;
      const MessageEntry entry{length, flags, reinterpret_cast<const char*>(table + position + kEntryHeader),
                               static_cast<size_t>(length - kEntryHeader)};
      visit(context, number, entry);
      number += 1;
      position += length;
      remaining -= 1;
    }
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
    // It steps over the entries before number by their Length words.
    for (uint32_t skip = number - low; skip > 0; --skip) {
      if (!Fits(position, 2, size)) return false;
      const uint16_t length = Read16(table + position);
      if (length == 0) return false;
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
