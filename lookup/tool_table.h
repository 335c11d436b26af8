// The tool table and what is decided from the text of an error number alone:
// whether a text is an error number and its canonical name (the one rule
// every asker uses), how the lookup reads typed text, the number in a text
// pasted from a build log, and how a fetched message text falls apart into
// type, title and description. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lookup/text.h"

namespace orva {

struct ToolFamily {
  const char* pattern;     // searched for in the error number
  const char* label;       // shown in the Tool field, and the Error Browser's root text
  const char* moduleStem;  // the message module: stem plus ".dll" in the add-in folder
  uint8_t digitOffset;     // leading characters dropped before the digits
  uint8_t slot;            // catalogue slot, the Error Browser's order (1 to 6)
};

constexpr size_t kToolFamilies = 6;
extern const ToolFamily kToolTable[kToolFamilies];  // in test order: A, CVT, RC, RW, U, LNK

// The family that owns a catalogue slot (1 to 6), or null.
const ToolFamily* ToolFamilyOfSlot(uint32_t slot);

// The path of family's message module: folder (ending in a backslash), stem,
// ".dll". False, with path empty, when folder is empty, since the loader
// would search the host's folders and PATH for a bare name and could read an
// unrelated file as the catalogue; false too when the path does not fit.
bool MessageModulePath(const char* folder, const ToolFamily& family, char (&path)[kPathSize]);

// An error number has at most this many characters (the input box's limit).
constexpr size_t kMaxErrorNumberLength = 7;

enum class LookupOutcome : uint8_t { Found, IncompleteNumber, UnrecognizedTool, MessageNotFound };

struct ErrorNumberClass {
  LookupOutcome outcome;     // Found: a family matched and its message is to be fetched
  const ToolFamily* family;  // the matched row, or null
  char digits[kDigitsSize];  // the characters from the row's digit offset
  uint32_t messageNumber;    // the digits read as hexadecimal
};

// The lookup's own reading of typed text. Walks the tool table in test
// order. A negative search result ends the walk as an incomplete number; a
// text longer than seven characters is refused the same way rather than cut
// to a shorter number. Every character after the pattern reads as a hex
// digit (a blank as 0), so "A 2008" and "A02008" ask for A2008's message,
// and "2008A" for ML's message 0x8A: a note is therefore filed under the
// name of the message found (ErrorNumberOfMessage), never under the text.
ErrorNumberClass ClassifyErrorNumber(const char* number);

struct TextPiece {
  const char* start;
  size_t length;
};

// The error number in what a user pastes or a host picks from a build log:
// blanks (and line ends) around it dropped, and the ':' ',' '.' that the
// tools' messages put after a number ("A2008: syntax", "RC2104 : undefined")
// dropped from its end with the blanks between. The piece lies within text;
// nothing inside it is changed, so "A 2008" stays as it is.
TextPiece TrimPastedNumber(const char* text);

// Every documented number of the six tools is a family's letters and
// exactly four digits.
constexpr size_t kErrorNumberDigits = 4;
// A canonical name: the longest letters ("CVT", "LNK"), four digits, the terminator.
constexpr size_t kErrorNameSize = 3 + kErrorNumberDigits + 1;

// What may stand around an error number in the text it is read from.
enum class NumberText : uint8_t {
  // A host word, a number pasted or given to orva-lookup, a note's name: the
  // whole text is the number, but for blanks around it and the ':' ',' '.'
  // after it (TrimPastedNumber).
  Word,
  // A build-log line from the number on (after "error " or "warning "): the
  // number, blanks, and the colon the tools write after it; the message follows.
  LogLine,
};

struct ErrorNumber {
  const ToolFamily* family;   // null when the text is no error number
  char name[kErrorNameSize];  // the canonical name; empty when no number
};

// The one rule for what an error number is, asked by every place that needs
// to know (the host's words, the notes and the Note Browser, the log scan,
// orva-lookup's argument): a tool family's letters, in any letter case, then
// decimal digits that are exactly four once leading zeros are dropped. The
// canonical name is the letters in upper case and the four digits, without
// blanks, leading zeros or marks: "lnk2019:" is LNK2019, "A02008" is A2008;
// "a1", "RC1", "U8", "LNK1", "A20081", "A 2008" and "2008A" are no numbers.
ErrorNumber ReadErrorNumber(const char* text, size_t length, NumberText kind);
inline ErrorNumber ReadErrorNumber(const char* word) { return ReadErrorNumber(word, TextLength(word), NumberText::Word); }

// A message's name as the Error Browser shows it: the family's pattern and
// the number in hex (A2008, A8A). The longest pattern and the longest number
// FormatHexNumber writes ("-80000000") fit, so every name is whole.
constexpr size_t kMessageNameSize = 3 + kHexTextSize;
void ComposeMessageName(const ToolFamily& family, uint32_t messageNumber, char (&name)[kMessageNameSize]);

// The error number of a family's message (A2008 for ML's message 0x2008),
// or none (0x8A, 0x12, 0x200A): a lookup that found the message files its
// note under its name.
ErrorNumber ErrorNumberOfMessage(const ToolFamily& family, uint32_t messageNumber);

struct MessagePieces {
  TextPiece type;
  TextPiece title;
  TextPiece description;
};

// Cuts a message text at its two 0x95 separators: type before the first,
// title between them, description from two bytes after the second.
MessagePieces SplitMessageText(const char* text);

}  // namespace orva
