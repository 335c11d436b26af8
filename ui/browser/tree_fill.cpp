// Collect, order, insert: the fill of a catalogue's tree.
#include "ui/browser/tree_fill.h"

#include <cstdlib>

#include "ui/browser/browser_window.h"

namespace orva {
namespace {

// The tree's own order of texts, close enough for the names a catalogue
// holds: letters without regard to case, and hyphens and apostrophes passed
// over, as the platform's word order does. Where another character sorts
// differently, the sorted insertion still puts the item in its place; it
// only scans a little further. (The platform's comparison itself would cost
// more than the rest of a large fill.)
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

// Items of one parent together, and within them descending by text.
int DescendingWithinParent(const void* left, const void* right) {
  const PendingItem& a = *static_cast<const PendingItem*>(left);
  const PendingItem& b = *static_cast<const PendingItem*>(right);
  if (a.parent != b.parent) return a.parent < b.parent ? -1 : 1;
  return CompareLikeTheTree(b.text, a.text);
}

bool Grow(TreeFill& fill) {
  const size_t capacity = fill.capacity == 0 ? 256 : fill.capacity * 2;
  const SIZE_T bytes = capacity * sizeof(PendingItem);
  void* grown = fill.items == nullptr ? HeapAlloc(GetProcessHeap(), 0, bytes)
                                      : HeapReAlloc(GetProcessHeap(), 0, fill.items, bytes);
  if (grown == nullptr) return false;
  fill.items = static_cast<PendingItem*>(grown);
  fill.capacity = capacity;
  return true;
}

}  // namespace

void QueueTreeItem(TreeFill& fill, HTREEITEM parent, const char* text, UINT mask, LPARAM data) {
  if (fill.count == fill.capacity && !Grow(fill)) {
    InsertTreeItem(parent, text, mask, kItemImage, data);
    return;
  }
  PendingItem& item = fill.items[fill.count++];
  item.parent = parent;
  ZeroFill(item.text);
  CopyFirst(text, TextLength(text), item.text);
  item.mask = mask;
  item.data = data;
}

void InsertQueuedItems(TreeFill& fill, ItemInserted inserted, void* context) {
  if (fill.items == nullptr) return;
  // A stable order for equal texts is not needed: equal texts are the same
  // name with the same number.
  std::qsort(fill.items, fill.count, sizeof(PendingItem), DescendingWithinParent);
  for (size_t i = 0; i < fill.count; ++i) {
    const PendingItem& item = fill.items[i];
    const HTREEITEM made = InsertTreeItem(item.parent, item.text, item.mask, kItemImage, item.data);
    if (inserted != nullptr) inserted(context, made, item);
  }
  HeapFree(GetProcessHeap(), 0, fill.items);
  fill = TreeFill{nullptr, 0, 0};
}

}  // namespace orva
