// Text primitives: the search codes that steer the lookup, hex reading and
// writing, path cutting and bounded composition.
#include <gtest/gtest.h>

#include <cstring>

#include "lookup/text.h"

using namespace orva;

TEST(FindText, ResultCodes) {
  EXPECT_EQ(1, FindText(1, "A2008", "A"));
  EXPECT_EQ(5, FindText(1, "2008A", "A"));
  EXPECT_EQ(-1, FindText(1, "LNK", "LNK"));  // a pattern as long as the text never matches
  EXPECT_EQ(-1, FindText(1, "LN", "CVT"));
  EXPECT_EQ(0, FindText(1, "U1050", "CVT"));
  EXPECT_EQ(-2, FindText(0, "A2008", "A"));
  EXPECT_EQ(-2, FindText(-5, "A2008", "A"));
  EXPECT_EQ(-1, FindText(1, "", "A"));
  EXPECT_EQ(-1, FindText(1, "", ""));
}

TEST(FindText, StartPositionAndRange) {
  EXPECT_EQ(4, FindText(2, "ABCABC", "AB"));   // the first match at or after start
  EXPECT_EQ(5, FindText(5, "ABCABC", "BC"));   // the last position a match can start at
  EXPECT_EQ(-2, FindText(6, "ABCABC", "BC"));  // start beyond the last candidate
  EXPECT_EQ(0, FindText(1, "ABCABC", "CB"));
  EXPECT_EQ(1, FindText(1, "ABC", ""));        // the empty pattern is found at start
  EXPECT_EQ(0, FindText(1, "a2008", "A"));     // case-sensitive
}

TEST(ParseHexNumber, ReadsDigitsAsHex) {
  EXPECT_EQ(0x2008u, ParseHexNumber("2008"));
  EXPECT_EQ(10u, ParseHexNumber("0A"));
  EXPECT_EQ(0xABCDEFu, ParseHexNumber("abcdef"));
  EXPECT_EQ(0u, ParseHexNumber(""));
  EXPECT_EQ(0xFFFFFFFFu, ParseHexNumber("FFFFFFFF"));
}

TEST(ParseHexNumber, OtherCharactersGiveTheLowBitsOfTheirShiftedCode) {
  EXPECT_EQ(0xFu, ParseHexNumber("/"));      // 0x2F, below 'A': 0x2F - 0x30
  EXPECT_EQ(0x1u, ParseHexNumber("H"));      // 0x48, from 0x41 to 0x56: 0x48 - 0x37
  EXPECT_EQ(0x3u, ParseHexNumber("Z"));      // 0x5A, 0x57 and above: 0x5A - 0x57
  EXPECT_EQ(0x3u, ParseHexNumber("z"));      // 0x7A - 0x57 = 0x23
  EXPECT_EQ(0x8u, ParseHexNumber("\xFF"));   // 0xFF - 0x57 = 0xA8
  EXPECT_EQ(0xF1u, ParseHexNumber("/H"));    // each one a digit of its own
}

TEST(FormatHexNumber, UpperCaseWithoutLeadingZeros) {
  char out[kHexTextSize];
  FormatHexNumber(0x2008, out);
  EXPECT_STREQ("2008", out);
  FormatHexNumber(0, out);
  EXPECT_STREQ("0", out);
  FormatHexNumber(0x4AB, out);
  EXPECT_STREQ("4AB", out);
  FormatHexNumber(0x7FFFFFFF, out);
  EXPECT_STREQ("7FFFFFFF", out);
}

TEST(FormatHexNumber, TopBitSetIsWrittenAsNegative) {
  char out[kHexTextSize];
  FormatHexNumber(0xFFFFFFFF, out);
  EXPECT_STREQ("-1", out);
  FormatHexNumber(0x80000000, out);
  EXPECT_STREQ("-80000000", out);  // the longest text: it fills the buffer exactly
}

TEST(PathOnly, KeepsThroughTheLastBackslash) {
  char out[kPathSize];
  PathOnly("C:\\IDE\\Addins\\orvara.dll", out);
  EXPECT_STREQ("C:\\IDE\\Addins\\", out);
  PathOnly("orvara.dll", out);
  EXPECT_STREQ("", out);
  PathOnly("C:\\", out);
  EXPECT_STREQ("C:\\", out);
}

TEST(CopyFirstAndTextFrom, Basics) {
  char out[kDigitsSize];
  std::memset(out, 'X', sizeof out);
  CopyFirst("A2008", 3, out);
  EXPECT_STREQ("A20", out);
  EXPECT_STREQ("2008", TextFrom("A2008", 1));
  EXPECT_STREQ("", TextFrom("A2008", 5));
  EXPECT_STREQ("", TextFrom("A2008", 99));
}

TEST(CopyFirst, NeverWritesBeyondTheBuffer) {
  char guarded[kDigitsSize + 4];
  std::memset(guarded, '#', sizeof guarded);
  char (&out)[kDigitsSize] = *reinterpret_cast<char (*)[kDigitsSize]>(guarded);
  CopyFirst("LNK12345678", 11, out);
  EXPECT_STREQ("LNK1234", out);
  for (size_t i = kDigitsSize; i < sizeof guarded; ++i) EXPECT_EQ('#', guarded[i]) << i;
}

TEST(AppendText, AppendsToWhatIsThere) {
  char buffer[16] = {};
  EXPECT_TRUE(AppendText(buffer, "Edit ", "Note"));
  EXPECT_TRUE(AppendText(buffer, " - A1"));
  EXPECT_STREQ("Edit Note - A1", buffer);
}

TEST(AppendText, RefusesWhatDoesNotFitAndLeavesTheBuffer) {
  char guarded[8 + 4];
  std::memset(guarded, '#', sizeof guarded);
  char (&buffer)[8] = *reinterpret_cast<char (*)[8]>(guarded);
  ZeroFill(buffer);
  EXPECT_TRUE(AppendText(buffer, "1234567"));  // 7 characters and the terminator fill it
  EXPECT_FALSE(AppendText(buffer, "8"));
  EXPECT_STREQ("1234567", buffer);
  ZeroFill(buffer);
  EXPECT_FALSE(AppendText(buffer, "abc", "defgh"));
  EXPECT_STREQ("", buffer);
  for (size_t i = 8; i < sizeof guarded; ++i) EXPECT_EQ('#', guarded[i]) << i;
}

TEST(AppendText, RefusesAnUnterminatedBuffer) {
  char buffer[4];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_FALSE(AppendText(buffer, ""));
}
