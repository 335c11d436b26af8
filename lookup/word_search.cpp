// The word search over a message's texts, and the cut of a typed line into words.
#include "lookup/word_search.h"

namespace orva {
namespace {

// Lower case in Windows-1252: A-Z, the accented capitals from 0xC0 (but not
// the multiplication sign 0xD7), and the four capitals below 0xA0.
constexpr unsigned char FoldCharacter(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return c;
  }
}

// The folding as a table, made by the compiler: a find runs it over every
// byte of ten thousand messages, where a table lookup costs a fraction of
// the comparisons.
struct FoldTable {
  unsigned char of[256];
};
constexpr FoldTable MakeFoldTable() {
  FoldTable table = {};
  for (int c = 0; c < 256; ++c) table.of[c] = FoldCharacter(static_cast<unsigned char>(c));
  return table;
}
constexpr FoldTable kFold = MakeFoldTable();

unsigned char Fold(char c) { return kFold.of[static_cast<unsigned char>(c)]; }

// A find runs this over every message: the places the word may start are
// found by its first letter, and only there is the rest compared.
bool PieceHolds(const TextPiece& piece, const char* word, size_t wordLength) {
  if (wordLength > piece.length) return false;
  const unsigned char first = Fold(word[0]);
  for (size_t at = 0; at + wordLength <= piece.length; ++at) {
    if (Fold(piece.start[at]) != first) continue;
    size_t i = 1;
    while (i < wordLength && Fold(piece.start[at + i]) == Fold(word[i])) ++i;
    if (i == wordLength) return true;
  }
  return false;
}

}  // namespace

bool TextsHoldAllWords(const TextPiece* texts, size_t textCount, const char* const* words, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const size_t wordLength = TextLength(words[i]);
    if (wordLength == 0) continue;  // an empty word is in every text
    size_t t = 0;
    while (t < textCount && !PieceHolds(texts[t], words[i], wordLength)) ++t;
    if (t == textCount) return false;
  }
  return true;
}

bool HoldsAllWords(const MessagePieces& message, const char* const* words, size_t count) {
  const TextPiece texts[2] = {message.title, message.description};
  return TextsHoldAllWords(texts, 2, words, count);
}

size_t SplitWords(char* text, const char** words, size_t capacity) {
  size_t count = 0;
  for (char* at = text; *at != 0;) {
    if (*at == ' ' || *at == '\t') {
      *at++ = 0;
      continue;
    }
    if (count == capacity) break;
    words[count++] = at;
    while (*at != 0 && *at != ' ' && *at != '\t') ++at;
  }
  return count;
}

}  // namespace orva
