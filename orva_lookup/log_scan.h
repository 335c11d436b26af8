// What orva-lookup reads in a build log: the error numbers that ML, LINK,
// NMAKE, RC and CVTRES print, and the tally of the distinct numbers in the
// order they first appear. Portable: no Windows header, so the native
// sanitizer build and the fuzzer run exactly this code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "lookup/tool_table.h"

namespace orva {

// Bytes kept of each log line: far more than any tool's diagnostic needs (a
// path has at most 260 characters); the rest of a longer line is passed over,
// so that memory stays fixed however long a line is.
constexpr size_t kLogLineLimit = 1024;

struct LogDiagnostic {
  char number[kErrorNameSize];  // the canonical name: A2008 for "A02008"
  bool isError;  // "error" or "fatal error"; false for "warning"
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
};

// The encodings Windows writes a log in, told by the log's first bytes.
enum class LogEncoding : uint8_t {
  Undecided,  // fewer than three bytes seen yet
  Bytes,      // no byte-order mark: the ANSI code page, or UTF-8 without one
  Utf8,       // UTF-8 with its mark, EF BB BF
  Utf16Le,    // FF FE: Windows PowerShell 5's ">", Out-File
  Utf16Be,    // FE FF
};

// The tally of a whole log, fed in pieces of any size: a line may be split
// across two pieces, and lines end in LF or CR LF. A UTF-16 log is read as
// UTF-8, so numbers and kept lines are in UTF-8 then; see lines.
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

  // The first bytes until the encoding is told, a UTF-16 byte waiting for
  // its pair, the line being read, and where each number stands in numbers.
  std::string head;
  std::string pendingByte;
  std::string line;
  bool lineOpen = false;
  std::unordered_map<std::string, size_t> positions;
};

void AddLogBytes(LogTally& tally, const char* bytes, size_t size);
// Counts a last line that has no line end.
void FinishLog(LogTally& tally);

}  // namespace orva
