// The walk of a message table over bytes, and the entry of one number.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "lookup/message_table.h"
#include "table_bytes.h"

using namespace orva;

namespace {

using Visits = std::vector<std::pair<uint32_t, std::string>>;

// Read the text only within the entry, as every visitor must.
std::string TextOf(const MessageEntry& entry) {
  std::string text;
  for (size_t i = 0; i < entry.textSize && entry.text[i] != 0; ++i) text += entry.text[i];
  return text;
}

Visits Walk(const std::vector<uint8_t>& table) {
  Visits visits;
  std::vector<uint8_t> marks(WalkMarksSize(table.size()));
  WalkMessageTableBytes(
      table.data(), table.size(), marks.data(),
      [](void* context, uint32_t number, const MessageEntry& entry) {
        static_cast<Visits*>(context)->emplace_back(number, TextOf(entry));
      },
      &visits);
  return visits;
}

bool Finds(const std::vector<uint8_t>& table, uint32_t number) {
  MessageEntry found;
  std::vector<uint8_t> marks(WalkMarksSize(table.size()));
  return FindMessageEntry(table.data(), table.size(), marks.data(), number, &found);
}

}  // namespace

TEST(WalkMessageTable, ConsecutiveEntriesInTableOrder) {
  const auto table = BuildTable({{0x2008, {{"first"}, {"second"}}}});
  EXPECT_EQ((Visits{{0x2008, "first"}, {0x2009, "second"}}), Walk(table));
}

TEST(WalkMessageTable, UnicodeEntryEndsItsBlockOnly) {
  const auto table = BuildTable({{0x2008, {{"a"}, {"b"}}},
                                 {0x3000, {{std::string("w\0i\0", 4), 1}, {"never"}}},
                                 {0x3100, {{std::string("w\0i\0", 4), 3}, {"never"}}},  // the formatter reads it wide too
                                 {0x4000, {{"c"}}}});
  EXPECT_EQ((Visits{{0x2008, "a"}, {0x2009, "b"}, {0x4000, "c"}}), Walk(table));
}

TEST(WalkMessageTable, ZeroWordBeforeAnEntryIsSkipped) {
  TestEntry shifted{"after"};
  shifted.zeroWordBefore = true;
  const auto table = BuildTable({{0x1100, {{"before"}, shifted, {"last"}}}});
  EXPECT_EQ((Visits{{0x1100, "before"}, {0x1101, "after"}, {0x1102, "last"}}), Walk(table));
}

TEST(WalkMessageTable, EmptyAndShortTables) {
  EXPECT_TRUE(Walk({}).empty());
  EXPECT_TRUE(Walk({1, 0, 0}).empty());
  EXPECT_TRUE(Walk({0, 0, 0, 0}).empty());
}

TEST(WalkMessageTable, LyingBlockCountStopsAtTheEndOfTheTable) {
  const auto table = BuildTable({{0x2008, {{"real"}}}}, 0x10000000);
  EXPECT_EQ((Visits{{0x2008, "real"}}), Walk(table));
}

TEST(WalkMessageTable, OffsetPastTheTableEndsThatBlock) {
  TestBlock lost{0x1100, {{"lost"}}};
  lost.offset = 0x7FFFFFF0;
  TestBlock wrapping{0x1200, {{"wraps"}}};
  wrapping.offset = 0xFFFFFFFE;  // offset plus the entry header must not wrap into the table
  const auto table = BuildTable({lost, wrapping, {0x2000, {{"kept"}}}});
  EXPECT_EQ((Visits{{0x2000, "kept"}}), Walk(table));
}

TEST(WalkMessageTable, EntryLengthPastTheTableEndsThatBlock) {
  TestEntry lying{"long"};
  lying.length = 0xFFF0;
  TestBlock block{0x1050, {{"fine"}, lying, {"behind"}}};
  const auto table = BuildTable({block, {0x2000, {{"next block"}}}});
  EXPECT_EQ((Visits{{0x1050, "fine"}, {0x2000, "next block"}}), Walk(table));
}

