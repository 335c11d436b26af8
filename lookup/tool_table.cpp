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

// True when text is pattern followed by at least one decimal digit and
// nothing else.
bool IsPatternThenDigits(const char* text, const char* pattern) {
  while (*pattern != 0 && *text == *pattern) {
    ++text;
    ++pattern;
  }
  if (*pattern != 0 || *text == 0) return false;
  while (IsDecimalDigit(*text)) ++text;
  return *text == 0;
}

}  // namespace

TextPiece TrimPastedNumber(const char* text) {
  while (IsBlank(*text)) ++text;
  size_t length = TextLength(text);
  while (length > 0 && (IsBlank(text[length - 1]) || IsTrailingMark(text[length - 1]))) --length;
  return {text, length};
}

bool QualifiesAsErrorNumber(const char* word, char (&number)[kHostNumberSize]) {
  ZeroFill(number);
  const TextPiece piece = TrimPastedNumber(word);
  if (piece.length == 0 || piece.length > kMaxErrorNumberLength) return false;
  // Upper-cased as the input box upper-cases what is typed.
  for (size_t i = 0; i < piece.length; ++i) {
    const char c = piece.start[i];
    number[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  for (const ToolFamily& family : kToolTable) {
    if (IsPatternThenDigits(number, family.pattern)) return true;
  }
  ZeroFill(number);
  return false;
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
