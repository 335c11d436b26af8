// Builds message-table bytes in a test, block by block, lies included.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestEntry {
  std::string text;
  uint16_t flags = 0;
  int length = -1;          // -1: the natural length
  bool zeroWordBefore = false;
};

struct TestBlock {
  uint32_t low;
  std::vector<TestEntry> entries;
  int64_t high = -1;        // -1: follows from the entries
  int64_t offset = -1;      // -1: where the entries are put
};

// The blocks' entries are laid out in the order of layout (block indices;
// empty: the blocks' own order).
inline std::vector<uint8_t> BuildTable(const std::vector<TestBlock>& blocks, int64_t claimedBlocks = -1,
                                       std::vector<size_t> layout = {}) {
  auto put16 = [](std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
  };
  auto put32 = [&](std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
  };
  std::vector<uint8_t> bodies;
  std::vector<uint32_t> offsets(blocks.size());
  const uint32_t header = 4 + 12 * static_cast<uint32_t>(blocks.size());
  if (layout.empty()) {
    for (size_t i = 0; i < blocks.size(); ++i) layout.push_back(i);
  }
  for (size_t i = 0; i < blocks.size(); ++i) {
    offsets[layout[i]] = header + static_cast<uint32_t>(bodies.size());
    for (const TestEntry& e : blocks[layout[i]].entries) {
      if (e.zeroWordBefore) put16(bodies, 0);
      const size_t terminator = (e.flags & 1) != 0 ? 2 : 1;
      const size_t natural = (4 + e.text.size() + terminator + 3) & ~size_t{3};
      put16(bodies, e.length < 0 ? static_cast<uint32_t>(natural) : static_cast<uint32_t>(e.length));
      put16(bodies, e.flags);
      bodies.insert(bodies.end(), e.text.begin(), e.text.end());
      bodies.insert(bodies.end(), natural - 4 - e.text.size(), 0);
    }
  }
  std::vector<uint8_t> out;
  put32(out, claimedBlocks < 0 ? static_cast<uint32_t>(blocks.size()) : static_cast<uint32_t>(claimedBlocks));
  for (size_t i = 0; i < blocks.size(); ++i) {
    const TestBlock& b = blocks[i];
    const uint32_t high = b.high < 0 ? b.low + static_cast<uint32_t>(b.entries.size()) - 1 : static_cast<uint32_t>(b.high);
    put32(out, b.low);
    put32(out, high);
    put32(out, b.offset < 0 ? offsets[i] : static_cast<uint32_t>(b.offset));
  }
  out.insert(out.end(), bodies.begin(), bodies.end());
  return out;
}
