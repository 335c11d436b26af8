// The Error Browser's catalogue, filled from the fixture modules of
// tests/fixtures/browser (which has no rcw module), and the detail of the
// selected message.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/support/addin_harness.h"
#include "ui/browser/error_catalogue.h"

using namespace orva;
using namespace harness;

namespace {

using Strings = std::vector<std::string>;

class ErrorCatalogueTest : public AddinTest {
 protected:
  void SetUp() override {
    AddinTest::SetUp();
    OpenBrowserInMode(kErrorBrowserIconId);
  }

  struct Detail {
    std::string type, title, description;
  };
  Detail Shown() {
    return {TextOf(g_state.browserTypeField), TextOf(g_state.browserTitleField),
            TextOf(g_state.browserDescriptionField)};
  }
};

TEST_F(ErrorCatalogueTest, EveryMessageIsListedUnderItsToolInTextOrder) {
  struct Expected {
    uint32_t slot;
    Strings items;
  };
  const Expected expected[] = {
      {1, {"A1100", "A12", "A2008", "A2009", "A4000"}},
      {2, {"CVT1100", "CVT1101", "CVT1102"}},
      {3, {"U1050"}},
      {4, {"LNK1104", "LNK123456"}},
      {5, {"RC2104", "RC-7FFFFFFF"}},  // the tree's sort passes over the hyphen
      {6, {}},
  };
  for (const Expected& want : expected) {
    SCOPED_TRACE("slot " + std::to_string(want.slot) + " " + ItemText(g_state.treeView, g_state.rootItems[want.slot]));
    EXPECT_EQ(want.items, ChildTexts(g_state.treeView, g_state.rootItems[want.slot]));
  }
}

TEST_F(ErrorCatalogueTest, ItemsCarryTheirMessageNumberAndTheNoteImage) {
  struct Expected {
    uint32_t slot;
    const char* name;
    uint32_t number;
  };
  const Expected expected[] = {
      {1, "A2008", 0x2008},     {1, "A2009", 0x2009},        {1, "A12", 0x12},
      {2, "CVT1101", 0x1101},   {3, "U1050", 0x1050},        {4, "LNK1104", 0x1104},
      {5, "RC2104", 0x2104},    {4, "LNK123456", 0x123456},  {5, "RC-7FFFFFFF", 0x80000001},
  };
  for (const Expected& want : expected) {
    SCOPED_TRACE(want.name);
    HTREEITEM item = ChildNamed(g_state.treeView, g_state.rootItems[want.slot], want.name);
    ASSERT_NE(nullptr, item);
    const TVITEMA data = ItemData(g_state.treeView, item);
    EXPECT_EQ(want.number, static_cast<uint32_t>(data.lParam)) << std::hex << "got 0x" << data.lParam;
    EXPECT_EQ(1, data.iImage);
    EXPECT_EQ(1, data.iSelectedImage);
  }
}

TEST_F(ErrorCatalogueTest, BlockCutByItsUtf16FirstEntryAddsNothingAndTheNextBlockStillDoes) {
  const Strings ml = ChildTexts(g_state.treeView, g_state.rootItems[1]);
  for (const char* gone : {"A3000", "A3001"}) {
    EXPECT_EQ(ml.end(), std::find(ml.begin(), ml.end(), gone)) << gone << " is listed";
  }
  EXPECT_NE(ml.end(), std::find(ml.begin(), ml.end(), "A4000"));
}

TEST_F(ErrorCatalogueTest, MissingModuleLeavesItsRootEmptyAndTheOthersFill) {
  EXPECT_EQ(nullptr, TreeNext(g_state.treeView, g_state.rootItems[6], TVGN_CHILD));
  EXPECT_EQ(6u, RootTexts(g_state.treeView).size());
  EXPECT_EQ(13u + 6u, static_cast<size_t>(SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0)));
}

