// orva-lookup: the lookup engine on the console, for build logs and scripts.
// It lies beside the message modules and reads them from its own folder.
//   orva-lookup NUMBER [FOLDER]   the four fields the lookup window shows
//   orva-lookup --explain [--no-source] [FILE]
//                                 every error number of a build log explained,
//                                 with the source line its first line names
//   orva-lookup --search WORD...  every message whose texts hold the words
// The texts go out in the Windows ANSI code page, as the modules hold them,
// to a file or a pipe; a console shows every character as itself. Every line
// ends in one CR LF.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "lookup/word_search.h"
#include "notes/note_files.h"
#include "orva_lookup/log_scan.h"
#include "orva_lookup/source_lines.h"
#include "state/notes_folder.h"

namespace {

// Exit status: found (or a log without errors); not found, unrecognised or
// incomplete (or a log with errors, or a search without result); a usage or
// folder error.
constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kUsageError = 2;

const char kUsage[] =
    "usage: orva-lookup NUMBER [FOLDER]\n"
    "       orva-lookup --explain [--no-source] [FILE]\n"
    "       orva-lookup --search WORD...\n"
    "\n"
    "  NUMBER            shows the type, title, tool and description of an error\n"
    "                    number such as A2008, LNK2019, U1077, RC2104, RW1004 or\n"
    "                    CVT1100, read from the message modules in FOLDER (by\n"
    "                    default the folder orva-lookup.exe lies in). Paste it\n"
    "                    from a build log as it stands: blanks around it and a\n"
    "                    ':' ',' or '.' after it are dropped (LNK2019: works);\n"
    "                    it has at most 7 characters\n"
    "  --explain [FILE]  reads a build log of ML, LINK, NMAKE, RC or CVTRES (from\n"
    "                    standard input without FILE) and explains each error\n"
    "                    number in it once, with your ORVA note on it. The log\n"
    "                    may be ANSI, UTF-8, or UTF-16 with a byte-order mark.\n"
    "                    Under each number it shows the source line that the\n"
    "                    number's first line names, the token the message ends\n"
    "                    in marked (the file is looked for beside the log, then\n"
    "                    in the current folder; --no-source leaves them out):\n"
    "                      orva-lookup --explain hello\\build.log\n"
    "                      == A2008: 1 line, the first:\n"
    "                         hello.asm(12) : error A2008: syntax error : xyz\n"
    "                         12 | MsgText    db \"Hello, world\", 0 xyz\n"
    "                            |                                 ^^^\n"
    "  --search WORD...  lists every error whose title or description holds all\n"
    "                    the words, in any letter case\n"
    "\n"
    "Exit status: 0 found, or a log without errors; 1 not found, or a log with\n"
    "errors, or no error holds the words; 2 a usage or folder error, or a log\n"
    "that cannot be read.\n";

// --- Output ----------------------------------------------------------------
// Standard output as the program found it: the console it shows in, or null
// for a file or a pipe.
HANDLE g_console;

// A console shows bytes in its own code page, the OEM one by default, where
// the ANSI bytes of the catalogue's characters beyond ASCII stand for other
// letters (CVT1100's dash would show as one). So a console is given the
// text as the ANSI code page reads it, in UTF-16; a file or a pipe gets the
// ANSI bytes as they are, which scripts and logs compare.
void FindConsole() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  g_console = out != INVALID_HANDLE_VALUE && GetConsoleMode(out, &mode) ? out : nullptr;
  if (g_console == nullptr) _setmode(_fileno(stdout), _O_BINARY);
}

void Write(const std::string& bytes) {
  if (bytes.empty()) return;
  if (g_console == nullptr) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return;
  }
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, &wide[0], static_cast<int>(wide.size()));
  DWORD written = 0;
  WriteConsoleW(g_console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

// Every line end is written as CR LF, whether the text held CR LF (the
// descriptions), LF (our own lines) or a lone CR.
void Print(const char* text, size_t length) {
  std::string lines;
  lines.reserve(length + length / 32);
  for (size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < length && text[i + 1] == '\n') continue;
    if (c == '\r' || c == '\n') {
      lines += "\r\n";
    } else {
      lines += c;
    }
  }
  Write(lines);
}

void Print(const std::string& text) { Print(text.data(), text.size()); }
void Print(const char* text) { Print(text, std::strlen(text)); }

void PrintFields(const orva::LookupFields& fields) {
  Print(std::string("Type: ") + fields.type + "\nTitle: " + fields.title + "\nTool: " + fields.tool +
        "\nDescription:\n" + fields.description + "\n");
}

// --- The module folder ---------------------------------------------------------

