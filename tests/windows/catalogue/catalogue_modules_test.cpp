// The shipped catalogue, read back through the platform's loader and
// formatter: every entry comes back byte for byte as its source says ('%'
// included), the walk finds every entry under its own name, and every title
// fits on the lookup window's Title line in the shared font.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "lookup/text.h"
#include "tests/windows/support/catalogue_expected.h"
#include "tests/windows/support/test_paths.h"

using namespace orva;

namespace {

const char* const kStems[] = {"ML", "CVTRES", "NMAKE", "linklib", "rcc", "rcw"};

}  // namespace

TEST(Catalogue, EveryEntryComesBackFromTheFormatterAsWritten) {
  size_t total = 0;
  for (const char* stem : kStems) {
    const std::vector<Expected> entries = ReadExpected(stem);
    EXPECT_FALSE(entries.empty()) << stem;
    HMODULE module = OpenMessageModule((BuiltAddinFolder() + stem + ".dll").c_str());
    ASSERT_NE(nullptr, module) << stem;
    for (const Expected& e : entries) {
      char* text = FindMessage(module, e.number);
      ASSERT_NE(nullptr, text) << e.name;
      EXPECT_EQ(e.text, std::string(text)) << e.name;
      ReleaseMessageText(text);
      ++total;
    }
    CloseMessageModule(module);
  }
  std::printf("%u catalogue entries read back\n", static_cast<unsigned>(total));
}

TEST(Catalogue, EveryEntryIsFoundByItsNameAndListedByTheWalk) {
  for (const char* stem : kStems) {
    const std::vector<Expected> entries = ReadExpected(stem);
    std::map<uint32_t, int> walked;
    HMODULE module = OpenMessageModule((BuiltAddinFolder() + stem + ".dll").c_str());
    WalkMessageTable(
        module, [](void* context, uint32_t number, const MessageEntry&) { ++(*static_cast<std::map<uint32_t, int>*>(context))[number]; },
        &walked);
    CloseMessageModule(module);
    EXPECT_EQ(entries.size(), walked.size()) << stem;
    for (const Expected& e : entries) {
      EXPECT_EQ(1, walked[e.number]) << e.name;
      LookupResult result = RunLookup(e.name.c_str(), BuiltAddinFolder().c_str());
      EXPECT_EQ(LookupOutcome::Found, result.outcome) << e.name;
      ReleaseLookupResult(result);
    }
  }
}

TEST(Catalogue, TitlesFitTheTitleLine) {
  // The lookup window's Title field: 350 pixels wide, in the shared font.
  LOGFONTA description = {};
  description.lfHeight = -12;
  description.lfWeight = 400;
  lstrcpyA(description.lfFaceName, "MS Sans Serif");
  HFONT font = CreateFontIndirectA(&description);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  for (const char* stem : kStems) {
    for (const Expected& e : ReadExpected(stem)) {
      const MessagePieces pieces = SplitMessageText(e.text.c_str());
      SIZE size = {};
      GetTextExtentPoint32A(dc, pieces.title.start, static_cast<int>(pieces.title.length), &size);
      EXPECT_LE(size.cx, 350) << e.name << ": " << std::string(pieces.title.start, pieces.title.length);
    }
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(font);
}
