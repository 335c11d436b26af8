// Text primitives: every search, hex conversion, path cut and bounded
// composition the add-in performs on its zero-terminated ANSI texts.
// Portable: no Windows header, so the native sanitizer build and the fuzzer
// use exactly this code.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orva {

// Fixed buffer sizes the add-in relies on.
constexpr size_t kPathSize = 261;         // MAX_PATH plus one
constexpr size_t kNumberSize = 20;        // currentNumber, selectedNote
constexpr size_t kDigitsSize = 8;         // the digits of an error number
constexpr size_t kUserNameSize = 257;
constexpr size_t kHexTextSize = 10;       // "-80000000" and its terminator

size_t TextLength(const char* text);

// Position code of pattern in text, searching from start (counted from 1):
// positive = found there; 0 = not found; -1 = the pattern is not shorter than
// the text; -2 = start out of range. A text never contains a pattern of its
// own length.
int32_t FindText(int32_t start, const char* text, const char* pattern);

// Reads every character as a hexadecimal digit (other characters give the
// low four bits of a shifted code) and returns the 32-bit value.
uint32_t ParseHexNumber(const char* text);

// Writes value, read as signed, in upper-case hex without leading zeros;
// a negative value as "-" and its magnitude.
void FormatHexNumber(uint32_t value, char (&out)[kHexTextSize]);

// The leading part of path through its last backslash; empty without one.
void PathOnly(const char* path, char (&out)[kPathSize]);

// The first n characters of text (n at most its length, and cut to the
// buffer), terminated.
void CopyFirst(const char* text, size_t n, char* out, size_t outSize);
template <size_t N>
void CopyFirst(const char* text, size_t n, char (&out)[N]) { CopyFirst(text, n, out, N); }

// The characters of text from index (counted from 0) to its end; the empty
// text when index is at or beyond the end.
const char* TextFrom(const char* text, size_t index);

// Appends the texts to whatever zero-terminated text buffer already holds.
// All or nothing: when the result would not fit, the buffer is left as it was
// and the answer is false, so a truncated path or caption never comes about.
bool AppendTexts(char* buffer, size_t size, const char* const* texts, size_t count);

template <size_t N, typename... Texts>
bool AppendText(char (&buffer)[N], const Texts*... texts) {
  const char* list[] = {texts...};
  return AppendTexts(buffer, N, list, sizeof...(texts));
}

// Zero-fills a buffer before it is composed.
void ZeroFill(void* buffer, size_t size);
template <size_t N>
void ZeroFill(char (&buffer)[N]) { ZeroFill(buffer, N); }

}  // namespace orva
