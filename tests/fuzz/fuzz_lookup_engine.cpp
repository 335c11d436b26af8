// Feeds arbitrary bytes to the message-table walk and lookup and to the
// console tool's build-log tally, tables made sound from arbitrary bytes to
// the walk and lookup, and arbitrary texts to the classification, the
// host-word test and the split. The first byte chooses the target (and for
// the log, the size of the pieces it comes in).
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "lookup/message_table.h"
#include "lookup/tool_table.h"
#include "orva_lookup/log_scan.h"
#include "tests/portable/table_bytes.h"

namespace {

using Listed = std::vector<std::pair<uint32_t, std::string>>;

void ListEntry(void* context, uint32_t number, const orva::MessageEntry& entry) {
  // Every byte the walk hands out is read, so that a bound that is off shows up.
  static_cast<Listed*>(context)->emplace_back(number, std::string(entry.text, entry.textSize));
}

// What the walk lists; every number it lists the lookup finds. (Which entry,
// where two blocks hold the number, the sound tables below check.)
Listed WalkAndFind(const std::vector<uint8_t>& table) {
  Listed listed;
  std::vector<uint8_t> marks(orva::WalkMarksSize(table.size()));
  orva::WalkMessageTableBytes(table.data(), table.size(), marks.data(), ListEntry, &listed);
  for (const auto& entry : listed) {
    std::fill(marks.begin(), marks.end(), 0);
    orva::MessageEntry found{};
    if (!orva::FindMessageEntry(table.data(), table.size(), marks.data(), entry.first, &found)) __builtin_trap();
  }
  return listed;
}

// A sound table from the bytes: up to six blocks of one to three ANSI
// entries, laid out in an order the bytes choose, gaps between blocks
// included. The walk lists every entry, in table order.
void CheckSoundTable(const uint8_t* data, size_t size) {
  size_t at = 0;
  auto next = [&] { return at < size ? data[at++] : 0; };
  std::vector<TestBlock> blocks(1 + next() % 6);
  Listed expected;
  for (size_t b = 0; b < blocks.size(); ++b) {
    blocks[b].low = 0x100 * static_cast<uint32_t>(b + 1);
    for (int e = 1 + next() % 3; e > 0; --e) {
      const std::string text(next() % 40, static_cast<char>('a' + b));
      blocks[b].entries.push_back({text});
      expected.emplace_back(blocks[b].low + blocks[b].entries.size() - 1, text);
    }
  }
  std::vector<size_t> layout;
  for (size_t b = 0; b < blocks.size(); ++b) layout.insert(layout.begin() + next() % (layout.size() + 1), b);
  Listed listed = WalkAndFind(BuildTable(blocks, -1, layout));
  for (auto& entry : listed) entry.second.resize(entry.second.find('\0'));
  if (listed != expected) __builtin_trap();
}

std::vector<char> AsText(const uint8_t* data, size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back(0);
  return text;
}

// What a tally read: its counts, then each number with its lines and the line shown.
std::string Summary(const orva::LogTally& tally) {
  std::string summary = std::to_string(tally.lineCount) + " " + std::to_string(tally.diagnosticLines) +
                        (tally.namesError ? " !" : " ") + (tally.notText ? " binary" : "");
  for (const orva::LoggedNumber& logged : tally.numbers) {
    summary += "\n" + logged.number + " " + std::to_string(logged.lines) + " " + logged.firstLine;
  }
  return summary;
}

std::string TallyInPieces(const char* log, size_t size, size_t piece) {
  orva::LogTally tally;
  for (size_t at = 0; at < size; at += piece) orva::AddLogBytes(tally, log + at, std::min(piece, size - at));
  orva::FinishLog(tally);
  return Summary(tally);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t selector = data[0];
  ++data;
  --size;
  // A copy of exactly the input's size, so that AddressSanitizer sees any
  // read past the table's end.
  std::vector<uint8_t> table(data, data + size);
  switch (selector % 5) {
    case 0:
      WalkAndFind(table);
      break;
    case 1:
      CheckSoundTable(data, size);
      break;
    case 2: {
      std::vector<char> text = AsText(data, size);
      const orva::ErrorNumberClass c = orva::ClassifyErrorNumber(text.data());
      if (c.family != nullptr && c.digits[orva::kDigitsSize - 1] != 0) __builtin_trap();
      (void)orva::ReadErrorNumber(text.data());
      (void)orva::ReadErrorNumber(text.data(), size, orva::NumberText::LogLine);
      break;
    }
    case 4: {
      // A log reads the same whatever pieces it comes in: a line, a
      // diagnostic, a UTF-16 unit or a CR LF split between them included.
      const char* log = reinterpret_cast<const char*>(table.data());
      if (TallyInPieces(log, size, size + 1) != TallyInPieces(log, size, 1 + selector / 5 % 9)) __builtin_trap();
      break;
    }
    default: {
      std::vector<char> text = AsText(data, size);
      const orva::MessagePieces p = orva::SplitMessageText(text.data());
      const char* end = text.data() + text.size();
      for (const orva::TextPiece& piece : {p.type, p.title, p.description}) {
        if (piece.start < text.data() || piece.start + piece.length >= end) __builtin_trap();
      }
      break;
    }
  }
  return 0;
}
