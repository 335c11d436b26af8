// Text primitives over zero-terminated ANSI bytes in fixed buffers.
#include "lookup/text.h"

namespace orva {

size_t TextLength(const char* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

int32_t FindText(int32_t start, const char* text, const char* pattern) {
  const size_t textLength = TextLength(text);
  const size_t patternLength = TextLength(pattern);
  if (start < 1) return -2;
  if (patternLength >= textLength) return -1;
  const size_t candidates = textLength - patternLength + 1;
  if (candidates <= static_cast<size_t>(start) - 1) return -2;
  for (size_t at = static_cast<size_t>(start) - 1; at < candidates; ++at) {
    size_t i = 0;
    while (i < patternLength && text[at + i] == pattern[i]) ++i;
    if (i == patternLength) return static_cast<int32_t>(at + 1);
  }
  return 0;
}

static uint32_t HexDigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  // Any other character still yields a digit: the low four bits of its code
  // moved by the offset of the range it falls in.
  if (c < 0x41) return (c - 0x30u) & 0xF;
  if (c <= 0x56) return (c - 0x37u) & 0xF;
  return (c - 0x57u) & 0xF;
}

uint32_t ParseHexNumber(const char* text) {
  uint32_t value = 0;
  for (; *text != 0; ++text) {
    value = (value << 4) + HexDigitValue(static_cast<unsigned char>(*text));
  }
  return value;
}

void FormatHexNumber(uint32_t value, char (&out)[kHexTextSize]) {
  static const char kDigits[] = "0123456789ABCDEF";
  char reversed[8];
  size_t count = 0;
  size_t at = 0;
  uint32_t magnitude = value;
  if (static_cast<int32_t>(value) < 0) {
    out[at++] = '-';
    magnitude = 0u - value;
  }
  do {
    reversed[count++] = kDigits[magnitude & 0xF];
    magnitude >>= 4;
  } while (magnitude != 0);
  while (count > 0) out[at++] = reversed[--count];
  out[at] = 0;
}

void PathOnly(const char* path, char (&out)[kPathSize]) {
  size_t keep = 0;
  for (size_t i = 0; path[i] != 0 && i < kPathSize - 1; ++i) {
    if (path[i] == '\\') keep = i + 1;
  }
  for (size_t i = 0; i < keep; ++i) out[i] = path[i];
  out[keep] = 0;
}

void CopyFirst(const char* text, size_t n, char* out, size_t outSize) {
  if (outSize == 0) return;
  size_t i = 0;
  while (i < n && i < outSize - 1 && text[i] != 0) {
    out[i] = text[i];
    ++i;
  }
  out[i] = 0;
}

const char* TextFrom(const char* text, size_t index) {
  const size_t length = TextLength(text);
  return index >= length ? text + length : text + index;
}

bool AppendTexts(char* buffer, size_t size, const char* const* texts, size_t count) {
  size_t used = 0;
  while (used < size && buffer[used] != 0) ++used;
  if (used == size) return false;  // not terminated: nothing may be appended
  size_t total = used;
  for (size_t i = 0; i < count; ++i) total += TextLength(texts[i]);
  if (total >= size) return false;
  for (size_t i = 0; i < count; ++i) {
    for (const char* p = texts[i]; *p != 0; ++p) buffer[used++] = *p;
  }
  buffer[used] = 0;
  return true;
}

void ZeroFill(void* buffer, size_t size) {
  unsigned char* p = static_cast<unsigned char*>(buffer);
  for (size_t i = 0; i < size; ++i) p[i] = 0;
}

}  // namespace orva
