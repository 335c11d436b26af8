// The word search that orva-lookup --search and the Error Browser's find
// share: every word in one of the texts, in any letter case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/word_search.h"

using namespace orva;

namespace {

TEST(HoldsAllWords, EveryWordInTitleOrDescriptionInAnyCase) {
  const char title[] = "unresolved external symbol 'symbol'";
  const char description[] = "The linker found no definition. \xC9tiquette";
  const MessagePieces message{{"Error", 5}, {title, sizeof title - 1}, {description, sizeof description - 1}};
  struct Case {
    std::vector<const char*> words;
    bool expected;
  } cases[] = {
      {{"unresolved", "external"}, true},
      {{"UNRESOLVED", "Linker"}, true},  // one word in each text
      {{"extern"}, true},                // inside a longer word
      {{"\xE9tiquette"}, true},          // Windows-1252 letters fold too
      {{"unresolved", "missing"}, false},
      {{"Error"}, false},                // the type is not searched
      {{"symbol' The"}, false},          // no word runs from the title into the description
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, HoldsAllWords(message, c.words.data(), c.words.size())) << c.words[0];
  }
  // The Error Browser's find searches the error's name as a third text.
  const TextPiece texts[3] = {{"LNK2019", 7}, message.title, message.description};
  const char* const named[] = {"lnk2019", "linker"};
  EXPECT_TRUE(TextsHoldAllWords(texts, 3, named, 2));
  EXPECT_FALSE(HoldsAllWords(message, named, 2));
}

TEST(SplitWords, BlanksSeparateAndNoWordIsEmpty) {
  struct Case {
    std::string typed;
    size_t capacity;
    std::vector<std::string> expected;
  } cases[] = {
      {"cannot open file", 8, {"cannot", "open", "file"}},
      {"  \tunresolved   external \t", 8, {"unresolved", "external"}},
      {"", 8, {}},
      {" \t ", 8, {}},
      {"a b c", 2, {"a", "b"}},  // no more than there is room for
  };
  for (const Case& c : cases) {
    std::vector<char> text(c.typed.begin(), c.typed.end());
    text.push_back(0);
    std::vector<const char*> words(c.capacity + 1, "sentinel");
    const size_t count = SplitWords(text.data(), words.data(), c.capacity);
    EXPECT_EQ(std::vector<std::string>(words.begin(), words.begin() + count), c.expected) << "\"" << c.typed << "\"";
    EXPECT_STREQ("sentinel", words[c.capacity]) << "a word written past the capacity";
  }
}

}  // namespace
