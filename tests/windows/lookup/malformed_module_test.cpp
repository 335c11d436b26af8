// Modules that are broken or lie about their table: the add-in lives in the
// host's process, so each must end in a defined outcome, never a crash.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "tests/windows/support/test_paths.h"

using namespace orva;

namespace {

LookupOutcome Outcome(const char* number, const std::string& folder) {
  LookupResult result = RunLookup(number, folder.c_str());
  const LookupOutcome outcome = result.outcome;
  ReleaseLookupResult(result);
  return outcome;
}

size_t CountEntries(const std::string& path) {
  size_t count = 0;
  HMODULE module = OpenMessageModule(path.c_str());
  WalkMessageTable(
      module, [](void* context, uint32_t, const MessageEntry&) { ++*static_cast<size_t*>(context); }, &count);
  CloseMessageModule(module);
  return count;
}

}  // namespace

// Each module of the malformed set lies in its own way (see its table in
// tests/fixtures/malformed): the entries that really lie inside the table
// still answer, every other number is not found, and the walk visits only
// the real entries.
TEST(MalformedModule, EachLieAnswersOnlyWhatTheTableReallyHolds) {
  const struct {
    const char* lie;
    const char* module;
    std::vector<const char*> found;
    std::vector<const char*> notFound;
    size_t entries;
  } lies[] = {
      {"a block count far beyond the blocks", "ML.dll", {"A2008"}, {"A2009", "A9999"}, 1},
      {"entries past the end of the table", "CVTRES.dll", {}, {"CVT1100"}, 0},
      {"an entry length past the end", "NMAKE.dll", {}, {"U1051", "U1060"}, 0},
      {"numbers beyond the entries, an unterminated text", "linklib.dll", {"LNK1104"}, {"LNK1105", "LNK1200"}, 1},
      {"zero-length entries and HighId below LowId", "rcc.dll", {}, {"RC2104", "RC2105"}, 0},
      {"a resource size far beyond what is mapped", "rcw.dll", {"RW1004"}, {"RW2000"}, 1},
  };
  const std::string folder = FixtureFolder("malformed");
  for (const auto& lie : lies) {
    SCOPED_TRACE(lie.lie);
    for (const char* number : lie.found) EXPECT_EQ(LookupOutcome::Found, Outcome(number, folder)) << number;
    for (const char* number : lie.notFound) EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome(number, folder)) << number;
    EXPECT_EQ(lie.entries, CountEntries(folder + lie.module));
  }
}

TEST(MalformedModule, NotAModuleAtAll) {
  const std::string folder = MakeScratchFolder("not_pe");
  WriteFileBytes(folder + "ML.dll", "This is a text file, not a module.\r\n");
  WriteFileBytes(folder + "CVTRES.dll", "");
  WriteFileBytes(folder + "NMAKE.dll", std::string("MZ") + std::string(100, '\xFF'));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("A2008", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("CVT1100", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("U1050", folder));
  EXPECT_EQ(0u, CountEntries(folder + "ML.dll"));
  RemoveTree(folder);
}

TEST(MalformedModule, TruncatedModules) {
  // Every cut of a real module: headers, section table, resource directory
  // and table in turn lose their end.
  const std::string whole = ReadFileBytes(FixtureFolder("basic") + "ML.dll");
  ASSERT_GT(whole.size(), 512u);
  const std::string folder = MakeScratchFolder("truncated");
  for (size_t size = 0; size < whole.size(); size += (size < 1024 ? 13 : 101)) {
    // A module still mapped from the cut before would refuse the rewrite,
    // and the same cut would be tested twice.
    ASSERT_TRUE(WriteFileBytes(folder + "ML.dll", whole.substr(0, size))) << "cannot rewrite the module at " << size;
    const LookupOutcome outcome = Outcome("A2008", folder);
    EXPECT_TRUE(outcome == LookupOutcome::MessageNotFound || outcome == LookupOutcome::Found) << size;
    CountEntries(folder + "ML.dll");
  }
  RemoveTree(folder);
}