TEST(WalkMessageTable, HighIdBeyondTheEntriesStopsAtTheTableEnd) {
  TestBlock block{0x1104, {{"one"}, {"two"}}};
  block.high = 0xFFFFFFFF;  // four billion numbers claimed
  const auto visits = Walk(BuildTable({block}));
  ASSERT_GE(visits.size(), 2u);
  EXPECT_EQ((std::pair<uint32_t, std::string>{0x1104, "one"}), visits[0]);
}

TEST(WalkMessageTable, EntriesShorterThanTheirHeaderEndTheBlock) {
  TestEntry zero{"z"};
  zero.length = 0;
  zero.zeroWordBefore = true;  // the zero word is skipped, then Length 0 again
  TestEntry tiny{"t"};
  tiny.length = 2;
  const auto table = BuildTable({{0x2104, {zero}}, {0x3000, {{"ok"}, tiny, {"never"}}}});
  EXPECT_EQ((Visits{{0x3000, "ok"}}), Walk(table));
}

TEST(WalkMessageTable, HighBelowLowClaimsNearlyAllNumbersButEndsAtTheTable) {
  TestBlock block{0x2104, {{"x"}}};
  block.high = 0x2000;
  const auto visits = Walk(BuildTable({block}));
  EXPECT_LE(visits.size(), 2u);
}

TEST(WalkMessageTable, BlockClaimingMoreThanItHoldsEndsAtTheNextBlocksEntries) {
  TestBlock greedy{0x1100, {{"one"}, {"two"}}};
  greedy.high = 0x11FF;
  TestBlock again{0x3000, {}};
  again.high = 0x3010;
  again.offset = 4 + 3 * 12;  // the first block's entries once more
  const auto table = BuildTable({greedy, {0x2000, {{"next"}}}, again});
  EXPECT_EQ((Visits{{0x1100, "one"}, {0x1101, "two"}, {0x2000, "next"}}), Walk(table));
}

TEST(FindMessageEntry, FindsWhatTheTableHolds) {
  const auto table = BuildTable({{0x2008, {{"a"}, {std::string("w\0i\0", 4), 1}}}, {0x3000, {{"c"}}}});
  EXPECT_TRUE(Finds(table, 0x2008));
  EXPECT_TRUE(Finds(table, 0x2009));  // a UTF-16 entry, which the walk leaves out
  EXPECT_TRUE(Finds(table, 0x3000));
  EXPECT_FALSE(Finds(table, 0x200A));
  EXPECT_FALSE(Finds(table, 0));
}

TEST(FindMessageEntry, RefusesWhatWouldLeadOutsideTheTable) {
  // A number the lying block count would send the search looking for past the end.
  auto lyingCount = BuildTable({{0x2008, {{"real"}}}}, 0x10000000);
  EXPECT_TRUE(Finds(lyingCount, 0x2008));
  EXPECT_FALSE(Finds(lyingCount, 0x2009));

  TestBlock farOffset{0x1100, {{"lost"}}};
  farOffset.offset = 0x7FFFFFF0;
  EXPECT_FALSE(Finds(BuildTable({farOffset}), 0x1100));

  TestEntry longEntry{"long"};
  longEntry.length = 0xFFF0;
  TestBlock claims{0x1050, {longEntry, {"next"}}};
  claims.high = 0x1060;
  auto lengthTable = BuildTable({claims});
  EXPECT_FALSE(Finds(lengthTable, 0x1050));
  EXPECT_FALSE(Finds(lengthTable, 0x1051));
  EXPECT_FALSE(Finds(lengthTable, 0x1060));

  auto cut = BuildTable({{0x1104, {{"terminated"}, {"cut off here"}}}});
  cut.resize(cut.size() - 8);  // the last entry loses its end
  EXPECT_TRUE(Finds(cut, 0x1104));
  EXPECT_FALSE(Finds(cut, 0x1105));
}

TEST(FindMessageEntry, ZeroLengthEntryBeforeTheNumberIsNotFound) {
  TestEntry zero{"z"};
  zero.length = 0;
  auto table = BuildTable({{0x10, {zero, {"b"}}}});
  EXPECT_FALSE(Finds(table, 0x11));
  table[4 + 12] = 2;  // shorter than its header, the Length is refused too
  EXPECT_FALSE(Finds(table, 0x11));
}
