// orva-lookup.exe as a user or a build script runs it: a copy beside the
// shipped modules in a scratch folder (so its notes are a scratch one), its
// exit status, its output byte for byte, and its reading of build logs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "lookup/tool_table.h"
#include "tests/windows/support/catalogue_expected.h"
#include "tests/windows/support/run_program.h"
#include "tests/windows/support/test_paths.h"

namespace {

const char* const kShipped[] = {"orva-lookup.exe", "ML.dll", "CVTRES.dll", "NMAKE.dll",
                                "linklib.dll",     "rcc.dll", "rcw.dll"};

// Every line ends in exactly one CR LF, the last one included.
testing::AssertionResult EveryLineEndsInCrLf(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    const bool after = text[i] == '\n' && i > 0 && text[i - 1] == '\r' && (i < 2 || text[i - 2] != '\r');
    if ((text[i] == '\r' && !crlf) || (text[i] == '\n' && !after)) {
      return testing::AssertionFailure() << "a bare or doubled line end at byte " << i << " of:\n" << text;
    }
  }
  if (!text.empty() && text.back() != '\n') return testing::AssertionFailure() << "no line end at the end";
  return testing::AssertionSuccess();
}

class OrvaLookupTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const char* file : kShipped) {
      ASSERT_TRUE(CopyFileA((BuiltAddinFolder() + file).c_str(), (folder_ + file).c_str(), FALSE))
          << file;
    }
  }
  void TearDown() override { RemoveTree(folder_); }

  // Runs orva-lookup with arguments; a log, when given, is its standard input.
  ProgramRun Run(const std::string& arguments, const std::string* log = nullptr) {
    std::string input;
    if (log != nullptr) {
      input = folder_ + "stdin.log";
      WriteFileBytes(input, *log);
    }
    return RunProgram("\"" + folder_ + "orva-lookup.exe\" " + arguments, input, folder_);
  }

  void SaveNote(const std::string& name, const std::string& bytes) {
    char user[257] = {};
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    const std::string notes = folder_ + "Orva Notes\\";
    CreateDirectoryA(notes.c_str(), nullptr);
    CreateDirectoryA((notes + user).c_str(), nullptr);
    WriteFileBytes(notes + user + "\\" + name + ".note", bytes);
  }

  std::string folder_;
};

}  // namespace

TEST_F(OrvaLookupTest, NumberExitStatusAndLineEnds) {
  struct Case {
    std::string arguments;
    DWORD status;
    const char* shows;  // on standard output
  } cases[] = {
      {"A2008", 0, "Tool: ML\r\n"},
      {"a2008", 0, "Tool: ML\r\n"},  // upper case, as the input box makes it
      {"A9999", 1, "Could not find info for this error number\r\n"},
      {"X1234", 1, "Tool: Unrecognized tool\r\n"},
      {"LNK", 1, "Please enter a complete error number\r\n"},
      // As pasted from a build log.
      {"LNK2019:", 0, "Tool: LINK\\LIB\\DUMPBIN\\EDITBIN\r\n"},
      {"\" rc2104 :\"", 0, "Tool: RC (\"C\" Errors)\r\n"},
      {"LNK20190", 1, "Description:\r\nAn error number has at most 7 characters\r\n"},
      // Redirected, the text keeps the bytes of the ANSI code page.
      {"CVT1100", 0, "Title: duplicate resource \x97 type:type"},
      {"--help", 0, "usage: orva-lookup NUMBER [FOLDER]\r\n"},
      {"", 2, ""},
      {"--bogus", 2, ""},
      {"--search", 2, ""},
      {"--explain a.log b.log", 2, ""},
      {"A2008 \"" + folder_ + "no such folder\"", 2, ""},
      {"A2008 \"" + TestProgramFolder() + "catalogue\"", 2, ""},  // a folder without modules
  };
  for (const Case& c : cases) {
    const ProgramRun run = Run(c.arguments);
    EXPECT_EQ(c.status, run.exitCode) << c.arguments << "\n" << run.out << run.err;
    EXPECT_NE(std::string::npos, run.out.find(c.shows)) << c.arguments << "\n" << run.out;
    EXPECT_TRUE(EveryLineEndsInCrLf(run.out)) << c.arguments;
    if (c.status == 2) EXPECT_FALSE(run.err.empty()) << c.arguments << ": says nothing";
  }
}

