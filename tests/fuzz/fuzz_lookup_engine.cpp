// Feeds arbitrary bytes to the message-table walk, the formatter bound and
// the console tool's build-log tally, and arbitrary texts to the
// classification, the host-word test and the split. The first byte chooses
// the target and, for the bound, the number (and for the log, where it is cut
// in two pieces).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "lookup/message_table.h"
#include "lookup/tool_table.h"
#include "orva_lookup/log_scan.h"

namespace {

void TouchEntry(void* context, uint32_t, const orva::MessageEntry& entry) {
  // Read every byte the walk hands out, so that a bound that is off shows up.
  unsigned sum = 0;
  for (size_t i = 0; i < entry.textSize; ++i) sum += static_cast<unsigned char>(entry.text[i]);
  *static_cast<unsigned*>(context) += sum;
}

std::vector<char> AsText(const uint8_t* data, size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back(0);
  return text;
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
    case 0: {
      unsigned sum = 0;
      orva::WalkMessageTableBytes(table.data(), table.size(), TouchEntry, &sum);
      break;
    }
    case 1: {
      uint32_t number = 0;
      if (size >= 4) std::memcpy(&number, data + size - 4, 4);
      number ^= selector >> 2;
      (void)orva::FormatterCanReadMessage(table.data(), table.size(), number);
      (void)orva::FormatterCanReadMessage(table.data(), table.size(), selector);
      break;
    }
    case 2: {
      std::vector<char> text = AsText(data, size);
      const orva::ErrorNumberClass c = orva::ClassifyErrorNumber(text.data());
      if (c.family != nullptr && c.digits[orva::kDigitsSize - 1] != 0) __builtin_trap();
      (void)orva::ReadErrorNumber(text.data());
      (void)orva::ReadErrorNumber(text.data(), size, orva::NumberText::LogLine);
      break;
    }
    case 4: {
      orva::LogTally tally;
      const size_t cut = size == 0 ? 0 : (selector >> 3) % (size + 1);
      orva::AddLogBytes(tally, reinterpret_cast<const char*>(table.data()), cut);
      orva::AddLogBytes(tally, reinterpret_cast<const char*>(table.data()) + cut, size - cut);
      orva::FinishLog(tally);
      uint64_t named = 0;
      for (const orva::LoggedNumber& logged : tally.numbers) {
        named += logged.lines;
        if (logged.firstLine.size() > orva::kLogLineLimit || logged.number.size() > orva::kMaxErrorNumberLength) {
          __builtin_trap();
        }
      }
      if (named != tally.diagnosticLines || tally.diagnosticLines > tally.lineCount) __builtin_trap();
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
