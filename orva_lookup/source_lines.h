// The source line a build log's diagnostic names, and how orva-lookup shows
// it under the diagnostic's explanation. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orva {

struct SourceSite {
  std::string file;   // as the log names it
  uint64_t line;      // counted from 1
  std::string token;  // the word the message ends in and complains about; empty for none
};

// The site a diagnostic names at the start of its line, in the form ML, RC,
// CVTRES and NMAKE write: "file(line) : error NUMBER: text", or with a
// column, "file(line,column)"; "fatal error" and "warning" too. The token is
// the one word after the message's last colon ("syntax error : xyz"), taken
// only from a line kept whole. False for a diagnostic without a file and a
// line (LINK : ..., NMAKE : ...) and for a line without a diagnostic.
bool SiteOfDiagnostic(const std::string& line, bool wholeLine, SourceSite* site);

// A source line as it is shown: its number and a bar, then its text with
// tabs expanded to every eighth column, all cut to fewer than width columns;
// under it, when the token occurs in the text once as a word of its own, a
// line of carets under the token. Each line ends in LF.
std::string ShowSourceLine(uint64_t number, const std::string& text, const std::string& token, size_t width);

}  // namespace orva
