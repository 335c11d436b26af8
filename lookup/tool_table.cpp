// The tool table, the classification of an error number and the message split.
#include "lookup/tool_table.h"

namespace orva {

const ToolFamily kToolTable[kToolFamilies] = {
    {"A", "ML", "ML", 1, 1},
    {"CVT", "CVTRES", "CVTRES", 3, 2},
    {"RC", "RC (\"C\" Errors)", "rcc", 2, 5},
    {"RW", "RC (\"W\" Errors)", "rcw", 2, 6},
    {"U", "NMAKE", "NMAKE", 1, 3},
    {"LNK", "LINK\\LIB\\DUMPBIN\\EDITBIN", "linklib", 3, 4},
};

const ToolFamily* ToolFamilyOfSlot(uint32_t slot) {
  for (const ToolFamily& family : kToolTable) {
    if (family.slot == slot) return &family;
  }
  return nullptr;
}

bool MessageModulePath(const char* folder, const ToolFamily& family, char (&path)[kPathSize]) {
  ZeroFill(path);
  return folder[0] != 0 && AppendText(path, folder, family.moduleStem, ".dll");
}

ErrorNumberClass ClassifyErrorNumber(const char* number) {
  ErrorNumberClass result{LookupOutcome::UnrecognizedTool, nullptr, {}, 0};
  if (TextLength(number) > kMaxErrorNumberLength) {
    result.outcome = LookupOutcome::IncompleteNumber;
    return result;
  }
  for (const ToolFamily& family : kToolTable) {
    const int32_t at = FindText(1, number, family.pattern);
    if (at < 0) {
      // The pattern does not fit in the text: too short to be a number.
      result.outcome = LookupOutcome::IncompleteNumber;
      return result;
    }
    if (at == 0) continue;
    // The digits start after the pattern's length, wherever it was found.
    result.outcome = LookupOutcome::Found;
    result.family = &family;
    const char* digits = TextFrom(number, family.digitOffset);
    CopyFirst(digits, TextLength(digits), result.digits);
    result.messageNumber = ParseHexNumber(result.digits);
    return result;
  }
  return result;
}

namespace {

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsTrailingMark(char c) { return c == ':' || c == ',' || c == '.'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char UpperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The family whose whole pattern the letters are, in any letter case.
const ToolFamily* FamilyOfLetters(const char* letters, size_t count) {
  for (const ToolFamily& family : kToolTable) {
    size_t i = 0;
    while (i < count && family.pattern[i] != 0 && UpperCase(letters[i]) == family.pattern[i]) ++i;
    if (i == count && family.pattern[i] == 0) return &family;
  }
  return nullptr;
}

// Blanks around the piece, and the marks after it, dropped.
TextPiece TrimPiece(const char* text, size_t length) {
  while (length > 0 && IsBlank(*text)) {
    ++text;
    --length;
  }
  while (length > 0 && (IsBlank(text[length - 1]) || IsTrailingMark(text[length - 1]))) --length;
  return {text, length};
}

}  // namespace

TextPiece TrimPastedNumber(const char* text) { return TrimPiece(text, TextLength(text)); }

ErrorNumber ReadErrorNumber(const char* text, size_t length, NumberText kind) {
  ErrorNumber number{nullptr, {}};
  if (kind == NumberText::Word) {
    const TextPiece piece = TrimPiece(text, length);
    text = piece.start;
    length = piece.length;
  }
  size_t at = 0;
  while (at < length && IsLetter(text[at])) ++at;
  const ToolFamily* family = FamilyOfLetters(text, at);
  if (family == nullptr) return number;
  while (at < length && text[at] == '0') ++at;  // leading zeros
  const size_t digits = at;
  while (at < length && IsDecimalDigit(text[at])) ++at;
  if (at - digits != kErrorNumberDigits) return number;
  if (kind == NumberText::LogLine) {
    while (at < length && IsBlank(text[at])) ++at;
    if (at == length || text[at] != ':') return number;
  } else if (at != length) {
    return number;
  }
  number.family = family;
  // The pattern's length is the family's digit offset; the name holds the longest.
  CopyFirst(family->pattern, family->digitOffset, number.name);
  CopyFirst(text + digits, kErrorNumberDigits, number.name + family->digitOffset, kErrorNumberDigits + 1);
  return number;
}

void ComposeMessageName(const ToolFamily& family, uint32_t messageNumber, char (&name)[kMessageNameSize]) {
  char hex[kHexTextSize];
  FormatHexNumber(messageNumber, hex);
  ZeroFill(name);
  AppendText(name, family.pattern, hex);
}

ErrorNumber ErrorNumberOfMessage(const ToolFamily& family, uint32_t messageNumber) {
  char name[kMessageNameSize];
  ComposeMessageName(family, messageNumber, name);
  return ReadErrorNumber(name);
}

MessagePieces SplitMessageText(const char* text) {
  const char kSeparator = static_cast<char>(0x95);
  MessagePieces pieces{};
  const char* p = text;
  pieces.type.start = p;
  while (*p != 0 && *p != kSeparator) ++p;
  pieces.type.length = static_cast<size_t>(p - pieces.type.start);
  // Without a first separator the whole text is the type; title and
  // description stay empty.
  if (*p != 0) ++p;
  pieces.title.start = p;
  while (*p != 0 && *p != kSeparator) ++p;
  pieces.title.length = static_cast<size_t>(p - pieces.title.start);
  // Without a second separator the description stays empty. After it, the
  // two bytes (CR LF in the stored texts) are skipped, but never the
  // terminator: a text that ends there has an empty description.
  if (*p != 0) {
    ++p;
    for (int skip = 0; skip < 2 && *p != 0; ++skip) ++p;
  }
  pieces.description.start = p;
  while (*p != 0) ++p;
  pieces.description.length = static_cast<size_t>(p - pieces.description.start);
  return pieces;
}

}  // namespace orva