// The folder orva-lookup.exe lies in, ending in a backslash.
bool ProgramFolder(char (&folder)[orva::kPathSize]) {
  char program[orva::kPathSize] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, orva::kPathSize);
  if (length == 0 || length >= orva::kPathSize - 1) return false;
  orva::PathOnly(program, folder);
  return folder[0] != 0;
}

// A folder given on the command line, ending in a backslash. A folder in the
// Unix form (under Wine) is reached through drive Z:.
bool GivenFolder(const char* given, char (&folder)[orva::kPathSize]) {
  if (given[0] == '/' && !orva::AppendText(folder, "Z:")) return false;
  if (!orva::AppendText(folder, given)) return false;
  for (char* p = folder; *p != 0; ++p) {
    if (*p == '/') *p = '\\';
  }
  const size_t length = orva::TextLength(folder);
  return length == 0 || folder[length - 1] == '\\' || orva::AppendText(folder, "\\");
}

// A folder without a single message module is no module folder: say so,
// rather than answer every number with "Could not find info".
bool HoldsMessageModules(const char* folder) {
  for (const orva::ToolFamily& family : orva::kToolTable) {
    char path[orva::kPathSize];
    if (orva::MessageModulePath(folder, family, path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
      return true;
    }
  }
  return false;
}

bool ModuleFolder(const char* given, char (&folder)[orva::kPathSize]) {
  const bool composed = given != nullptr ? GivenFolder(given, folder) : ProgramFolder(folder);
  if (!composed) {
    std::fprintf(stderr, "orva-lookup: the folder path is too long\n");
    return false;
  }
  if (!HoldsMessageModules(folder)) {
    std::fprintf(stderr, "orva-lookup: no message modules (ML.dll, linklib.dll ...) in %s\n", folder);
    return false;
  }
  return true;
}

// --- orva-lookup NUMBER [FOLDER] -------------------------------------------------

int LookUp(const char* argument, const char* folder) {
  // What users paste from a build log comes with blanks and the message's
  // colon around the number. An error number is looked up by its canonical
  // name; any other text as the lookup window looks typed text up.
  const orva::ErrorNumber named = orva::ReadErrorNumber(argument);
  if (named.family != nullptr) argument = named.name;
  const orva::TextPiece number = orva::TrimPastedNumber(argument);
  if (number.length > orva::kMaxErrorNumberLength) {
    // The engine would call it incomplete; the user has given too much.
    const std::string tooLong =
        "An error number has at most " + std::to_string(orva::kMaxErrorNumberLength) + " characters";
    PrintFields({"", "", "", tooLong.c_str()});
    return kNotFound;
  }
  // The lookup window's input box takes upper case only; so does the console.
  char upper[orva::kNumberSize] = {};
  orva::CopyFirst(number.start, number.length, upper);
  CharUpperBuffA(upper, static_cast<DWORD>(orva::TextLength(upper)));

  orva::LookupResult result = orva::RunLookup(upper, folder);
  PrintFields(orva::FieldsOf(result));
  const int status = result.outcome == orva::LookupOutcome::Found ? kFound : kNotFound;
  orva::ReleaseLookupResult(result);
  return status;
}

// --- orva-lookup --explain [FILE] ---------------------------------------------------

// A line of the log in the ANSI code page, as everything is printed: from
// UTF-8 when the log was UTF-8 or UTF-16 (characters the code page lacks
// become '?'); a log without a byte-order mark is ANSI or UTF-8, and a line
// is taken for UTF-8 when it reads as UTF-8 without fault.
std::string LineInAnsi(const std::string& line, orva::LogEncoding encoding) {
  const bool marked = encoding != orva::LogEncoding::Bytes;
  const int size = static_cast<int>(line.size());
  const DWORD strict = marked ? 0 : MB_ERR_INVALID_CHARS;
  const int wideSize = MultiByteToWideChar(CP_UTF8, strict, line.data(), size, nullptr, 0);
  if (wideSize <= 0) return line;
  std::wstring wide(static_cast<size_t>(wideSize), L'\0');
  MultiByteToWideChar(CP_UTF8, strict, line.data(), size, &wide[0], wideSize);
  const int ansiSize = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(std::max(ansiSize, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, &ansi[0], ansiSize, nullptr, nullptr);
  return ansi;
}

// The width of the console the text shows in; a file or a pipe gets that of
// a console of the classic size.
size_t OutputWidth() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (g_console != nullptr && GetConsoleScreenBufferInfo(g_console, &info)) {
    return static_cast<size_t>(info.srWindow.Right - info.srWindow.Left + 1);
  }
  return 80;
}

// A source file as the log names it: an absolute path as it stands, another
// beside the log (logFolder; empty for standard input) and else in the
// current folder. Null when it cannot be opened.
FILE* OpenSource(const std::string& name, const std::string& logFolder) {
  const bool absolute = name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':');
  FILE* source = absolute || logFolder.empty() ? nullptr : std::fopen((logFolder + name).c_str(), "rb");
  return source != nullptr ? source : std::fopen(name.c_str(), "rb");
}

