// The tool table's classification of error numbers, the host-word test and
// the split of a message text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lookup/tool_table.h"

using namespace orva;

namespace {

std::string Piece(const TextPiece& p) { return std::string(p.start, p.length); }

struct Classified {
  LookupOutcome outcome;
  std::string stem;
  std::string digits;
  uint32_t number;
};

Classified Classify(const char* text) {
  const ErrorNumberClass c = ClassifyErrorNumber(text);
  return {c.outcome, c.family ? c.family->moduleStem : "", c.digits, c.messageNumber};
}

}  // namespace

TEST(ClassifyErrorNumber, EachFamilyFindsItsModuleAndNumber) {
  struct Case {
    const char* number;
    const char* stem;
    uint32_t message;
  } cases[] = {{"A2008", "ML", 0x2008},     {"CVT1100", "CVTRES", 0x1100}, {"RC2104", "rcc", 0x2104},
               {"RW1004", "rcw", 0x1004},   {"U1050", "NMAKE", 0x1050},    {"LNK2001", "linklib", 0x2001},
               {"A12", "ML", 0x12},         {"2008A", "ML", 0x8A}};
  for (const Case& c : cases) {
    const Classified got = Classify(c.number);
    EXPECT_EQ(LookupOutcome::Found, got.outcome) << c.number;
    EXPECT_EQ(c.stem, got.stem) << c.number;
    EXPECT_EQ(c.message, got.number) << c.number;
  }
  EXPECT_EQ("008A", Classify("2008A").digits);  // the offset is the pattern's length, not its position
}

TEST(ClassifyErrorNumber, ShortInputsAreIncomplete) {
  for (const char* text : {"A", "LNK", "LN", "U", "X", "CVT", "", "12"}) {
    EXPECT_EQ(LookupOutcome::IncompleteNumber, Classify(text).outcome) << '"' << text << '"';
  }
}

TEST(ClassifyErrorNumber, UnrecognizedTool) {
  EXPECT_EQ(LookupOutcome::UnrecognizedTool, Classify("X1234").outcome);
  EXPECT_EQ(LookupOutcome::UnrecognizedTool, Classify("a2008").outcome);  // case-sensitive
  EXPECT_EQ(nullptr, ClassifyErrorNumber("X1234").family);
}

TEST(ClassifyErrorNumber, MoreThanSevenCharactersAreRefusedNotCut) {
  EXPECT_EQ(LookupOutcome::Found, Classify("LNK2001").outcome);
  EXPECT_EQ(LookupOutcome::IncompleteNumber, Classify("LNK20011").outcome);
  EXPECT_EQ(LookupOutcome::IncompleteNumber, Classify("A20081234567890123456789012345").outcome);
  EXPECT_EQ(LookupOutcome::Found, Classify("A123456").outcome);
  EXPECT_EQ("123456", Classify("A123456").digits);
}

TEST(ClassifyErrorNumber, TestOrderDecidesBetweenPatterns) {
  EXPECT_EQ("ML", Classify("RCA1").stem);     // "A" is tested before "RC"
  EXPECT_EQ("NMAKE", Classify("LNKU1").stem); // "U" before "LNK"
  EXPECT_EQ("rcc", Classify("RC2104").stem);
}

TEST(ToolTable, SlotsAndLabels) {
  const char* labels[] = {nullptr, "ML", "CVTRES", "NMAKE", "LINK\\LIB\\DUMPBIN\\EDITBIN", "RC (\"C\" Errors)",
                          "RC (\"W\" Errors)"};
  for (uint32_t slot = 1; slot <= 6; ++slot) {
    ASSERT_NE(nullptr, ToolFamilyOfSlot(slot));
    EXPECT_STREQ(labels[slot], ToolFamilyOfSlot(slot)->label);
  }
  EXPECT_EQ(nullptr, ToolFamilyOfSlot(0));
  EXPECT_EQ(nullptr, ToolFamilyOfSlot(7));
}

// The one rule, as each asker reads a text: a host word, a pasted or given
// number, a note's name (word), and a build-log line from the number on
// (logLine). "" stands for no error number.
TEST(ReadErrorNumber, OneRuleForEveryAsker) {
  const struct {
    const char* text;
    const char* word;
    const char* logLine;
  } cases[] = {
      {"A2008", "A2008", ""},  // a log line that ends at the number, without its colon, names none
      {"A2008: syntax error", "", "A2008"},       {"lnk2019:", "LNK2019", "LNK2019"},
      {"Rc2104 : undefined", "", "RC2104"},       {"rw1004\t:", "RW1004", "RW1004"},
      {"u1050.,", "U1050", ""},                   {"\tCVT1100:\r\n", "CVT1100", ""},
      {"A02008", "A2008", ""},                    {"A0002008:", "A2008", "A2008"},  // leading zeros
      {"a1", "", ""},     {"A1", "", ""},         {"rc1", "", ""},       {"U8", "", ""},
      {"LNK1", "", ""},   {"A12", "", ""},        {"A0008", "", ""},     {"A20081:", "", ""},
      {"A 2008", "", ""}, {"2008A", "", ""},      {"XA2008:", "", ""},   {"A2008h:", "", ""},
      {"A-2008", "", ""}, {"A2008:x", "", "A2008"}, {"CVTR1100", "", ""}, {"LNKU1234:", "", ""},
      {"MOV", "", ""},    {"A", "", ""},          {":", "", ""},         {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(c.word, ReadErrorNumber(c.text).name) << '"' << c.text << "\" as a word";
    EXPECT_STREQ(c.logLine, ReadErrorNumber(c.text, std::strlen(c.text), NumberText::LogLine).name)
        << '"' << c.text << "\" in a log line";
  }
}

TEST(SplitMessageText, ThreePieces) {
  const MessagePieces p = SplitMessageText("Error\x95syntax error\x95\r\nline one\r\nline two");
  EXPECT_EQ("Error", Piece(p.type));
  EXPECT_EQ("syntax error", Piece(p.title));
  EXPECT_EQ("line one\r\nline two", Piece(p.description));
}

TEST(SplitMessageText, TitleShorterThanTypeShowsOnlyItself) {
  const MessagePieces p = SplitMessageText("Warning\x95ok\x95\r\nx");
  EXPECT_EQ("ok", Piece(p.title));
  EXPECT_EQ(2u, p.title.length);
}

TEST(SplitMessageText, MissingSeparatorsLeaveTheLaterPiecesEmpty) {
  MessagePieces p = SplitMessageText("only a type");
  EXPECT_EQ("only a type", Piece(p.type));
  EXPECT_EQ("", Piece(p.title));
  EXPECT_EQ("", Piece(p.description));

  p = SplitMessageText("Error\x95title, no second separator");
  EXPECT_EQ("Error", Piece(p.type));
  EXPECT_EQ("title, no second separator", Piece(p.title));
  EXPECT_EQ("", Piece(p.description));
}

TEST(SplitMessageText, SkippedBytesNeverPassTheTerminator) {
  EXPECT_EQ("", Piece(SplitMessageText("E\x95T\x95").description));
  EXPECT_EQ("", Piece(SplitMessageText("E\x95T\x95\r").description));
  EXPECT_EQ("x", Piece(SplitMessageText("E\x95T\x95\r\nx").description));
  EXPECT_EQ("\x95z", Piece(SplitMessageText("E\x95T\x95" "ab\x95z").description));  // a third separator is text
  EXPECT_EQ("", Piece(SplitMessageText("").type));
}
