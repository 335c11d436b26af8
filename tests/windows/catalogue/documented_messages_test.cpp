// The shipped catalogue against the tools' documented messages
// (catalogue/documented-messages.tsv): every documented number is found
// through the real lookup in its module, with the documented type, and with a
// title that carries the documented message: the whole message, or, where it
// is longer than the Title line, the message cut at a word and ended with
// "...". Punctuation plays no part in the comparison, words and their case
// do. A title listed in catalogue/title-exceptions.txt with its reason is
// accepted for its number instead. Each tool family is a test of its own, so
// that a run names the families with faults and lists each fault.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lookup/error_lookup.h"
#include "tests/windows/support/test_paths.h"

using namespace orva;

namespace {

// The lookup window's Title line holds this many characters; only a message
// longer than that may be cut.
const size_t kTitleLine = 60;

struct Documented {
  std::string number;
  std::string type;
  std::string message;  // in the catalogue's code page, Windows-1252
};

struct Exception {
  std::string title;
  std::string reason;
};

std::vector<std::string> SplitOn(const std::string& line, const std::string& separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t at; (at = line.find(separator, start)) != std::string::npos; start = at + separator.size())
    fields.push_back(line.substr(start, at - start));
  fields.push_back(line.substr(start));
  return fields;
}

// The reference is UTF-8 (its one non-ASCII character is a dash); the
// modules hold Windows-1252.
std::string Utf8ToWindows1252(const std::string& text) {
  const int wide = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring unicode(wide, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &unicode[0], wide);
  const int narrow = WideCharToMultiByte(1252, 0, unicode.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(narrow, '\0');
  WideCharToMultiByte(1252, 0, unicode.c_str(), -1, &out[0], narrow, nullptr, nullptr);
  out.resize(narrow - 1);
  return out;
}

std::string WithoutCarriageReturn(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string CatalogueFile(const char* name) { return TestProgramFolder() + "catalogue\\" + name; }

std::vector<Documented> ReadDocumented() {
  std::vector<Documented> rows;
  std::ifstream in(CatalogueFile("documented-messages.tsv"));
  std::string line;
  while (std::getline(in, line)) {
    line = WithoutCarriageReturn(line);
    if (line.empty() || line[0] == '#' || line.compare(0, 7, "number\t") == 0) continue;
    const std::vector<std::string> fields = SplitOn(line, "\t");
    if (fields.size() >= 4) rows.push_back({fields[0], fields[2], Utf8ToWindows1252(fields[3])});
  }
  return rows;
}

std::map<std::string, Exception> ReadExceptions() {
  std::map<std::string, Exception> exceptions;
  std::ifstream in(CatalogueFile("title-exceptions.txt"));
  std::string line;
  while (std::getline(in, line)) {
    line = WithoutCarriageReturn(line);
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = SplitOn(line, " | ");
    exceptions[fields[0]] = {fields.size() > 1 ? fields[1] : "", fields.size() > 2 ? fields[2] : ""};
  }
  return exceptions;
}

// The family a number belongs to, named after its tool: the letters before
// the digits say which.
std::string FamilyOf(const std::string& number) {
  static const std::map<std::string, std::string> families = {
      {"A", "ML"}, {"CVT", "CVTRES"}, {"U", "NMAKE"}, {"LNK", "LINK"}, {"RC", "RC"}, {"RW", "RW"}};
  const size_t digits = number.find_first_of("0123456789");
  const auto found = families.find(number.substr(0, digits));
  return found == families.end() ? "" : found->second;
}

// The words of a text: runs of ASCII letters and digits. Quotes, colons,
// dashes and spacing around them are set aside.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (letterOrDigit) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// Why a title does not carry the documented message, or "" when it does.
std::string TitleFault(const std::string& title, const std::string& message) {
  const std::vector<std::string> titleWords = Words(title);
  const std::vector<std::string> messageWords = Words(message);
  if (titleWords == messageWords) return "";
  const std::string cut = "...";
  const bool isCut = title.size() > cut.size() && title.compare(title.size() - cut.size(), cut.size(), cut) == 0;
  if (!isCut) return "differs";
  if (message.size() <= kTitleLine) return "is cut although the whole message fits the Title line";
  const bool prefix = !titleWords.empty() && titleWords.size() < messageWords.size() &&
                      std::equal(titleWords.begin(), titleWords.end(), messageWords.begin());
  return prefix ? "" : "is cut but is not the beginning of the message";
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class DocumentedMessages : public testing::TestWithParam<const char*> {};

// Every documented number of the family, fetched from the add-in's folder as
// the lookup window fetches it.
TEST_P(DocumentedMessages, EveryNumberHasAnEntryWithItsDocumentedTitle) {
  const std::string family = GetParam();
  const std::map<std::string, Exception> exceptions = ReadExceptions();
  const std::string addinFolder = BuiltAddinFolder();
  std::vector<std::string> faults;
  std::set<std::string> documentedNumbers;
  for (const Documented& row : ReadDocumented()) {
    if (FamilyOf(row.number) != family) continue;
    documentedNumbers.insert(row.number);
    LookupResult result = RunLookup(row.number.c_str(), addinFolder.c_str());
    if (result.outcome != LookupOutcome::Found) {
      faults.push_back(row.number + ": no entry; documented " + row.type + " " + Quoted(row.message));
      ReleaseLookupResult(result);
      continue;
    }
    const std::string title = result.title;
    const std::string type = result.type;
    ReleaseLookupResult(result);
    if (type != row.type) faults.push_back(row.number + ": type " + type + ", documented " + row.type);
    const std::string fault = TitleFault(title, row.message);
    const auto exception = exceptions.find(row.number);
    if (exception == exceptions.end()) {
      if (!fault.empty())
        faults.push_back(row.number + ": title " + Quoted(title) + " " + fault + "; documented " + Quoted(row.message));
    } else if (exception->second.title != title) {
      faults.push_back(row.number + ": title " + Quoted(title) + ", but the exceptions list " +
                       Quoted(exception->second.title));
    } else if (fault.empty()) {
      faults.push_back(row.number + ": listed as an exception, but its title carries the documented message");
    } else if (exception->second.reason.empty()) {
      faults.push_back(row.number + ": listed as an exception without a reason");
    }
  }
  ASSERT_FALSE(documentedNumbers.empty()) << "no documented numbers of " << family << " were read";
  for (const auto& exception : exceptions)
    if (FamilyOf(exception.first) == family && documentedNumbers.count(exception.first) == 0)
      faults.push_back(exception.first + ": listed as an exception, but no documented number");

  std::printf("%s: %u documented numbers, %u faults\n", family.c_str(), static_cast<unsigned>(documentedNumbers.size()),
              static_cast<unsigned>(faults.size()));
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

INSTANTIATE_TEST_SUITE_P(Family, DocumentedMessages, testing::Values("ML", "CVTRES", "NMAKE", "LINK", "RC", "RW"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
