// Collect, order, insert: the fill of a catalogue's tree.
#include "ui/browser/tree_fill.h"

#include <cstdlib>

#include "state/heap_array.h"
#include "ui/browser/browser_window.h"

namespace orva {
namespace {

// The tree's own order of texts, close enough for the names a catalogue
// holds: letters without regard to case, and hyphens and apostrophes passed
// over, as the platform's word order does. It is exact for capitals and
// digits, the names of errors and notes; an item whose text holds anything
// else is placed by the tree itself. (The platform's comparison itself would
// cost more than the rest of a large fill.)
int CompareLikeTheTree(const char* a, const char* b) {
  for (;;) {
    while (*a == '-' || *a == '\'') ++a;
    while (*b == '-' || *b == '\'') ++b;
    unsigned char x = static_cast<unsigned char>(*a);
    unsigned char y = static_cast<unsigned char>(*b);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y || x == 0) return static_cast<int>(x) - static_cast<int>(y);
    ++a;
    ++b;
  }
}

// Items of one parent together, and within them ascending by text.
int AscendingWithinParent(const void* left, const void* right) {
  const PendingItem& a = *static_cast<const PendingItem*>(left);
  const PendingItem& b = *static_cast<const PendingItem*>(right);
  if (a.parent != b.parent) return a.parent < b.parent ? -1 : 1;
  return CompareLikeTheTree(a.text, b.text);
}

// Capitals and digits alone: texts whose place among each other the fill's
// order knows for certain.
bool OrderIsKnown(const char* text) {
  for (; *text != 0; ++text) {
    if (!((*text >= 'A' && *text <= 'Z') || (*text >= '0' && *text <= '9'))) return false;
  }
  return true;
}

bool Grow(TreeFill& fill) {
  const size_t capacity = fill.capacity == 0 ? 256 : fill.capacity * 2;
  PendingItem* grown = ResizeHeapArray(fill.items, capacity);
  if (grown == nullptr) return false;
  fill.items = grown;
  fill.capacity = capacity;
  return true;
}

constexpr UINT kItemMask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;

}  // namespace

void QueueTreeItem(TreeFill& fill, HTREEITEM parent, const char* text, LPARAM data) {
  if (fill.count == fill.capacity && !Grow(fill)) {
    InsertTreeItem(parent, text, kItemMask, kItemImage, data);
    fill.insertedAtOnce = true;
    return;
  }
  PendingItem& item = fill.items[fill.count++];
  item.parent = parent;
  CopyFirst(text, TextLength(text), item.text);
  item.data = data;
}

void InsertQueuedItems(TreeFill& fill, ItemInserted inserted, void* context) {
  if (fill.items == nullptr) return;
  // A stable order for equal texts is not needed: equal texts are the same
  // name with the same number.
  std::qsort(fill.items, fill.count, sizeof(PendingItem), AscendingWithinParent);
  // First the texts of known order, each after the last: the order of the
  // queue is the tree's; then the others, each placed by the tree among them.
  for (int known = 1; known >= 0; --known) {
    for (size_t i = 0; i < fill.count; ++i) {
      const PendingItem& item = fill.items[i];
      if (OrderIsKnown(item.text) != (known == 1)) continue;
      const HTREEITEM made = InsertTreeItem(item.parent, item.text, kItemMask, kItemImage, item.data,
                                            known == 1 && !fill.insertedAtOnce ? TVI_LAST : TVI_SORT);
      if (inserted != nullptr) inserted(context, i, made, item);
    }
  }
  FreeHeapArray(fill.items);
  fill = TreeFill{nullptr, 0, 0, false};
}

}  // namespace orva