// In a console, which shows bytes in the OEM code page, every character of
// the catalogue still shows as itself: CVT1100's dash as a dash.
TEST_F(OrvaLookupTest, AConsoleShowsEveryCharacterAsItself) {
  // A test program run with its output in a pipe has no console to show
  // text in (its code page reads 0): it takes a new one and keeps it. (Left
  // without one after FreeConsole, the programs it starts next would lose
  // their redirected output.)
  if (GetConsoleOutputCP() == 0) {
    const HANDLE standard[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                               GetStdHandle(STD_ERROR_HANDLE)};
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    SetStdHandle(STD_INPUT_HANDLE, standard[0]);
    SetStdHandle(STD_OUTPUT_HANDLE, standard[1]);
    SetStdHandle(STD_ERROR_HANDLE, standard[2]);
  }
  // A screen of its own, so that only orva-lookup's output is on it, in the
  // code page a console has unless told otherwise.
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            &inherit, CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, screen);
  const UINT codePage = GetConsoleOutputCP();
  SetConsoleOutputCP(GetOEMCP());

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = screen;
  startup.hStdError = screen;
  std::string command = "\"" + folder_ + "orva-lookup.exe\" CVT1100";
  PROCESS_INFORMATION process = {};
  const bool started =
      CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, folder_.c_str(), &startup, &process);
  std::wstring shown;
  if (started) {
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    GetConsoleScreenBufferInfo(screen, &info);
    shown.assign(static_cast<size_t>(info.dwSize.X) * info.dwSize.Y, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, &shown[0], static_cast<DWORD>(shown.size()), COORD{0, 0}, &read);
  }
  SetConsoleOutputCP(codePage);
  CloseHandle(screen);

  ASSERT_TRUE(started);
  EXPECT_NE(std::wstring::npos, shown.find(L"Title: duplicate resource \x2014 type:type"))
      << "the console shows: " << std::string(shown.begin(), shown.begin() + std::min<size_t>(shown.size(), 400));
}

