// Recognising the tools' diagnostics in a build log, and the tally.
#include "orva_lookup/log_scan.h"

#include <algorithm>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace orva {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsWordCharacter(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

// The text of a line up to a colon, when all of it lies in one piece. The
// colon follows it.
struct LineText {
  const char* bytes;
  size_t size;

  size_t Size() const { return size; }
  char At(size_t at) const { return bytes[at]; }
  bool StartsTheLine() const { return true; }
  // The error number from at to the colon, read by the one rule for error numbers.
  ErrorNumber NumberFrom(size_t at) const { return ReadErrorNumber(bytes + at, size - at + 1, NumberText::LogLine); }
};

// The same when the line began in an earlier piece: what the scan kept of
// it (its lookback), then the bytes of the present piece.
struct LineAcrossPieces {
  const char* kept;
  size_t keptSize;
  bool keptFromLineStart;
  const char* bytes;
  size_t size;

  size_t Size() const { return keptSize + size; }
  char At(size_t at) const { return at < keptSize ? kept[at] : bytes[at - keptSize]; }
  bool StartsTheLine() const { return keptFromLineStart; }
  ErrorNumber NumberFrom(size_t at) const {
    std::string number;
    for (; at < Size(); ++at) number += At(at);
    number += ':';
    return ReadErrorNumber(number.data(), number.size(), NumberText::LogLine);
  }
};

constexpr char kError[] = "error";
constexpr char kWarning[] = "warning";

// The diagnostic that ends at the colon after text, read back from it:
// blanks, digits, a family's letters (ReadErrorNumber tells which numbers
// count), blanks, and the word "error" or "warning" in any letter case with
// no letter, digit or '_' before it. A diagnostic holds no colon, so of two
// on a line the one whose colon comes first also begins first.
template <typename Text>
bool DiagnosticBefore(const Text& text, LogDiagnostic* found) {
  size_t at = text.Size();
  while (at > 0 && IsBlank(text.At(at - 1))) --at;
  const size_t digitsEnd = at;
  while (at > 0 && IsDigit(text.At(at - 1))) --at;
  // A fourth letter is looked at only to refuse a run of letters that is no
  // family's pattern.
  const size_t lettersEnd = at;
  while (at > 0 && lettersEnd - at < 4 && IsLetter(text.At(at - 1))) --at;
  const size_t letters = at;
  const size_t letterCount = lettersEnd - letters;
  if (digitsEnd == lettersEnd || letterCount == 0 || letterCount > 3 || at == 0 || !IsBlank(text.At(at - 1))) return false;
  while (at > 0 && IsBlank(text.At(at - 1))) --at;
  // The word ends in 'r' or 'g'; any letter case is folded by the 0x20 bit.
  const char last = at > 0 ? static_cast<char>(text.At(at - 1) | 0x20) : 0;
  if (last != 'r' && last != 'g') return false;
  const char* word = last == 'r' ? kError : kWarning;
  const size_t size = last == 'r' ? sizeof kError - 1 : sizeof kWarning - 1;
  if (at < size) return false;
  for (size_t i = 0; i < size; ++i) {
    if ((text.At(at - size + i) | 0x20) != word[i]) return false;
  }
  if (at > size ? IsWordCharacter(text.At(at - size - 1)) : !text.StartsTheLine()) return false;
  const ErrorNumber named = text.NumberFrom(letters);
  if (named.family == nullptr) return false;
  std::memcpy(found->number, named.name, sizeof found->number);
  found->family = named.family;
  found->isError = last == 'r';
  found->wordAt = at - size;
  found->messageAt = text.Size() + 1;
  return true;
}

// Whether a byte needs a look of the scan: a line end, NUL, a colon (each
// diagnostic ends in one) or a control character other than a tab (one
// starts many a line of a build log), which is passed over.
bool NeedsALook(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte <= 0x0D && byte != '\t') || byte == ':';
}

