// Where a diagnostic points in a source file, and the source line shown.
#include "orva_lookup/source_lines.h"

#include <algorithm>

#include "orva_lookup/log_scan.h"

namespace orva {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// A character of a name in the tools' languages: MASM's names also take
// '_', '@', '$' and '?'.
bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '_' || c == '@' || c == '$' ||
         c == '?';
}
char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads back over the digits that end at at; false when there are none, or
// more than a line number of a source file has.
bool NumberBefore(const std::string& line, size_t* at, uint64_t* value) {
  const size_t end = *at;
  while (*at > 0 && IsDigit(line[*at - 1])) --*at;
  if (*at == end || end - *at > 9) return false;
  *value = 0;
  for (size_t i = *at; i < end; ++i) *value = *value * 10 + static_cast<uint64_t>(line[i] - '0');
  return true;
}

// Whether the word "fatal" in any letter case, standing on its own, ends at at.
bool FatalBefore(const std::string& line, size_t at) {
  const char kFatal[] = "fatal";
  const size_t size = sizeof kFatal - 1;
  if (at < size || (at > size && IsNameCharacter(line[at - size - 1]))) return false;
  for (size_t i = 0; i < size; ++i) {
    if (LowerCase(line[at - size + i]) != kFatal[i]) return false;
  }
  return true;
}

// The one word after the last colon of the message, which begins at from.
std::string LastWord(const std::string& line, size_t from) {
  const size_t colon = line.rfind(':');
  if (colon == std::string::npos || colon < from) return "";
  size_t begin = colon + 1;
  size_t end = line.size();
  while (begin < end && IsBlank(line[begin])) ++begin;
  while (end > begin && IsBlank(line[end - 1])) --end;
  const std::string word = line.substr(begin, end - begin);
  return std::any_of(word.begin(), word.end(), IsBlank) ? "" : word;
}

}  // namespace

bool SiteOfDiagnostic(const std::string& line, bool wholeLine, SourceSite* site) {
  LogDiagnostic found;
  if (!FindLogDiagnostic(line.data(), line.size(), &found)) return false;
  // Read back from the diagnostic's word: "fatal", " : ", then the site.
  size_t at = found.wordAt;
  while (at > 0 && IsBlank(line[at - 1])) --at;
  if (FatalBefore(line, at)) at -= 5;
  while (at > 0 && IsBlank(line[at - 1])) --at;
  if (at == 0 || line[--at] != ':') return false;
  while (at > 0 && IsBlank(line[at - 1])) --at;
  if (at == 0 || line[--at] != ')') return false;
  uint64_t number = 0;
  if (!NumberBefore(line, &at, &number)) return false;
  // With a column, the line's number comes before it.
  if (at > 0 && line[at - 1] == ',' && !NumberBefore(line, &--at, &number)) return false;
  if (at == 0 || line[--at] != '(') return false;
  size_t start = 0;
  while (start < at && IsBlank(line[start])) ++start;
  if (start == at || number == 0) return false;
  site->file = line.substr(start, at - start);
  site->line = number;
  site->token = wholeLine ? LastWord(line, found.messageAt) : "";
  return true;
}

std::string ShowSourceLine(uint64_t number, const std::string& text, const std::string& token, size_t width) {
  const std::string prefix = "   " + std::to_string(number) + " | ";
  // Where the token stands in the text, when it does so once.
  size_t place = std::string::npos;
  int occurrences = 0;
  for (size_t at = token.empty() ? std::string::npos : text.find(token); at != std::string::npos;
       at = text.find(token, at + 1)) {
    const size_t after = at + token.size();
    const bool startsAlone = at == 0 || !IsNameCharacter(text[at - 1]) || !IsNameCharacter(token.front());
    const bool endsAlone = after == text.size() || !IsNameCharacter(text[after]) || !IsNameCharacter(token.back());
    if (startsAlone && endsAlone) {
      ++occurrences;
      place = at;
    }
  }
  std::string shown;
  size_t caretFrom = 0;
  size_t caretTo = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (occurrences == 1 && i == place) caretFrom = shown.size();
    if (occurrences == 1 && i == place + token.size()) caretTo = shown.size();
    if (i == text.size()) break;
    if (text[i] == '\t') {
      shown.append(8 - shown.size() % 8, ' ');
    } else {
      shown += text[i];
    }
  }
  // A line as wide as the console would wrap: one column stays free.
  const size_t room = width > prefix.size() + 1 ? width - 1 - prefix.size() : 0;
  std::string lines = prefix + shown.substr(0, room) + "\n";
  caretTo = std::min(caretTo, room);
  if (caretFrom < caretTo) {
    lines += std::string(prefix.size() - 2, ' ') + "| " + std::string(caretFrom, ' ') +
             std::string(caretTo - caretFrom, '^') + "\n";
  }
  return lines;
}

}  // namespace orva