TEST_F(OrvaLookupTest, ExplainsEachNumberOfABuildLogOnce) {
  const std::string log =
      "Microsoft (R) Program Maintenance Utility Version 6.00.8168.0\r\n"
      "        ml /c /coff prog.asm\r\n"
      " Assembling: prog.asm\r\n"
      "prog.asm(12) : error A2008: syntax error : token\r\n"
      "prog.asm(13) : warning A4011: multiple .MODEL directives found : .MODEL ignored\r\n"
      "prog.asm(30) : error A2008: syntax error : 0A2008h\r\n"
      "prog.asm(31) : error A9999: a number the modules lack\r\n"
      "        mov eax, 0A2008h ; error XA2008: inside a word\r\n"
      "prog.rc(3) : error RC2104 : undefined keyword or key name: IDC_X\r\n"
      "CVTRES : fatal error CVT1100: duplicate resource.  type:ICON, name:1, language:0x0409\r\n"
      "LINK : fatal error LNK1104: cannot open file 'kernel32.lib'\r\n"
      "prog.obj : error LNK2019: unresolved external symbol _Foo@4 referenced in function _start\r\n"
      "prog.obj : error LNK2019: unresolved external symbol _Bar@8 referenced in function _start\r\n"
      "NMAKE : fatal error U1077: 'ml' : return code '0x1'\r\n"
      "Stop.\r\n";
  // The note's text ends at its first zero byte, as in the add-in.
  SaveNote("A2008", std::string("Check the macro\r\nbefore line 12.") + '\0' + "left over");

  WriteFileBytes(folder_ + "build log.txt", log);
  const ProgramRun fromFile = Run("--explain \"" + folder_ + "build log.txt\"");
  const ProgramRun fromInput = Run("--explain", &log);
  EXPECT_EQ(1u, fromFile.exitCode) << fromFile.err;
  EXPECT_EQ(fromFile.out, fromInput.out);
  EXPECT_TRUE(EveryLineEndsInCrLf(fromFile.out));

  struct Expected {
    const char* number;
    const char* lines;
    const char* first;
  } expected[] = {
      {"A2008", "2 lines", "prog.asm(12) : error A2008: syntax error : token"},
      {"A4011", "1 line", "prog.asm(13) : warning A4011: multiple .MODEL directives found : .MODEL ignored"},
      {"A9999", "1 line", "prog.asm(31) : error A9999: a number the modules lack"},
      {"RC2104", "1 line", "prog.rc(3) : error RC2104 : undefined keyword or key name: IDC_X"},
      {"CVT1100", "1 line", "CVTRES : fatal error CVT1100: duplicate resource.  type:ICON, name:1, language:0x0409"},
      {"LNK1104", "1 line", "LINK : fatal error LNK1104: cannot open file 'kernel32.lib'"},
      {"LNK2019", "2 lines", "prog.obj : error LNK2019: unresolved external symbol _Foo@4 referenced in function _start"},
      {"U1077", "1 line", "NMAKE : fatal error U1077: 'ml' : return code '0x1'"},
  };
  const std::string& out = fromFile.out;
  size_t previous = 0;
  for (const Expected& e : expected) {
    const std::string header = std::string("== ") + e.number + ": " + e.lines + ", the first:\r\n   " + e.first + "\r\n";
    const size_t at = out.find(header);
    ASSERT_NE(std::string::npos, at) << header << "\nin:\n" << out;
    EXPECT_LT(previous, at + 1) << e.number << " is out of the order of first appearance";
    EXPECT_EQ(at, out.rfind(std::string("== ") + e.number + ":")) << e.number << " explained twice";
    previous = at;
    // The explanation is what a lookup of the number alone shows.
    const std::string fields = Run(e.number).out;
    EXPECT_EQ(at + header.size(), out.find(fields, at)) << e.number;
  }
  EXPECT_NE(std::string::npos, out.find("Your note:\r\nCheck the macro\r\nbefore line 12.\r\n\r\n== A4011"));
  EXPECT_EQ(out.find("Your note:"), out.rfind("Your note:"));  // only A2008 has one
  EXPECT_NE(std::string::npos, out.find("\r\n8 error numbers on 10 of 15 lines.\r\n"));
}

