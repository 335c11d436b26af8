// RunLookup and the message modules on real modules made from the readable
// tables in tests/fixtures, read through the platform's loader and formatter.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "tests/windows/support/test_paths.h"

using namespace orva;

namespace {

struct Shown {
  LookupOutcome outcome;
  std::string type, title, tool, description;
};

Shown Lookup(const char* number, const std::string& folder) {
  LookupResult result = RunLookup(number, folder.c_str());
  const LookupFields f = FieldsOf(result);
  Shown shown{result.outcome, f.type, f.title, f.tool, f.description};
  ReleaseLookupResult(result);
  EXPECT_EQ(nullptr, result.type);
  return shown;
}

using Visits = std::vector<std::pair<uint32_t, std::string>>;

Visits WalkModule(const std::string& path) {
  Visits visits;
  HMODULE module = OpenMessageModule(path.c_str());
  WalkMessageTable(
      module,
      [](void* context, uint32_t number, const MessageEntry& entry) {
        std::string text;
        for (size_t i = 0; i < entry.textSize && entry.text[i] != 0; ++i) text += entry.text[i];
        static_cast<Visits*>(context)->emplace_back(number, text);
      },
      &visits);
  CloseMessageModule(module);
  return visits;
}

std::string FetchText(const std::string& path, uint32_t number) {
  HMODULE module = OpenMessageModule(path.c_str());
  char* text = module ? FindMessage(module, number) : nullptr;
  std::string got = text ? text : "<none>";
  ReleaseMessageText(text);
  CloseMessageModule(module);
  return got;
}

class RunLookupTest : public testing::Test {
 protected:
  const std::string basic = FixtureFolder("basic");
};

}  // namespace

TEST_F(RunLookupTest, FoundGivesTypeTitleToolAndDescription) {
  const Shown s = Lookup("A2008", basic);
  EXPECT_EQ(LookupOutcome::Found, s.outcome);
  EXPECT_EQ("Error", s.type);
  EXPECT_EQ("syntax error : token", s.title);
  EXPECT_EQ("ML", s.tool);
  EXPECT_EQ("A fixture description\r\nover two lines.", s.description);
}

TEST_F(RunLookupTest, EachFamilyReadsItsOwnModule) {
  struct Case {
    const char* number;
    const char* tool;
    const char* title;
  } cases[] = {
      {"CVT1100", "CVTRES", "duplicate resource"},
      {"RC2104", "RC (\"C\" Errors)", "undefined keyword or key name"},
      {"RW1004", "RC (\"W\" Errors)", "unexpected end of file"},
      {"U1050", "NMAKE", "user-defined message"},
      {"LNK1104", "LINK\\LIB\\DUMPBIN\\EDITBIN", "cannot open file"},
      {"LNK2001", "LINK\\LIB\\DUMPBIN\\EDITBIN", "unresolved external symbol"},
      {"A12", "ML", "short number"},
      {"2008A", "ML", "digits 008A"},
  };
  for (const Case& c : cases) {
    const Shown s = Lookup(c.number, basic);
    EXPECT_EQ(LookupOutcome::Found, s.outcome) << c.number;
    EXPECT_EQ(c.tool, s.tool) << c.number;
    EXPECT_EQ(c.title, s.title) << c.number;
  }
}

TEST_F(RunLookupTest, FailureOutcomesShowOnlyTheirOwnFields) {
  Shown s = Lookup("LNK", basic);
  EXPECT_EQ(LookupOutcome::IncompleteNumber, s.outcome);
  EXPECT_EQ("", s.type + s.title + s.tool);
  EXPECT_EQ("Please enter a complete error number", s.description);

  s = Lookup("A", basic);
  EXPECT_EQ(LookupOutcome::IncompleteNumber, s.outcome);

  s = Lookup("X1234", basic);
  EXPECT_EQ(LookupOutcome::UnrecognizedTool, s.outcome);
  EXPECT_EQ("", s.type + s.title + s.description);
  EXPECT_EQ("Unrecognized tool", s.tool);

  s = Lookup("A9999", basic);
  EXPECT_EQ(LookupOutcome::MessageNotFound, s.outcome);
  EXPECT_EQ("", s.type + s.title);
  EXPECT_EQ("ML", s.tool);
  EXPECT_EQ("Could not find info for this error number", s.description);
}