// The source lines that the numbers' first lines name. Each file is read
// once, however many numbers name it, and line by line as a log is read, in
// the encodings a log may have; one that is missing, cannot be read, is no
// text or is shorter than the line gives no line, and nothing is said.
struct SourceLines {
  std::vector<orva::SourceSite> sites;          // one per number; an empty file for none
  std::map<std::string, orva::LogTally> files;  // by the name the log gives
};

SourceLines ReadSourceLines(const orva::LogTally& log, const std::string& logFolder) {
  SourceLines sources;
  for (const orva::LoggedNumber& logged : log.numbers) {
    orva::SourceSite site{};
    if (orva::SiteOfDiagnostic(LineInAnsi(logged.firstLine, log.encoding), logged.wholeLine, &site)) {
      sources.files[site.file].keptLines.push_back({site.line, false, {}});
    }
    sources.sites.push_back(site);
  }
  for (auto& file : sources.files) {
    std::vector<orva::KeptLine>& lines = file.second.keptLines;
    std::sort(lines.begin(), lines.end(), [](const orva::KeptLine& a, const orva::KeptLine& b) { return a.number < b.number; });
    FILE* source = OpenSource(file.first, logFolder);
    if (source == nullptr) continue;
    if (!orva::ReadLogFile(source, file.second) || file.second.notText) lines.clear();
    std::fclose(source);
  }
  return sources;
}

// The source line a site names as it is shown, or nothing when its file did not give it.
std::string ShownSource(const SourceLines& sources, const orva::SourceSite& site) {
  if (site.file.empty()) return "";
  const orva::LogTally& file = sources.files.at(site.file);
  for (const orva::KeptLine& kept : file.keptLines) {
    if (kept.number == site.line && kept.read) {
      return orva::ShowSourceLine(site.line, LineInAnsi(kept.text, file.encoding), site.token, OutputWidth());
    }
  }
  return "";
}

void ExplainNumber(const orva::LoggedNumber& logged, orva::LogEncoding encoding, const std::string& source,
                   const char* folder, const char* notesFolder) {
  Print("== " + logged.number + ": " + std::to_string(logged.lines) + (logged.lines == 1 ? " line" : " lines") +
        ", the first:\n   " + LineInAnsi(logged.firstLine, encoding) + "\n" + source);
  orva::LookupResult result = orva::RunLookup(logged.number.c_str(), folder);
  PrintFields(orva::FieldsOf(result));
  orva::ReleaseLookupResult(result);
  // The note's text ends at its first zero byte (the file's own end without one).
  orva::NoteText note = {};
  if (orva::ReadNoteFile(notesFolder, logged.number.c_str(), note) == ERROR_SUCCESS) {
    Print("Your note:\n");
    Print(note.bytes);
    Print("\n");
  }
  orva::ReleaseNoteText(note);
  Print("\n");
}