TEST_F(OrvaLookupTest, ExplainStatusTheLinesOfAnyLogAndTheirSources) {
  const std::string error = "prog.asm(12) : error A2008: syntax error : token";
  std::string progress, accents, wide = "\xFF\xFE";
  for (int i = 0; i < 100; ++i) progress += "building " + std::to_string(i) + "%\r";
  for (int i = 0; i < 1000; ++i) accents += "\xC3\xA9";  // UTF-8 without a mark
  for (char c : std::string("; caf\xE9\r\n\tmov caf\xE9, 1\r\n")) wide += {c, '\0'};
  WriteFileBytes(folder_ + "wide.asm", wide);
  // The hello sample, once with its source beside its log and once without.
  const std::string hello = TestProgramFolder() + "..\\ide\\Projects\\hello\\";
  CreateDirectoryA((folder_ + "hello").c_str(), nullptr);
  CreateDirectoryA((folder_ + "no source").c_str(), nullptr);
  CopyFileA((hello + "build.log").c_str(), (folder_ + "hello\\build.log").c_str(), FALSE);
  CopyFileA((hello + "hello.asm").c_str(), (folder_ + "hello\\hello.asm").c_str(), FALSE);
  CopyFileA((hello + "build.log").c_str(), (folder_ + "no source\\build.log").c_str(), FALSE);
  const std::string explainHello = "--explain \"" + folder_ + "hello\\build.log\"";
  const struct {
    std::string arguments, log;
    DWORD status;
    std::string shows, hides;
  } cases[] = {
      {"--explain", "        ml /c prog.asm\r\n Assembling: prog.asm\r\nmov eax, 0A2008h\r\n", 0, "No error numbers in 3 lines.\r\n", ""},
      {"--explain", "prog.asm(13) : warning A4011: multiple .MODEL directives found\r\n", 0, "== A4011", ""},
      // Lines that end in a lone CR, the diagnostic after the first kilobyte.
      {"--explain", progress + error + "\rStop.\r", 1, "the first:\r\n   " + error + "\r\n", ""},
      // A line of 2,000 bytes: its diagnostic found, its start shown in whole characters.
      {"--explain", "x" + accents + " " + error + "\r\n", 1, "the first:\r\n   x\xE9\xE9", ""},
      // The source line a first line names, found beside the log, the token marked.
      {explainHello, "", 1, "\r\n   12 | MsgText    db \"Hello, world\", 0 xyz\r\n      | " + std::string(32, ' ') + "^^^\r\nType:", ""},
      {explainHello, "", 1, "\r\n   20 |     invoke MessageBoxX, NULL", ""},
      {"--explain --no-source \"" + folder_ + "hello\\build.log\"", "", 1, "== A2006", "   12 |"},
      {"--explain \"" + folder_ + "no source\\build.log\"", "", 1, "== A2006", "   12 |"},
      // A source in UTF-16, named by its whole path: shown in the ANSI code page, tabs expanded.
      {"--explain", folder_ + "wide.asm(2) : error A2008: syntax error : caf\xE9\r\n", 1,
       "\r\n   2 |         mov caf\xE9, 1\r\n     |             ^^^^\r\n", ""},
  };
  for (const auto& c : cases) {
    const ProgramRun run = Run(c.arguments, c.log.empty() ? nullptr : &c.log);
    EXPECT_EQ(c.status, run.exitCode) << c.shows;
    EXPECT_NE(std::string::npos, run.out.find(c.shows)) << c.arguments << "\n" << run.out.substr(0, 400);
    if (!c.hides.empty()) EXPECT_EQ(std::string::npos, run.out.find(c.hides)) << c.arguments;
  }
  EXPECT_EQ(2u, Run("--explain \"" + folder_ + "no such.log\"").exitCode);
}

// The sample logs as Windows writes them give the plain log's report and
// status, a line beyond ASCII shown in the ANSI code page; NUL characters
// without a byte-order mark are refused, never taken for a clean log.
TEST_F(OrvaLookupTest, ExplainReadsTheEncodingsWindowsWrites) {
  for (const char* project : {"hello", "dialog", "linking"}) {
    const std::string plain = "caf\xE9.asm(1) : error A2206: caf\xE9 ?\r\n" +  // ? for U+263A
                              ReadFileBytes(TestProgramFolder() + "..\\ide\\Projects\\" + project + "\\build.log");
    std::string le = "\xFF\xFE", be = "\xFE\xFF", utf8;
    for (char c : plain) {
      le += c == '?' ? std::string("\x3A\x26") : std::string{c, '\0'};
      be += c == '?' ? std::string("\x26\x3A") : std::string{'\0', c};
      utf8 += c == '\xE9' ? "\xC3\xA9" : c == '?' ? "\xE2\x98\xBA" : std::string(1, c);
    }
    const ProgramRun expected = Run("--explain", &plain);
    EXPECT_EQ(1u, expected.exitCode) << project;
    for (const std::string& log : {utf8, "\xEF\xBB\xBF" + utf8, le, be}) {
      const ProgramRun run = Run("--explain", &log);
      EXPECT_EQ(expected.exitCode, run.exitCode) << project;
      EXPECT_EQ(expected.out, run.out) << project;
    }
    const std::string unmarked = le.substr(2);
    const ProgramRun refused = Run("--explain", &unmarked);
    EXPECT_EQ(2u, refused.exitCode) << project;
    EXPECT_NE(std::string::npos, refused.err.find("NUL characters but no byte-order mark")) << refused.err;
  }
}