TEST_F(ErrorCatalogueTest, ModulesThatLieListOnlyWhatTheyReallyHold) {
  SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
  UseModules("malformed");
  OpenBrowserInMode(kErrorBrowserIconId);
  const Strings expected[] = {{}, {"A2008"}, {}, {}, {"LNK1104"}, {}, {"RW1004"}};
  for (uint32_t slot = 1; slot <= 6; ++slot) {
    EXPECT_EQ(expected[slot], ChildTexts(g_state.treeView, g_state.rootItems[slot])) << "slot " << slot;
  }
}

// 2,730 blocks all over one run of 8,193 entries (tests/fixtures/overlap):
// the run is listed once, beside the other module, in well under a second.
TEST_F(ErrorCatalogueTest, OverlappingBlocksOpenAndFindAtOnce) {
  SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
  UseModules("overlap");
  const DWORD start = GetTickCount();
  OpenBrowserInMode(kErrorBrowserIconId);
  EXPECT_LT(GetTickCount() - start, 1000u) << "open";
  const char* words[] = {"user-defined"};
  const FindOutcome found = FindNextError(words, 1);
  EXPECT_LT(GetTickCount() - start, 2000u) << "open and find";
  EXPECT_EQ(1u, found.total);
  EXPECT_EQ(8193u, ChildTexts(g_state.treeView, g_state.rootItems[1]).size());
  EXPECT_EQ(Strings({"U1050"}), ChildTexts(g_state.treeView, g_state.rootItems[3]));
}

TEST_F(ErrorCatalogueTest, SelectingAnItemShowsItsMessageAndSelectingARootEmptiesIt) {
  SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008"));
  const Detail shown = Shown();
  EXPECT_EQ("Error", shown.type);
  EXPECT_EQ("syntax error : token", shown.title);
  EXPECT_EQ("A fixture description\r\nover two lines.", shown.description);
  SaveScreenshot(g_state.browserWindow, "error_browser_a2008");

  SelectItem(g_state.treeView, g_state.rootItems[1]);
  const Detail emptied = Shown();
  EXPECT_EQ("", emptied.type);
  EXPECT_EQ("", emptied.title);
  EXPECT_EQ("", emptied.description);
}

TEST_F(ErrorCatalogueTest, EachFamilyFetchesFromItsOwnModule) {
  struct Expected {
    uint32_t slot;
    const char* name;
    const char* title;
  };
  const Expected expected[] = {
      {2, "CVT1100", "duplicate resource"},        {3, "U1050", "user-defined message"}, {4, "LNK1104", "cannot open file"},
      {4, "LNK123456", "six digits"},   {5, "RC2104", "undefined keyword or key name"},
      {5, "RC-7FFFFFFF", "top bit"},
  };
  for (const Expected& want : expected) {
    SCOPED_TRACE(want.name);
    SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[want.slot], want.name));
    EXPECT_EQ(want.title, TextOf(g_state.browserTitleField));
  }
}

TEST_F(ErrorCatalogueTest, WithoutAnAddinFolderNoModuleIsReadByABareName) {
  // The bare names would be searched for, and found, in the current folder.
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(FixtureFolder("browser").c_str());
  SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
  g_state.addinFolder[0] = 0;
  OpenBrowserInMode(kErrorBrowserIconId);
  ShowErrorDetail(g_state.rootItems[1], 0x2008);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(6u, static_cast<size_t>(SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0))) << "the roots alone";
  EXPECT_EQ("", TextOf(g_state.browserTitleField));
}

TEST_F(ErrorCatalogueTest, TitleShorterThanTheTypeShowsExactlyTheTitle) {
  SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A4000"));
  EXPECT_EQ("Warning", TextOf(g_state.browserTypeField));
  EXPECT_EQ("ok", TextOf(g_state.browserTitleField));
}

TEST_F(ErrorCatalogueTest, MessageWhoseModuleHasGoneSinceTheFillLeavesTheFieldsEmpty) {
  SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2009"));
  UseModules("no-such-set");
  SelectItem(g_state.treeView, ChildNamed(g_state.treeView, g_state.rootItems[1], "A2008"));
  EXPECT_EQ("", TextOf(g_state.browserTypeField));
  EXPECT_EQ("", TextOf(g_state.browserTitleField));
  EXPECT_EQ("", TextOf(g_state.browserDescriptionField));
}

}  // namespace