#if defined(__i386__) || defined(__x86_64__)
// Sixteen bytes at a time, on a processor with SSE2 (a Pentium 4 or later;
// an older one takes the bytes one by one): the rest of a log then costs
// little more than reading it. Stops at the first byte that needs a look,
// or where fewer than sixteen are left.
__attribute__((target("sse2"))) const char* SkipBytesInBlocks(const char* p, const char* end) {
  const __m128i controls = _mm_set1_epi8(0x0D);
  const __m128i tabs = _mm_set1_epi8('\t');
  const __m128i colons = _mm_set1_epi8(':');
  for (; end - p >= 16; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i low = _mm_andnot_si128(_mm_cmpeq_epi8(bytes, tabs), _mm_cmpeq_epi8(_mm_min_epu8(bytes, controls), bytes));
    const int found = _mm_movemask_epi8(_mm_or_si128(low, _mm_cmpeq_epi8(bytes, colons)));
    if (found != 0) return p + __builtin_ctz(static_cast<unsigned>(found));
  }
  return p;
}
#endif

const char* NextToLookAt(const char* p, const char* end) {
#if defined(__i386__) || defined(__x86_64__)
  if (__builtin_cpu_supports("sse2")) p = SkipBytesInBlocks(p, end);
#endif
  while (p < end && !NeedsALook(*p)) ++p;
  return p;
}

