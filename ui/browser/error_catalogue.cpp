// The Error Browser's catalogue: the six message modules walked into the tree,
// one item per message, the selected message's three pieces shown, and the
// find by words. The tree holds names and numbers only; a text is fetched
// when it is selected, and walked again by each find.
#include "ui/browser/error_catalogue.h"

#include <cstdlib>
#include <cstring>

#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "lookup/tool_table.h"
#include "lookup/word_search.h"
#include "state/addin_state.h"
#include "state/heap_array.h"
#include "ui/browser/browser_window.h"
#include "ui/browser/tree_fill.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

constexpr uint32_t kFirstSlot = 1;
constexpr uint32_t kLastSlot = 6;

// The catalogue slot whose root this is; 0 for none.
uint32_t SlotOfRoot(HTREEITEM root) {
  for (uint32_t slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    if (g_state.rootItems[slot] == root) return slot;
  }
  return 0;
}

// --- Find -------------------------------------------------------------------

struct Match {
  uint32_t slot;
  uint32_t number;
};

// One find: the words, the module being walked, the errors found to hold
// them (a heap array with room for every item of the tree), and the error
// whose name the words are, when they are one.
struct FindWalk {
  const char* const* words;
  size_t count;
  uint32_t slot;
  Match* matches;
  size_t found;
  size_t capacity;
  Match exact;  // slot 0: none
};

// The visitor of the find's walk: the entry's text is read where the walk
// found it, with no formatter call, and never past the entry's end: an entry
// whose text does not end inside it is searched by its name only. (Selected,
// it shows what the formatter reads, which may run on to a terminator
// further in the table.)
void MatchEntry(void* context, uint32_t number, const MessageEntry& entry) {
  FindWalk& walk = *static_cast<FindWalk*>(context);
  // The find walks the very modules the fill walked, held open since, so it
  // meets no entry the fill did not; the array's bound is kept all the same.
  if (walk.found == walk.capacity) return;
  const bool ends = std::memchr(entry.text, 0, entry.textSize) != nullptr;
  const MessagePieces pieces = SplitMessageText(ends ? entry.text : "");
  char name[kMessageNameSize];
  ComposeMessageName(*ToolFamilyOfSlot(walk.slot), number, name);
  const TextPiece texts[3] = {{name, TextLength(name)}, pieces.title, pieces.description};
  if (!TextsHoldAllWords(texts, 3, walk.words, walk.count)) return;
  walk.matches[walk.found++] = Match{walk.slot, number};
  if (walk.count == 1 && lstrcmpiA(walk.words[0], name) == 0) walk.exact = Match{walk.slot, number};
}

int CompareMatches(const void* left, const void* right) {
  const Match& a = *static_cast<const Match*>(left);
  const Match& b = *static_cast<const Match*>(right);
  if (a.slot != b.slot) return a.slot < b.slot ? -1 : 1;
  return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
}

// Asked for every item of the tree at every find: a binary search of the
// sorted matches, written out rather than through a comparison function.
bool IsMatch(const FindWalk& walk, const Match& key) {
  size_t low = 0;
  size_t high = key.slot != 0 ? walk.found : 0;
  while (low < high) {
    const size_t middle = (low + high) / 2;
    const Match& at = walk.matches[middle];
    if (at.slot == key.slot && at.number == key.number) return true;
    if (at.slot < key.slot || (at.slot == key.slot && at.number < key.number)) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return false;
}

bool SameMatch(const Match& a, const Match& b) { return a.slot == b.slot && a.number == b.number; }

// The slot's message module, or null; a module without a path of its own
// (no add-in folder) reads like a missing one.
HMODULE OpenModuleOfSlot(uint32_t slot) {
  char path[kPathSize];
  return MessageModulePath(g_state.addinFolder, *ToolFamilyOfSlot(slot), path) ? OpenMessageModule(path) : nullptr;
}

// One module's part of the fill: the queue of items, and the slot whose
// module is walked, which names its items and gives their root.
struct FillWalk {
  TreeFill* fill;
  uint32_t slot;
};

// The visitor of the fill's walk: one item per message, queued.
void AddErrorItem(void* context, uint32_t number, const MessageEntry&) {
  const FillWalk& walk = *static_cast<const FillWalk*>(context);
  char text[kMessageNameSize];
  ComposeMessageName(*ToolFamilyOfSlot(walk.slot), number, text);
  QueueTreeItem(*walk.fill, g_state.rootItems[walk.slot], text, static_cast<LPARAM>(number));
}

}  // namespace

// The tree's items in its order (each root followed by its items), with
// what a find compares them by; a root has slot 0, which no error has. Made
// by the fill and kept while the browser is open: the Error Browser's tree
// does not change after its fill, and reading ten thousand items back from
// the tree control would cost many times a walk of their module.
struct OrderedItem {
  HTREEITEM item;
  Match key;
};