// A log far larger than what the tool may hold: it streams, and still counts.
TEST_F(OrvaLookupTest, ExplainStreamsALargeLog) {
  std::string block = "prog.asm(1) : error A2008: syntax error : token\r\n";
  while (block.size() < 1024 * 1024) block += "        ml /c /coff /Cp /nologo some\\rather\\long\\path\\prog.asm\r\n";
  const std::string path = folder_ + "large.log";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  for (int i = 0; i < 100; ++i) WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
  CloseHandle(file);

  const ProgramRun run = Run("--explain \"" + path + "\"");
  EXPECT_EQ(1u, run.exitCode) << run.err;
  EXPECT_NE(std::string::npos, run.out.find("== A2008: 100 lines, the first:")) << run.out.substr(0, 200);
  ASSERT_GT(run.peakMemory, 0u) << "the program's memory could not be read";
  EXPECT_LT(run.peakMemory, 24u * 1024 * 1024) << "a 100 MB log was held in memory";
}

// The search over the shipped catalogue finds exactly the entries whose title
// or description holds every word, as the catalogue's own sources say.
TEST_F(OrvaLookupTest, SearchListsEveryErrorThatHoldsAllWords) {
  const std::vector<std::string> words = {"unresolved", "external"};
  std::vector<std::string> expected;
  for (uint32_t slot = 1; slot <= orva::kToolFamilies; ++slot) {
    std::vector<std::pair<uint32_t, std::string>> found;
    for (const Expected& entry : ReadExpected(orva::ToolFamilyOfSlot(slot)->moduleStem)) {
      std::string shown = entry.text.substr(entry.text.find('\x95') + 1);  // title and description
      std::transform(shown.begin(), shown.end(), shown.begin(), [](char c) { return static_cast<char>(tolower(c)); });
      if (std::all_of(words.begin(), words.end(), [&](const std::string& w) { return shown.find(w) != std::string::npos; })) {
        found.emplace_back(entry.number, entry.name);
      }
    }
    std::sort(found.begin(), found.end());  // the walk goes in table order
    for (const auto& f : found) expected.push_back(f.second);
  }
  ASSERT_FALSE(expected.empty());

  const ProgramRun run = Run("--search UNRESOLVED External");
  EXPECT_EQ(0u, run.exitCode) << run.err;
  EXPECT_TRUE(EveryLineEndsInCrLf(run.out));
  std::vector<std::string> listed;
  std::istringstream lines(run.out);
  std::string line;
  while (std::getline(lines, line)) listed.push_back(line.substr(0, line.find(' ')));
  EXPECT_EQ(expected, listed) << run.out;

  EXPECT_EQ(1u, Run("--search unresolved zzzzq").exitCode);
}

// Every block is searched, one whose entries lie in a gap between other
// blocks' included, and a module of two languages shows in the search what
// its lookup shows (tests/fixtures/layouts).
TEST_F(OrvaLookupTest, SearchAndLookupReadTheWholeTableTheLoaderFinds) {
  for (const char* module : {"linklib.dll", "rcc.dll"}) {
    ASSERT_TRUE(CopyFileA((FixtureFolder("layouts") + module).c_str(), (folder_ + module).c_str(), FALSE));
  }
  const ProgramRun run = Run("--search stratum");
  std::vector<std::string> listed;
  std::istringstream lines(run.out);
  std::string line, rc2008;
  while (std::getline(lines, line)) {
    listed.push_back(line.substr(0, line.find(' ')));
    if (listed.back() == "RC2008") rc2008 = line;
  }
  EXPECT_EQ((std::vector<std::string>{"LNK1000", "LNK2000", "LNK3000", "RC2008"}), listed) << run.out;
  const std::string shown = Run("RC2008").out;
  const size_t title = shown.find("Title: ") + 7;
  EXPECT_NE(std::string::npos, rc2008.find(shown.substr(title, shown.find('\r', title) - title) + "\r")) << shown;
}
