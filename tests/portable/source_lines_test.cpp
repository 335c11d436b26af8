// Where a build log's diagnostic points in a source file, and the source
// line orva-lookup shows under its explanation.
#include <gtest/gtest.h>

#include <string>

#include "orva_lookup/source_lines.h"

using namespace orva;

// "file line token" of the site a line names, or "" for none.
TEST(SiteOfDiagnostic, FormsTheToolsWrite) {
  const struct {
    const char* line;
    bool whole;
    const char* site;
  } cases[] = {
      {"hello.asm(12) : error A2008: syntax error : xyz", true, "hello.asm 12 xyz"},
      {"  dialog.rc(7,19) : error RC2104 : undefined keyword or key name: IDC_X", true, "dialog.rc 7 IDC_X"},
      {"makefile(5) : fatal error U1034: syntax error : separator missing", true, "makefile 5 "},
      {"C:\\Program Files (x86)\\a.asm(3) : warning A4011: m : .MODEL", true, "C:\\Program Files (x86)\\a.asm 3 .MODEL"},
      {"hello.asm(12) : error A2008: syntax error : xyz", false, "hello.asm 12 "},  // cut: its end unknown
      {"hello.asm(12) : error A2034: unexpected", true, "hello.asm 12 "},  // no colon in its message
      {"LINK : fatal error LNK1104: cannot open file 'kernel32.lib'", true, ""},
      {"hello.asm(0) : error A2008: s : x", true, ""},
      {"hello.asm12) : error A2008: s : x", true, ""},
  };
  for (const auto& c : cases) {
    SourceSite site{};
    const bool named = SiteOfDiagnostic(c.line, c.whole, &site);
    EXPECT_EQ(c.site, named ? site.file + " " + std::to_string(site.line) + " " + site.token : "") << c.line;
  }
}

TEST(ShowSourceLine, TabsWidthAndTheMark) {
  const struct {
    const char* text;
    const char* token;
    size_t width;
    const char* shown;
  } cases[] = {
      {"\tmov eax, x", "x", 80, "   7 |         mov eax, x\n     |                  ^\n"},
      {"x: mov eax, x", "x", 80, "   7 | x: mov eax, x\n"},  // twice: no mark
      {"mov eax, xyz", "xyz", 19, "   7 | mov eax, xy\n     |          ^^\n"},
      {"mov eax, xyz", "xyz", 16, "   7 | mov eax,\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.shown, ShowSourceLine(7, c.text, c.token, c.width)) << c.text;
}
