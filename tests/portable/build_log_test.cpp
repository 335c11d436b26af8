// orva-lookup's reading of build logs (the tools' diagnostics, the tally of
// distinct numbers over a log fed in pieces).
#include <gtest/gtest.h>

#include <string>

#include "orva_lookup/log_scan.h"

using namespace orva;

namespace {

// "" when the line names no number; otherwise the number, and "!" after it
// for an error.
std::string Diagnostic(const std::string& line) {
  LogDiagnostic found;
  if (!FindLogDiagnostic(line.data(), line.size(), &found)) return "";
  return std::string(found.number) + (found.isError ? "!" : "");
}

LogTally TallyInPieces(const std::string& log, size_t piece) {
  LogTally tally;
  for (size_t at = 0; at < log.size(); at += piece) AddLogBytes(tally, log.data() + at, std::min(piece, log.size() - at));
  FinishLog(tally);
  return tally;
}

}  // namespace

// Sample lines in the five tools' documented output forms, and lines that
// only look like numbers.
TEST(FindLogDiagnostic, ToolFormsAndLookAlikes) {
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"prog.asm(12) : error A2008: syntax error : token", "A2008!"},
      {"LINK : fatal error LNK1104: cannot open file 'kernel32.lib'", "LNK1104!"},
      {"prog.obj : error LNK2019: unresolved external symbol _Foo@4 referenced in function _start", "LNK2019!"},
      {"NMAKE : fatal error U1077: 'ml' : return code '0x1'", "U1077!"},
      {"prog.rc(3) : error RC2104 : undefined keyword or key name: IDC_X", "RC2104!"},
      {"CVTRES : fatal error CVT1100: duplicate resource.  type:ICON, name:1, language:0x0409", "CVT1100!"},
      {"prog.rc(9) : ERROR RW1004: unexpected end of file", "RW1004!"},
      {"Error A2008: syntax error", "A2008!"},
      {"prog.asm(3) : warning A4011: multiple .MODEL directives found : .MODEL ignored", "A4011"},
      {"LINK : WARNING LNK4098: defaultlib 'LIBC' conflicts with use of other libs", "LNK4098"},
      {"prog.asm(7) : error A2008: syntax error : 0A2008h", "A2008!"},  // the first diagnostic counts
      {"\tmov eax, 0A2008h", ""},
      {"error XA2008: in a word", ""},
      {"error A2008h: a hex constant", ""},
      {"terror A2008: in a word", ""},
      {"errors A2008: in a word", ""},
      {"error a02008: lower case, a leading zero", "A2008!"},  // the one rule: any case, named A2008
      {"error X1234: no tool", ""},
      {"error LNK20011: eight characters", ""},
      {"error A: no digits", ""},
      {"error A2008 no colon", ""},
      {"error:A2008: no blank", ""},
      {" Assembling: prog.asm", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Diagnostic(c.line)) << c.line;
}

TEST(LogTally, DistinctNumbersInOrderWhateverThePieces) {
  const std::string log =
      "Microsoft (R) Macro Assembler Version 6.14.8444\r\n"
      " Assembling: prog.asm\r\n"
      "prog.asm(12) : error A2008: syntax error : token\r\n"
      "prog.asm(20) : warning A4011: multiple .MODEL directives found : .MODEL ignored\r\n"
      "prog.asm(31) : error A2008: syntax error : x\r\n"
      "\r\n"
      "prog.obj : error LNK2019: unresolved external symbol _Foo@4 referenced in function _start\n"
      "NMAKE : fatal error U1077: 'ml' : return code '0x1'";  // the last line has no line end
  for (size_t piece : {log.size(), size_t{1}, size_t{7}}) {
    const LogTally tally = TallyInPieces(log, piece);
    ASSERT_EQ(4u, tally.numbers.size()) << "pieces of " << piece;
    const char* order[] = {"A2008", "A4011", "LNK2019", "U1077"};
    const uint64_t lines[] = {2, 1, 1, 1};
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(order[i], tally.numbers[i].number) << "pieces of " << piece;
      EXPECT_EQ(lines[i], tally.numbers[i].lines) << order[i];
    }
    EXPECT_EQ("prog.asm(12) : error A2008: syntax error : token", tally.numbers[0].firstLine);
    EXPECT_EQ("NMAKE : fatal error U1077: 'ml' : return code '0x1'", tally.numbers[3].firstLine);
    EXPECT_EQ(8u, tally.lineCount);
    EXPECT_EQ(5u, tally.diagnosticLines);
    EXPECT_TRUE(tally.namesError);
  }
}

TEST(LogTally, WarningsOnlyAndOverlongLines) {
  const std::string longTail(3 * kLogLineLimit, 'x');
  const LogTally tally = TallyInPieces("x.asm(1) : warning A4011: m " + longTail + "\nend\n", 100);
  ASSERT_EQ(1u, tally.numbers.size());
  EXPECT_FALSE(tally.namesError);
  // An error stays an error whatever the lines after it say.
  EXPECT_TRUE(TallyInPieces("x.asm(1) : error A2008: s\nx.asm(2) : warning A4011: m\n", 7).namesError);
  EXPECT_EQ(kLogLineLimit, tally.numbers[0].firstLine.size());  // kept up to the limit
  EXPECT_EQ(2u, tally.lineCount);                                 // the rest is not taken for a line

  const LogTally empty = TallyInPieces("", 1);
  EXPECT_EQ(0u, empty.lineCount);
}
