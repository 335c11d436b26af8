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

void AddLogBytes(LogTally& tally, const char* bytes, size_t size) {
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

void FinishLog(LogTally& tally) {
  if (tally.lineOpen) EndLine(tally);
}

}  // namespace orva
