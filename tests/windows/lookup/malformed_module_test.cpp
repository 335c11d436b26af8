// Modules that are broken or lie about their table: the add-in lives in the
// host's process, so each must end in a defined outcome, never a crash.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

TEST(MalformedModule, LyingBlockCount) {
  const std::string folder = FixtureFolder("malformed");
  EXPECT_EQ(LookupOutcome::Found, Outcome("A2008", folder));  // the real block still answers
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("A2009", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("A9999", folder));
  EXPECT_EQ(1u, CountEntries(folder + "ML.dll"));
}

TEST(MalformedModule, OffsetPastTheResource) {
  const std::string folder = FixtureFolder("malformed");
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("CVT1100", folder));
  EXPECT_EQ(0u, CountEntries(folder + "CVTRES.dll"));
}

TEST(MalformedModule, EntryLengthPastTheResource) {
  const std::string folder = FixtureFolder("malformed");
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("U1051", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("U1060", folder));
  EXPECT_EQ(0u, CountEntries(folder + "NMAKE.dll"));
}

TEST(MalformedModule, ClaimedNumbersBeyondTheEntriesAndAnUnterminatedText) {
  const std::string folder = FixtureFolder("malformed");
  EXPECT_EQ(LookupOutcome::Found, Outcome("LNK1104", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("LNK1105", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("LNK1200", folder));
  EXPECT_EQ(1u, CountEntries(folder + "linklib.dll"));
}

TEST(MalformedModule, ZeroLengthEntriesAndHighBelowLow) {
  const std::string folder = FixtureFolder("malformed");
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("RC2104", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("RC2105", folder));
  EXPECT_EQ(0u, CountEntries(folder + "rcc.dll"));
}

TEST(MalformedModule, ClaimedResourceSizeFarBeyondWhatIsMapped) {
  const std::string folder = FixtureFolder("malformed");
  EXPECT_EQ(LookupOutcome::Found, Outcome("RW1004", folder));
  EXPECT_EQ(LookupOutcome::MessageNotFound, Outcome("RW2000", folder));  // its entries lie past the file
  EXPECT_EQ(1u, CountEntries(folder + "rcw.dll"));
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
