// Recognising the tools' diagnostics in a build log, and the tally.
#include "orva_lookup/log_scan.h"

#include <algorithm>
#include <cstring>

namespace orva {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Length of word (lower case) at line[at] in any letter case, as a whole
// word; 0 when it is not there.
size_t MatchWord(const char* line, size_t length, size_t at, const char* word) {
  if (at > 0 && IsWordCharacter(line[at - 1])) return 0;
  size_t n = 0;
  for (; word[n] != 0; ++n) {
    if (at + n >= length || LowerCase(line[at + n]) != word[n]) return 0;
  }
  if (at + n < length && IsWordCharacter(line[at + n])) return 0;
  return n;
}

void TallyLine(LogTally& tally, const std::string& line) {
  ++tally.lineCount;
  LogDiagnostic found;
  if (!FindLogDiagnostic(line.data(), line.size(), &found)) return;
  ++tally.diagnosticLines;
  tally.namesError = tally.namesError || found.isError;
  const auto known = tally.positions.find(found.number);
  if (known != tally.positions.end()) {
    ++tally.numbers[known->second].lines;
    return;
  }
  tally.positions.emplace(found.number, tally.numbers.size());
  tally.numbers.push_back({found.number, 1, line});
}

void EndLine(LogTally& tally) {
  if (!tally.line.empty() && tally.line.back() == '\r') tally.line.pop_back();
  TallyLine(tally, tally.line);
  tally.line.clear();
  tally.lineOpen = false;
}

}  // namespace

bool FindLogDiagnostic(const char* line, size_t length, LogDiagnostic* found) {
  for (size_t at = 0; at < length; ++at) {
    size_t word = MatchWord(line, length, at, "error");
    const bool isError = word != 0;
    if (!isError) word = MatchWord(line, length, at, "warning");
    if (word == 0) continue;
    size_t next = at + word;
    if (next >= length || !IsBlank(line[next])) continue;
    while (next < length && IsBlank(line[next])) ++next;
    const ErrorNumber number = ReadErrorNumber(line + next, length - next, NumberText::LogLine);
    if (number.family != nullptr) {
      CopyFirst(number.name, TextLength(number.name), found->number);
      found->isError = isError;
      return true;
    }
  }
  return false;
}

namespace {

// Splits bytes that are text into lines and tallies each.
void AddLineBytes(LogTally& tally, const char* bytes, size_t size) {
  const char* end = bytes + size;
  while (bytes < end) {
    const void* lineEnd = std::memchr(bytes, '\n', static_cast<size_t>(end - bytes));
    const char* stop = lineEnd != nullptr ? static_cast<const char*>(lineEnd) : end;
    if (stop > bytes) tally.lineOpen = true;
    const size_t room = kLogLineLimit - tally.line.size();
    tally.line.append(bytes, std::min(room, static_cast<size_t>(stop - bytes)));
    if (lineEnd == nullptr) break;
    EndLine(tally);
    bytes = stop + 1;
  }
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

constexpr uint32_t kReplacement = 0xFFFD;

// UTF-16 code units, in the log's byte order, as UTF-8 lines.
void AddUtf16Bytes(LogTally& tally, const char* bytes, size_t size) {
  std::string utf8;
  utf8.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    tally.pendingByte += bytes[i];
    if (tally.pendingByte.size() < 2) continue;
    const auto first = static_cast<unsigned char>(tally.pendingByte[0]);
    const auto second = static_cast<unsigned char>(tally.pendingByte[1]);
    tally.pendingByte.clear();
    const uint32_t unit = tally.encoding == LogEncoding::Utf16Le ? (second << 8 | first) : (first << 8 | second);
    // A character beyond the first 65,536 (a pair of surrogates) has no place
    // in the ANSI code page the lines are shown in: each half reads as U+FFFD.
    if (unit != 0) AppendUtf8(utf8, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  AddLineBytes(tally, utf8.data(), utf8.size());
}

void AddTextBytes(LogTally& tally, const char* bytes, size_t size) {
  if (tally.notText) return;
  if (tally.encoding == LogEncoding::Utf16Le || tally.encoding == LogEncoding::Utf16Be) {
    AddUtf16Bytes(tally, bytes, size);
    return;
  }
  if (tally.encoding == LogEncoding::Bytes && std::memchr(bytes, 0, size) != nullptr) {
    tally.notText = true;
    return;
  }
  AddLineBytes(tally, bytes, size);
}

// Tells the encoding from the head (up to three bytes) and reads the head
// without its byte-order mark.
void DecideEncoding(LogTally& tally) {
  const std::string& head = tally.head;
  size_t mark = 0;
  if (head.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    tally.encoding = LogEncoding::Utf8;
    mark = 3;
  } else if (head.compare(0, 2, "\xFF\xFE") == 0) {
    tally.encoding = LogEncoding::Utf16Le;
    mark = 2;
  } else if (head.compare(0, 2, "\xFE\xFF") == 0) {
    tally.encoding = LogEncoding::Utf16Be;
    mark = 2;
  } else {
    tally.encoding = LogEncoding::Bytes;
  }
  AddTextBytes(tally, head.data() + mark, head.size() - mark);
  tally.head.clear();
}

}  // namespace

void AddLogBytes(LogTally& tally, const char* bytes, size_t size) {
  if (tally.encoding == LogEncoding::Undecided) {
    const size_t take = std::min(size, 3 - tally.head.size());
    tally.head.append(bytes, take);
    bytes += take;
    size -= take;
    if (tally.head.size() < 3) return;
    DecideEncoding(tally);
  }
  AddTextBytes(tally, bytes, size);
}

void FinishLog(LogTally& tally) {
  if (tally.encoding == LogEncoding::Undecided) DecideEncoding(tally);
  if (tally.notText) return;
  // A last UTF-16 unit cut in half.
  if (!tally.pendingByte.empty()) {
    std::string rest;
    AppendUtf8(rest, kReplacement);
    tally.pendingByte.clear();
    AddLineBytes(tally, rest.data(), rest.size());
  }
  if (tally.lineOpen) EndLine(tally);
}

}  // namespace orva