TEST_F(RunLookupTest, LongNumbersAreRefusedWithoutReachingAModule) {
  // A host word can be up to 31 characters; it must never be cut into another error.
  const Shown s = Lookup("A20081", basic);
  EXPECT_EQ(LookupOutcome::MessageNotFound, s.outcome);
  for (const char* number : {"A2008000", "LNK11040", "A2008A2008A2008A2008A2008A2008A"}) {
    EXPECT_EQ(LookupOutcome::IncompleteNumber, Lookup(number, basic).outcome) << number;
  }
}

TEST_F(RunLookupTest, MissingModuleOrFolderIsMessageNotFound) {
  const std::string empty = MakeScratchFolder("no_modules");
  Shown s = Lookup("A2008", empty);
  EXPECT_EQ(LookupOutcome::MessageNotFound, s.outcome);
  EXPECT_EQ("ML", s.tool);
  s = Lookup("A2008", std::string(300, 'x') + "\\");  // a folder too long for a path
  EXPECT_EQ(LookupOutcome::MessageNotFound, s.outcome);
  RemoveTree(empty);

  // No folder at all: a bare "ML.dll" would be searched for, and found here.
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(basic.c_str());
  s = Lookup("A2008", "");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(LookupOutcome::MessageNotFound, s.outcome);
}

TEST_F(RunLookupTest, TitleShorterThanTypeAndMissingSeparators) {
  Shown s = Lookup("A3000", basic);
  EXPECT_EQ("Warning", s.type);
  EXPECT_EQ("ok", s.title);

  s = Lookup("A3002", basic);  // no separator at all: the whole text is the type
  EXPECT_EQ(LookupOutcome::Found, s.outcome);
  EXPECT_EQ("only a type, no separators", s.type);
  EXPECT_EQ("", s.title + s.description);

  EXPECT_EQ("", Lookup("A3003", basic).description);
  EXPECT_EQ("", Lookup("A3004", basic).description);
}

TEST_F(RunLookupTest, InsertSequencesAreLeftAlone) {
  // No arguments are passed: the formatter must not look for any.
  const Shown s = Lookup("A3001", basic);
  EXPECT_EQ(LookupOutcome::Found, s.outcome);
  EXPECT_EQ("insert %1 and %2!s! here", s.title);
  EXPECT_EQ("100% sure: %1 stays %1.", s.description);
}

TEST(MessageModule, ModulePathWithoutDllNamesTheSameFile) {
  EXPECT_EQ(FetchText(FixtureFolder("basic") + "ML.dll", 0x2009), FetchText(FixtureFolder("basic") + "ML", 0x2009));
  EXPECT_NE("<none>", FetchText(FixtureFolder("basic") + "ML", 0x2009));
}

TEST(MessageModule, WalkListsAnsiEntriesInTableOrder) {
  const Visits ml = WalkModule(FixtureFolder("basic") + "ML.dll");
  ASSERT_EQ(10u, ml.size());
  EXPECT_EQ(0x12u, ml[0].first);
  EXPECT_EQ(0x2008u, ml[3].first);
  EXPECT_EQ(0x2009u, ml[4].first);
  EXPECT_EQ("Error\x95invalid character in file\x95\r\nMessage 0x2009.", ml[4].second);
}

TEST(MessageModule, WalkStopsABlockAtItsFirstUnicodeEntry) {
  const Visits v = WalkModule(FixtureFolder("layouts") + "ML.dll");
  ASSERT_EQ(2u, v.size());
  EXPECT_EQ(0x2008u, v[0].first);
  EXPECT_EQ(0x2009u, v[1].first);
}

TEST(MessageModule, WalkReadsAnEntryAfterAZeroWordTwoBytesOn) {
  const Visits v = WalkModule(FixtureFolder("layouts") + "CVTRES.dll");
  ASSERT_EQ(3u, v.size());
  EXPECT_EQ(0x1101u, v[1].first);
  EXPECT_EQ("Fatal Error\x95" "after\x95\r\nentry after the zero word", v[1].second);
  EXPECT_EQ(0x1102u, v[2].first);
}

TEST(MessageModule, UnicodeEntryComesBackInTheAnsiCodePage) {
  const Shown s = Lookup("U1050", FixtureFolder("layouts"));
  EXPECT_EQ(LookupOutcome::Found, s.outcome);
  EXPECT_EQ("wide title", s.title);
  EXPECT_EQ("wide description", s.description);
}

TEST(MessageModule, NothingFromAMissingModuleOrOneWithoutATable) {
  EXPECT_TRUE(WalkModule(FixtureFolder("basic") + "absent.dll").empty());
  // A module without a message table: the test program itself has none.
  char self[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_TRUE(WalkModule(self).empty());
  EXPECT_EQ("<none>", FetchText(self, 0x2008));
}