// The folder of a log file as its path gives it, ending in its separator;
// empty for standard input or a log in the current folder.
std::string LogFolder(const char* file) {
  const std::string path = file != nullptr ? file : "";
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

int Explain(const char* file, bool withSources, const char* folder) {
  FILE* log = stdin;
  if (file != nullptr) {
    log = std::fopen(file, "rb");
    if (log == nullptr) {
      std::fprintf(stderr, "orva-lookup: cannot open the log %s\n", file);
      return kUsageError;
    }
  } else {
    _setmode(_fileno(stdin), _O_BINARY);
  }
  orva::LogTally tally;
  const bool read = orva::ReadLogFile(log, tally);
  if (log != stdin) std::fclose(log);
  const char* name = file != nullptr ? file : "(standard input)";
  if (!read) {
    std::fprintf(stderr, "orva-lookup: cannot read the log %s\n", name);
    return kUsageError;
  }
  // Never reported as a clean log: its error numbers cannot be told.
  if (tally.notText) {
    std::fprintf(stderr,
                 "orva-lookup: the log %s holds NUL characters but no byte-order mark: it is none of\n"
                 "the encodings orva-lookup reads (the ANSI code page, UTF-8, UTF-16 with a byte-order\n"
                 "mark), and its error numbers cannot be told. Save it as UTF-8 or as Unicode.\n",
                 name);
    return kUsageError;
  }

  const std::string lines = std::to_string(tally.lineCount) + (tally.lineCount == 1 ? " line" : " lines");
  if (tally.numbers.empty()) {
    Print("No error numbers in " + lines + ".\n");
    return kFound;
  }
  const SourceLines sources = withSources ? ReadSourceLines(tally, LogFolder(file)) : SourceLines{};
  char notesFolder[orva::kPathSize] = {};
  orva::NotesFolderOf(folder, notesFolder);
  for (size_t i = 0; i < tally.numbers.size(); ++i) {
    const std::string source = withSources ? ShownSource(sources, sources.sites[i]) : "";
    ExplainNumber(tally.numbers[i], tally.encoding, source, folder, notesFolder);
  }
  const size_t count = tally.numbers.size();
  Print(std::to_string(count) + (count == 1 ? " error number on " : " error numbers on ") +
        std::to_string(tally.diagnosticLines) + " of " + lines + ".\n");
  return tally.namesError ? kNotFound : kFound;
}

// --- orva-lookup --search WORD... -------------------------------------------------

// A search result's columns: the number, the tool, the title.
constexpr size_t kNameColumnWidth = orva::kMaxErrorNumberLength + 2;

struct Search {
  const orva::ToolFamily* family;
  const char* const* words;
  size_t wordCount;
  size_t labelWidth;
  size_t found;
};

void SearchMessage(void* context, uint32_t number, const orva::MessageEntry& entry) {
  Search& search = *static_cast<Search*>(context);
  // The entry's text ends at its terminator or at the entry's end, whichever
  // comes first.
  size_t length = 0;
  while (length < entry.textSize && entry.text[length] != 0) ++length;
  const std::string text(entry.text, length);
  const orva::MessagePieces pieces = orva::SplitMessageText(text.c_str());
  if (!orva::HoldsAllWords(pieces, search.words, search.wordCount)) return;

  char hex[orva::kHexTextSize] = {};
  orva::FormatHexNumber(number, hex);
  std::string line = std::string(search.family->pattern) + hex;
  line.resize(std::max(line.size() + 1, kNameColumnWidth), ' ');
  line += search.family->label;
  line.resize(std::max(line.size() + 1, kNameColumnWidth + search.labelWidth + 1), ' ');
  line.append(pieces.title.start, pieces.title.length);
  Print(line + "\n");
  ++search.found;
}

int SearchWords(const char* const* words, size_t count, const char* folder) {
  Search search{nullptr, words, count, 0, 0};
  for (const orva::ToolFamily& family : orva::kToolTable) {
    search.labelWidth = std::max(search.labelWidth, orva::TextLength(family.label));
  }
  // In the Error Browser's order of the tools, each module in its table order.
  for (uint32_t slot = 1; slot <= orva::kToolFamilies; ++slot) {
    search.family = orva::ToolFamilyOfSlot(slot);
    char path[orva::kPathSize];
    if (!orva::MessageModulePath(folder, *search.family, path)) continue;
    HMODULE module = orva::OpenMessageModule(path);
    orva::WalkMessageTable(module, SearchMessage, &search);
    orva::CloseMessageModule(module);
  }
  if (search.found == 0) {
    std::fprintf(stderr, "orva-lookup: no error holds all of these words\n");
    return kNotFound;
  }
  return kFound;
}

int UsageError() {
  std::fputs(kUsage, stderr);
  return kUsageError;
}

bool IsHelp(const char* word) {
  return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0 || std::strcmp(word, "/?") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  FindConsole();
  if (argc < 2) return UsageError();
  const char* first = argv[1];
  if (IsHelp(first)) {
    Print(kUsage);
    return kFound;
  }

  char folder[orva::kPathSize] = {};
  if (std::strcmp(first, "--explain") == 0) {
    const char* log = nullptr;
    bool withSources = true;
    for (int i = 2; i < argc; ++i) {
      if (std::strcmp(argv[i], "--no-source") == 0) {
        withSources = false;
      } else if (log == nullptr) {
        log = argv[i];
      } else {
        return UsageError();
      }
    }
    if (!ModuleFolder(nullptr, folder)) return kUsageError;
    return Explain(log, withSources, folder);
  }
  if (std::strcmp(first, "--search") == 0) {
    if (argc < 3) return UsageError();
    if (!ModuleFolder(nullptr, folder)) return kUsageError;
    return SearchWords(argv + 2, static_cast<size_t>(argc - 2), folder);
  }
  if (first[0] == '-' || argc > 3) return UsageError();
  if (!ModuleFolder(argc == 3 ? argv[2] : nullptr, folder)) return kUsageError;
  return LookUp(first, folder);
}
