// The tool table and what is decided from the text of an error number alone:
// which tool family it names, its digits and message number, the number in a
// text pasted from a build log, whether a host word is worth a lookup, and
// how a fetched message text falls apart into type, title and description.
// Portable: no Windows header.
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

// Walks the tool table in test order. A negative search result ends the walk
// as an incomplete number; a number longer than seven characters is refused
// the same way, so that no other error is shown in its place.
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

// A host word's error number: room for seven characters and the terminator.
constexpr size_t kHostNumberSize = kMaxErrorNumberLength + 1;

// True when a word picked in the host names an error number: trimmed as a
// pasted number and upper-cased, it is one of the six patterns (in test
// order) followed by at least one decimal digit and nothing else, seven
// characters at most. number then holds it as the input box shows it;
// otherwise number is empty and the word stays the host's (EAX, PUSH,
// MAXIMUMERRORS).
bool QualifiesAsErrorNumber(const char* word, char (&number)[kHostNumberSize]);

struct MessagePieces {
  TextPiece type;
  TextPiece title;
  TextPiece description;
};

// Cuts a message text at its two 0x95 separators: type before the first,
// title between them, description from two bytes after the second.
MessagePieces SplitMessageText(const char* text);

}  // namespace orva
