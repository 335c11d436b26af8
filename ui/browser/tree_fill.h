// Filling a catalogue's tree fast without changing what it shows: the items
// of one fill are collected first and then inserted, each still with sorted
// placement, in descending order of their texts, so that every insertion
// finds its place at the first child it compares with. Inserted one by one in
// the order the modules or the folder give them, a sorted insertion scans its
// siblings, and a fill of n items costs n*n/2 comparisons.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "lookup/text.h"

namespace orva {

struct PendingItem {
  HTREEITEM parent;
  char text[kNumberSize];  // long enough for every error name and every listed note name
  UINT mask;
  LPARAM data;
};

struct TreeFill {
  PendingItem* items;  // from the process heap
  size_t count;
  size_t capacity;
};

// Queues one item; when the queue cannot grow, the item is inserted at once
// (still sorted, only slower).
void QueueTreeItem(TreeFill& fill, HTREEITEM parent, const char* text, UINT mask, LPARAM data);

// Inserts every queued item and releases the queue; inserted (when given) is
// told of each item as it goes in.
using ItemInserted = void (*)(void* context, HTREEITEM item, const PendingItem& pending);
void InsertQueuedItems(TreeFill& fill, ItemInserted inserted = nullptr, void* context = nullptr);

}  // namespace orva