void NameNumber(LogTally& tally, const LogDiagnostic& found) {
  ++tally.diagnosticLines;
  tally.namesError = tally.namesError || found.isError;
  uint32_t key = static_cast<uint32_t>(found.family - kToolTable);
  for (const char* digit = found.number + found.family->digitOffset; *digit != 0; ++digit) {
    key = key * 10 + static_cast<uint32_t>(*digit - '0');
  }
  if (tally.positions.empty()) tally.positions.resize(kToolFamilies * 10000);
  uint32_t& position = tally.positions[key];
  if (position == 0) {
    tally.numbers.push_back({found.number, 0, {}, false});
    position = static_cast<uint32_t>(tally.numbers.size());
    tally.line.first = true;
  }
  ++tally.numbers[position - 1].lines;
  tally.line.named = position;
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// A line as it is shown: its head and then the bytes from to to, up to the
// limit. A longer line is cut before the character the limit falls in, so
// that a UTF-8 character is never shown in part (a line in the ANSI code
// page may lose up to three characters more).
std::string ShownLine(const std::string& head, const char* from, const char* to) {
  std::string line = head;
  line.append(from, std::min(static_cast<size_t>(to - from), kLogLineLimit + 1 - line.size()));
  if (line.size() > kLogLineLimit) {
    size_t keep = kLogLineLimit;
    for (int back = 0; back < 3 && IsUtf8Continuation(line[keep]); ++back) --keep;
    line.resize(keep);
  }
  return line;
}

// The line read so far ends before to; its bytes in this piece begin at from.
void EndLine(LogTally& tally, const char* from, const char* to) {
  ++tally.lineCount;
  LogTally::OpenLine& line = tally.line;
  if (line.first) {
    LoggedNumber& logged = tally.numbers[line.named - 1];
    logged.firstLine = ShownLine(line.head, from, to);
    logged.wholeLine = line.head.size() + static_cast<size_t>(to - from) <= kLogLineLimit;
  }
  for (; tally.nextKept < tally.keptLines.size() && tally.keptLines[tally.nextKept].number <= tally.lineCount;
       ++tally.nextKept) {
    KeptLine& kept = tally.keptLines[tally.nextKept];
    kept.read = kept.number == tally.lineCount;
    if (kept.read) kept.text = ShownLine(line.head, from, to);
  }
  line.open = line.first = false;
  line.named = 0;
  line.lookbackSize = 0;
  line.lookbackFromLineStart = true;
  line.head.clear();
}

// What a diagnostic later on the line can need of its bytes so far: their
// last kLogLookback, with each run of blanks kept as one blank and each run
// of zeros after a letter as one zero. Neither changes what DiagnosticBefore
// reads (blanks are blanks however many, and leading zeros are dropped), and
// it reads at most 20 of them; so a diagnostic split across pieces is read
// as if the line were whole, whatever runs it holds.
void KeepLookback(LogTally::OpenLine& line, const char* bytes, size_t size) {
  const LineAcrossPieces text{line.lookback, line.lookbackSize, line.lookbackFromLineStart, bytes, size};
  char kept[kLogLookback];
  size_t count = 0;  // the last count bytes of kept are filled
  size_t at = text.Size();
  while (at > 0 && count < kLogLookback) {
    const char c = text.At(at - 1);
    size_t run = at - 1;
    if (IsBlank(c)) {
      while (run > 0 && IsBlank(text.At(run - 1))) --run;
      kept[kLogLookback - ++count] = ' ';
      at = run;
      continue;
    }
    if (c == '0') {
      while (run > 0 && text.At(run - 1) == '0') --run;
      const bool leading = run > 0 && IsLetter(text.At(run - 1));
      // Zeros after anything but a letter are digits of a number: kept all.
      for (size_t keep = leading ? 1 : at - run; keep > 0 && count < kLogLookback; --keep) {
        kept[kLogLookback - ++count] = '0';
        --at;
      }
      if (leading) at = run;
      continue;
    }
    kept[kLogLookback - ++count] = c;
    --at;
  }
  line.lookbackFromLineStart = at == 0 && text.StartsTheLine();
  line.lookbackSize = count;
  std::memcpy(line.lookback, kept + kLogLookback - count, count);
}

// The piece ends inside a line whose bytes in it begin at from.
void KeepOpenLine(LogTally& tally, const char* from, const char* end) {
  if (from == end) return;
  LogTally::OpenLine& line = tally.line;
  line.open = true;
  line.head.append(from, std::min(static_cast<size_t>(end - from), kLogLineLimit + 1 - line.head.size()));
  if (line.named == 0) KeepLookback(line, from, static_cast<size_t>(end - from));
}

// Splits bytes that are text into lines and tallies each: a line is looked
// at only at its colons and its end.
void AddLineBytes(LogTally& tally, const char* p, size_t size) {
  const char* end = p + size;
  if (tally.afterCr && p < end) {
    tally.afterCr = false;
    if (*p == '\n') ++p;
  }
  const char* lineStart = p;
  for (;;) {
    p = NextToLookAt(p, end);
    if (p == end) break;
    const char c = *p++;
    if (c == ':') {
      const LogTally::OpenLine& line = tally.line;
      const size_t before = static_cast<size_t>(p - 1 - lineStart);
      LogDiagnostic found;
      bool named = false;
      if (line.named != 0) {
        // Only the first diagnostic of a line counts.
      } else if (line.lookbackSize == 0) {
        // A diagnostic's colon follows its digits or a blank: others fail at once.
        named = before > 0 && (IsDigit(p[-2]) || IsBlank(p[-2])) && DiagnosticBefore(LineText{lineStart, before}, &found);
      } else {
        const LineAcrossPieces text{line.lookback, line.lookbackSize, line.lookbackFromLineStart, lineStart, before};
        named = DiagnosticBefore(text, &found);
      }
      if (named) NameNumber(tally, found);
    } else if (c == '\n' || c == '\r') {
      EndLine(tally, lineStart, p - 1);
      if (c == '\r' && p == end) tally.afterCr = true;
      if (c == '\r' && p < end && *p == '\n') ++p;
      lineStart = p;
    } else if (c == 0 && tally.encoding == LogEncoding::Bytes) {
      tally.notText = true;
      return;
    }
  }
  KeepOpenLine(tally, lineStart, end);
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

bool FindLogDiagnostic(const char* line, size_t length, LogDiagnostic* found) {
  for (const char* colon = line; (colon = static_cast<const char*>(std::memchr(colon, ':', length - (colon - line))));
       ++colon) {
    if (DiagnosticBefore(LineText{line, static_cast<size_t>(colon - line)}, found)) return true;
  }
  return false;
}

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
  if (tally.line.open) EndLine(tally, nullptr, nullptr);
}

bool ReadLogFile(std::FILE* file, LogTally& tally) {
  // A fixed buffer: only the distinct numbers and their first lines are
  // kept, so a log of any size fits.
  std::vector<char> buffer(64 * 1024);
  size_t got = 0;
  // A text read for some of its lines is read no further than the last of them.
  auto wanted = [&] { return tally.keptLines.empty() || tally.nextKept < tally.keptLines.size(); };
  while (!tally.notText && wanted() && (got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
    AddLogBytes(tally, buffer.data(), got);
  }
  if (std::ferror(file) != 0) return false;
  FinishLog(tally);
  return true;
}

}  // namespace orva
