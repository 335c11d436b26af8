// The collected fill of a catalogue's tree shows exactly the order that
// inserting each item with sorted placement, one by one in the order found,
// would show, whatever the names hold.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "state/addin_state.h"
#include "tests/windows/support/addin_harness.h"
#include "ui/browser/browser_window.h"
#include "ui/browser/tree_fill.h"

using namespace orva;

namespace {

HWND MakeTree(HWND parent) {
  return CreateWindowExA(0, WC_TREEVIEWA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(TreeFill, SameOrderAsSortedInsertionOneByOne) {
  const std::vector<std::string> names = {
      "A12",   "A1100",  "A2008",  "a2008x", "RC-7FFFFFFF", "RC2104", "RC7", "A_B",     "A.B",  "A B",   "LNKA1",
      "Z'Q",   "ZQ",     "A-1",    "A1",     "A0",          "A10",    "A9",  "U1050",   "u1",   "A2008", "B~1",
      "LNK10", "LNK9",   "A1.old", "CVT1",   "cvt2",        "A+1",    "A!",  "A2008.x", "Á1",   "A(1)"};
  HWND window = CreateWindowExA(0, "STATIC", "tree fill", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND oneByOne = MakeTree(window);
  HWND collected = MakeTree(window);

  g_state.treeView = oneByOne;
  HTREEITEM rootA = InsertTreeItem(TVI_ROOT, "root", TVIF_TEXT, 0, 0);
  for (const std::string& name : names) InsertTreeItem(rootA, name.c_str(), TVIF_TEXT, kItemImage, 0);

  g_state.treeView = collected;
  HTREEITEM rootB = InsertTreeItem(TVI_ROOT, "root", TVIF_TEXT, 0, 0);
  HTREEITEM otherB = InsertTreeItem(TVI_ROOT, "other", TVIF_TEXT, 0, 0);
  TreeFill fill = {};
  for (const std::string& name : names) {
    QueueTreeItem(fill, rootB, name.c_str(), 0);
    QueueTreeItem(fill, otherB, name.c_str(), 0);  // two parents in one fill
  }
  InsertQueuedItems(fill);
  EXPECT_EQ(nullptr, fill.items);

  const std::vector<std::string> expected = harness::ChildTexts(oneByOne, rootA);
  EXPECT_EQ(expected, harness::ChildTexts(collected, rootB));
  EXPECT_EQ(expected, harness::ChildTexts(collected, otherB));
  EXPECT_EQ(names.size(), expected.size());
  g_state.treeView = nullptr;
  DestroyWindow(window);
}

TEST(TreeFill, LargeFillKeepsEveryItemInOrder) {
  // Ten thousand items make the queue grow many times over; every item
  // arrives, in the tree's order. (How fast is the benchmark's business.)
  HWND window = CreateWindowExA(0, "STATIC", "tree fill", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  g_state.treeView = MakeTree(window);
  HTREEITEM root = InsertTreeItem(TVI_ROOT, "ML", TVIF_TEXT, 0, 0);
  TreeFill fill = {};
  std::vector<std::string> names;
  for (int i = 0; i < 10000; ++i) {
    names.push_back("A" + std::to_string(i));
    QueueTreeItem(fill, root, names.back().c_str(), i);
  }
  InsertQueuedItems(fill);
  std::sort(names.begin(), names.end());  // "A" and digits: the tree's order is the plain one
  EXPECT_EQ(names, harness::ChildTexts(g_state.treeView, root));
  g_state.treeView = nullptr;
  DestroyWindow(window);
}