namespace {

// The fill's items in the fill's order, which within a root is the tree's.
// (Error names are capitals and digits, on which the fill's order and the
// tree's agree; a minus sign, in a number with its top bit set, is passed
// over by both.)
struct InsertedItems {
  OrderedItem* items;
  size_t count;
};

void KeepInsertedItem(void* context, size_t position, HTREEITEM item, const PendingItem& pending) {
  static_cast<InsertedItems*>(context)->items[position] =
      OrderedItem{item, Match{SlotOfRoot(pending.parent), static_cast<uint32_t>(pending.data)}};
}

// The tree's order from the fill's: the roots as the tree sorted them, each
// followed by its items.
void KeepTreeOrder(const InsertedItems& inserted) {
  const size_t capacity = inserted.count + kLastSlot;
  OrderedItem* order = NewHeapArray<OrderedItem>(capacity);
  if (order == nullptr) return;  // no find will find anything, rather than select a wrong item
  size_t count = 0;
  for (HTREEITEM root = NextTreeItem(g_state.treeView, nullptr, TVGN_ROOT); root != nullptr && count < capacity;
       root = NextTreeItem(g_state.treeView, root, TVGN_NEXT)) {
    const uint32_t slot = SlotOfRoot(root);
    order[count++] = OrderedItem{root, Match{0, 0}};
    for (size_t i = 0; i < inserted.count; ++i) {
      if (inserted.items[i].key.slot == slot && count < capacity) order[count++] = inserted.items[i];
    }
  }
  g_state.treeOrder = order;
  g_state.treeOrderCount = count;
}

// Where the find goes from the selection: the first match after it in tree
// order, round from the end to the first. Words that are exactly an error's
// name go to that error first, unless the selection is a match already (the
// user is going through the matches with F3).
FindOutcome NextMatch(const FindWalk& walk, HTREEITEM* next) {
  const HTREEITEM caret = NextTreeItem(g_state.treeView, nullptr, TVGN_CARET);
  FindOutcome outcome = {0, 0};
  bool passed = caret == nullptr;
  bool onMatch = false;
  HTREEITEM first = nullptr;
  HTREEITEM exact = nullptr;
  uint32_t exactPosition = 0;
  *next = nullptr;
  for (size_t i = 0; i < g_state.treeOrderCount; ++i) {
    const OrderedItem& entry = g_state.treeOrder[i];
    if (IsMatch(walk, entry.key)) {
      ++outcome.total;
      if (first == nullptr) first = entry.item;
      if (SameMatch(entry.key, walk.exact)) {
        exact = entry.item;
        exactPosition = outcome.total;
      }
      if (entry.item == caret) {
        onMatch = true;
      } else if (*next == nullptr && passed) {
        *next = entry.item;
        outcome.position = outcome.total;
      }
    }
    if (entry.item == caret) passed = true;
  }
  if (exact != nullptr && !onMatch) {
    *next = exact;
    outcome.position = exactPosition;
  } else if (*next == nullptr && first != nullptr) {  // past the end: round to the first
    *next = first;
    outcome.position = 1;
  }
  return outcome;
}

}  // namespace

void FillErrorCatalogue() {
  InsertToolRoots(true);
  TreeFill fill = {};
  for (uint32_t slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    FillWalk walk = {&fill, slot};
    // Open until the browser closes: each find walks the modules again, and
    // opening six modules costs more than the walk of their tables.
    g_state.errorModules[slot] = OpenModuleOfSlot(slot);
    WalkMessageTable(g_state.errorModules[slot], AddErrorItem, &walk);
  }
  // Every queued item is told of, at its position in the queue.
  InsertedItems inserted = {NewHeapArray<OrderedItem>(fill.count), fill.count};
  InsertQueuedItems(fill, inserted.items != nullptr ? KeepInsertedItem : nullptr, &inserted);
  if (inserted.items != nullptr) {
    KeepTreeOrder(inserted);
    FreeHeapArray(inserted.items);
  }
}

void ShowErrorDetail(HTREEITEM root, uint32_t number) {
  const uint32_t slot = SlotOfRoot(root);
  if (slot == 0) return;

  char path[kPathSize];
  if (!MessageModulePath(g_state.addinFolder, *ToolFamilyOfSlot(slot), path)) return;  // the fields stay empty
  char* type = nullptr;
  char* title = nullptr;
  char* description = nullptr;
  if (!FetchMessagePieces(path, number, &type, &title, &description)) return;  // the fields stay empty
  SetControlText(g_state.browserTypeField, type);
  SetControlText(g_state.browserTitleField, title);
  SetControlText(g_state.browserDescriptionField, description);
  ReleaseMessagePieces(&type, &title, &description);
}

// The texts come from one walk of each module per find, over the modules the
// fill opened: the formatter is not asked once per item, and no text is kept
// between finds.
FindOutcome LocateNextError(const char* const* words, size_t count, HTREEITEM* next) {
  *next = nullptr;
  FindWalk walk = {words, count, 0, nullptr, 0, g_state.treeOrderCount, Match{0, 0}};
  walk.matches = NewHeapArray<Match>(walk.capacity);
  if (walk.matches == nullptr) return FindOutcome{0, 0};
  for (walk.slot = kFirstSlot; walk.slot <= kLastSlot; ++walk.slot) {
    WalkMessageTable(g_state.errorModules[walk.slot], MatchEntry, &walk);
  }
  FindOutcome outcome = {0, 0};
  if (walk.found != 0) {
    std::qsort(walk.matches, walk.found, sizeof(Match), CompareMatches);
    outcome = NextMatch(walk, next);
  }
  FreeHeapArray(walk.matches);
  return outcome;
}

FindOutcome FindNextError(const char* const* words, size_t count) {
  HTREEITEM next = nullptr;
  const FindOutcome outcome = LocateNextError(words, count, &next);
  if (next != nullptr) SendMessageA(g_state.treeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(next));
  return outcome;
}

void CloseErrorCatalogue() {
  for (HMODULE& module : g_state.errorModules) {
    if (module != nullptr) CloseMessageModule(module);
    module = nullptr;
  }
  FreeHeapArray(g_state.treeOrder);
  g_state.treeOrderCount = 0;
}

}  // namespace orva
