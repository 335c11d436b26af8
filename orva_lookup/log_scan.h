// What orva-lookup reads in a build log: the error numbers that ML, LINK,
// NMAKE, RC and CVTRES print, and the tally of the distinct numbers in the
// order they first appear. Portable: no Windows header, so the native
// sanitizer build and the fuzzer run exactly this code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "lookup/tool_table.h"

namespace orva {

// Bytes of a line kept to show it: far more than any tool's diagnostic needs
// (a path has at most 260 characters). Lines of any length are read whole;
// only what is shown of them is cut.
constexpr size_t kLogLineLimit = 1024;

struct LogDiagnostic {
  char number[kErrorNameSize];  // the canonical name: A2008 for "A02008"
  const ToolFamily* family;     // the family it belongs to
  bool isError;  // "error" or "fatal error"; false for "warning"
  // Where in the line FindLogDiagnostic read its word ("error",
  // "warning") begins, and its message after the number's colon.
  size_t wordAt;
  size_t messageAt;
};

// The diagnostic a tool wrote on this line, in the form all five share:
// the word "error" or "warning" in any letter case, standing on its own
// ("fatal error" included), blanks, an error number (ReadErrorNumber: a
// family's letters and four digits), optional blanks and a colon:
//   prog.asm(12) : error A2008: syntax error : token
//   prog.rc(3) : error RC2104 : undefined keyword or key name: IDC_X
//   LINK : fatal error LNK1104: cannot open file 'kernel32.lib'
// The first such diagnostic on the line counts; false when there is none.
bool FindLogDiagnostic(const char* line, size_t length, LogDiagnostic* found);

struct LoggedNumber {
  std::string number;
  uint64_t lines;         // lines that named it
  std::string firstLine;  // the first of them, as kept (without its line end)
  bool wholeLine;         // firstLine is that line whole, not cut at the limit
};

// A line kept by its number (counted from 1), as it is shown; read tells
// whether the text came to it.
struct KeptLine {
  uint64_t number;
  bool read = false;
  std::string text;
};

// The encodings Windows writes a log in, told by the log's first bytes.
enum class LogEncoding : uint8_t {
  Undecided,  // fewer than three bytes seen yet
  Bytes,      // no byte-order mark: the ANSI code page, or UTF-8 without one
  Utf8,       // UTF-8 with its mark, EF BB BF
  Utf16Le,    // FF FE: Windows PowerShell 5's ">", Out-File
  Utf16Be,    // FE FF
};

// Bytes of the line read so far that a diagnostic later on it can need: see
// KeepLookback in log_scan.cpp.
constexpr size_t kLogLookback = 32;

// The tally of a whole log, fed in pieces of any size: a line may be split
// across any number of pieces, and lines end in CR LF, LF or a lone CR (a
// tool's progress, a log saved where lines end so). A line is scanned as it
// streams and never held whole. A UTF-16 log is read as UTF-8, so numbers and
// kept lines are in UTF-8 then; see lines.
struct LogTally {
  std::vector<LoggedNumber> numbers;  // in order of first appearance
  uint64_t lineCount = 0;
  uint64_t diagnosticLines = 0;       // lines that named a number
  bool namesError = false;            // some line was an error, not a warning
  LogEncoding encoding = LogEncoding::Undecided;
  // A NUL byte without a byte-order mark: the log is none of the encodings
  // above (UTF-16 without its mark, say), and its numbers cannot be told.
  // Nothing more is read, and the tally must not be taken for a clean log.
  bool notText = false;
  // The lines to keep, in ascending order of number: a source file that a
  // diagnostic names is read as a log is, for the lines it names.
  std::vector<KeptLine> keptLines;

  // What the scan keeps of the line being read when a piece ends inside it.
  struct OpenLine {
    bool open = false;        // some byte of it has been read
    std::string head;         // its first bytes, up to kLogLineLimit + 1
    char lookback[kLogLookback];
    size_t lookbackSize = 0;
    bool lookbackFromLineStart = true;  // the lookback holds the line from its start
    size_t named = 0;         // the index in numbers of the number it names, plus one
    bool first = false;       // it is the first line that names that number
  };

  // The first bytes until the encoding is told, a UTF-16 byte waiting for
  // its pair, the line being read, whether the last piece ended in a CR (an
  // LF that follows belongs to its line end), and where each number stands
  // in numbers, plus one, by its family and its four digits (0 for none).
  std::string head;
  std::string pendingByte;
  OpenLine line;
  bool afterCr = false;
  std::vector<uint32_t> positions;
  size_t nextKept = 0;  // the first of keptLines not yet come to
};

void AddLogBytes(LogTally& tally, const char* bytes, size_t size);
// Counts a last line that has no line end.
void FinishLog(LogTally& tally);

// Reads a whole log from file into tally through a buffer of fixed size, or
// up to the byte that shows it is no text, or, with lines to keep, up to the
// last of them; false when the file cannot be read.
bool ReadLogFile(std::FILE* file, LogTally& tally);

}  // namespace orva
