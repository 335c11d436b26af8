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

// What a tally counts: each number with its lines, the lines, whether an
// error was named, whether the log is no text.
std::string Counted(const LogTally& tally) {
  std::string counted;
  for (const LoggedNumber& logged : tally.numbers) counted += logged.number + " " + std::to_string(logged.lines) + ", ";
  return counted + std::to_string(tally.lineCount) + " lines" + (tally.namesError ? ", an error" : "") +
         (tally.notText ? ", no text" : "");
}

TEST(LogTally, LineEndsEncodingsAndPieces) {
  const std::string error = "x.asm(1) : error A2008: s";
  auto utf16 = [](const std::string& text) {
    std::string wide = "\xFF\xFE";
    for (char c : text) wide += {c, '\0'};
    return wide;
  };
  const struct {
    std::string log;
    size_t piece;
    const char* counted;
  } cases[] = {
      {"", 1, "0 lines"},
      {"x.asm(1) : warning A4011: m " + std::string(3 * kLogLineLimit, 'x') + "\nend\n", 100, "A4011 1, 2 lines"},
      {error + "\nx.asm(2) : warning A4011: m\n", 7, "A2008 1, A4011 1, 2 lines, an error"},
      {std::string(100 * 1024, '.') + " " + error + "\n", 4096, "A2008 1, 1 lines, an error"},
      {"a\r" + error + "\rb\r\n\rc", 1, "A2008 1, 5 lines, an error"},  // lone CRs, a CR LF split
      {utf16("b\r\n" + error), 3, "A2008 1, 2 lines, an error"},      // UTF-16 split across reads
      {utf16(error + "\n") + "\x41", 4, "A2008 1, 2 lines, an error"},    // an odd byte count
      {"\xFF\xFE", 1, "0 lines"},                                        // a mark with nothing after it
      {error + "\r\n" + std::string("x\0y", 3), 16, "A2008 1, 1 lines, an error, no text"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.counted, Counted(TallyInPieces(c.log, c.piece))) << c.log.substr(0, 60);
  // A line longer than the limit is shown up to it.
  EXPECT_EQ(kLogLineLimit, TallyInPieces(cases[1].log, 100).numbers[0].firstLine.size());
}
