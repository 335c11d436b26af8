// The Error Browser's catalogue: the six message modules walked into the tree,
// one item per message, the selected message's three pieces shown, and the
// find by words. The tree holds names and numbers only; a text is fetched
// when it is selected, and walked again by each find.
#include "ui/browser/error_catalogue.h"

#include <cstdlib>

#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "lookup/tool_table.h"
#include "lookup/word_search.h"
#include "state/addin_state.h"
#include "ui/browser/browser_window.h"
#include "ui/browser/tree_fill.h"
#include "ui/window_routines/window_routines.h"

namespace orva {
namespace {

constexpr uint32_t kFirstSlot = 1;
constexpr uint32_t kLastSlot = 6;

// An item's name: the longest pattern ("CVT", "LNK") and the longest number
// FormatHexNumber writes ("-80000000") fit, so every name is shown whole,
// also those with more digits than the tool families use or the top bit set.
constexpr size_t kItemTextSize = 3 + kHexTextSize;

// An error's name, as its item shows it: the family's pattern and the
// number in hex.
void ComposeErrorName(uint32_t slot, uint32_t number, char (&name)[kItemTextSize]) {
  char hex[kHexTextSize] = {};
  FormatHexNumber(number, hex);
  ZeroFill(name);
  AppendText(name, ToolFamilyOfSlot(slot)->pattern, hex);
}

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

// One find: the words, the module being walked, and the errors found to hold
// them, in a heap array with room for every item of the tree.
struct FindWalk {
  const char* const* words;
  size_t count;
  uint32_t slot;
  Match* matches;
  size_t found;
  size_t capacity;
};

// The visitor of the find's walk: the entry's text is read where the walk
// found it, with no formatter call. An entry whose text does not end inside
// it shows no text when selected (the formatter is never asked for it), and
// only its name is searched.
void MatchEntry(void* context, uint32_t number, const MessageEntry& entry) {
  FindWalk& walk = *static_cast<FindWalk*>(context);
  if (walk.found == walk.capacity) return;  // a module grown since the fill: its new messages have no item
  size_t length = 0;
  while (length < entry.textSize && entry.text[length] != 0) ++length;
  const MessagePieces pieces = SplitMessageText(length < entry.textSize ? entry.text : "");
  char name[kItemTextSize];
  ComposeErrorName(walk.slot, number, name);
  const TextPiece texts[3] = {{name, TextLength(name)}, pieces.title, pieces.description};
  if (TextsHoldAllWords(texts, 3, walk.words, walk.count)) walk.matches[walk.found++] = Match{walk.slot, number};
}

int CompareMatches(const void* left, const void* right) {
  const Match& a = *static_cast<const Match*>(left);
  const Match& b = *static_cast<const Match*>(right);
  if (a.slot != b.slot) return a.slot < b.slot ? -1 : 1;
  return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
}

bool IsMatch(const FindWalk& walk, const Match& wanted) {
  size_t low = 0;
  size_t high = walk.found;
  while (low < high) {
    const size_t middle = (low + high) / 2;
    const int order = CompareMatches(&walk.matches[middle], &wanted);
    if (order == 0) return true;
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return false;
}

}  // namespace

// The tree's items in its order (each root followed by its items), with
// what a find compares them by; a root has slot 0, which no error has.
// Read from the tree at the first find and kept while the browser is open:
// the Error Browser's tree does not change after its fill, and reading ten
// thousand items from the tree control costs over ten times a walk of their
// module.
struct OrderedItem {
  HTREEITEM item;
  Match key;
};

namespace {

bool ReadTreeOrder() {
  if (g_state.treeOrder != nullptr) return true;
  const HWND tree = g_state.treeView;
  const size_t capacity = static_cast<size_t>(SendMessageA(tree, TVM_GETCOUNT, 0, 0));
  OrderedItem* items = static_cast<OrderedItem*>(HeapAlloc(GetProcessHeap(), 0, capacity * sizeof(OrderedItem) + 1));
  if (items == nullptr) return false;
  size_t count = 0;
  for (HTREEITEM root = NextTreeItem(tree, nullptr, TVGN_ROOT); root != nullptr && count < capacity;
       root = NextTreeItem(tree, root, TVGN_NEXT)) {
    items[count++] = OrderedItem{root, Match{0, 0}};
    const uint32_t slot = SlotOfRoot(root);
    for (HTREEITEM item = NextTreeItem(tree, root, TVGN_CHILD); item != nullptr && count < capacity;
         item = NextTreeItem(tree, item, TVGN_NEXT)) {
      items[count++] = OrderedItem{item, Match{slot, static_cast<uint32_t>(TreeItemData(item))}};
    }
  }
  g_state.treeOrder = items;
  g_state.treeOrderCount = count;
  return true;
}

// Counts the matching items and selects the first one after the selection,
// in tree order, or the first one of all when none follows it.
FindOutcome SelectNextMatch(const FindWalk& walk) {
  const HTREEITEM caret = NextTreeItem(g_state.treeView, nullptr, TVGN_CARET);
  bool passed = caret == nullptr;
  HTREEITEM first = nullptr;
  HTREEITEM next = nullptr;
  FindOutcome outcome = {1, 0};
  for (size_t i = 0; i < g_state.treeOrderCount; ++i) {
    const OrderedItem& entry = g_state.treeOrder[i];
    if (IsMatch(walk, entry.key)) {
      ++outcome.total;
      if (first == nullptr) first = entry.item;
      if (next == nullptr && passed) {
        next = entry.item;
        outcome.position = outcome.total;
      }
    }
    if (entry.item == caret) passed = true;  // the selection itself is not its own next match
  }
  if (next == nullptr) next = first;  // past the end: round to the first
  if (next != nullptr) SendMessageA(g_state.treeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(next));
  return outcome;
}

// Walks the message table of the slot's module with visit; a module without
// a path of its own (no add-in folder) reads like a missing one: nothing.
void WalkModuleOfSlot(uint32_t slot, MessageVisitor visit, void* context) {
  char path[kPathSize];
  if (!MessageModulePath(g_state.addinFolder, *ToolFamilyOfSlot(slot), path)) return;
  HMODULE module = OpenMessageModule(path);
  WalkMessageTable(module, visit, context);
  CloseMessageModule(module);
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
  char text[kItemTextSize];
  ComposeErrorName(walk.slot, number, text);
  QueueTreeItem(*walk.fill, g_state.rootItems[walk.slot], text,
                TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, static_cast<LPARAM>(number));
}

}  // namespace

void FillErrorCatalogue() {
  InsertToolRoots(true);
  TreeFill fill = {};
  for (uint32_t slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    FillWalk walk = {&fill, slot};
    WalkModuleOfSlot(slot, AddErrorItem, &walk);
  }
  InsertQueuedItems(fill);
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

// The texts come from one walk of each module per find: the formatter is
// not asked once per item, and no text is kept between finds.
FindOutcome FindNextError(const char* const* words, size_t count) {
  const size_t items = static_cast<size_t>(SendMessageA(g_state.treeView, TVM_GETCOUNT, 0, 0));
  FindWalk walk = {words, count, 0, nullptr, 0, items};
  walk.matches = static_cast<Match*>(HeapAlloc(GetProcessHeap(), 0, walk.capacity * sizeof(Match) + 1));
  if (walk.matches == nullptr) return FindOutcome{0, 0};
  for (walk.slot = kFirstSlot; walk.slot <= kLastSlot; ++walk.slot) WalkModuleOfSlot(walk.slot, MatchEntry, &walk);
  FindOutcome outcome = {0, 0};
  if (walk.found != 0 && ReadTreeOrder()) {
    std::qsort(walk.matches, walk.found, sizeof(Match), CompareMatches);
    outcome = SelectNextMatch(walk);
  }
  HeapFree(GetProcessHeap(), 0, walk.matches);
  return outcome;
}

void ForgetTreeOrder() {
  if (g_state.treeOrder != nullptr) HeapFree(GetProcessHeap(), 0, g_state.treeOrder);
  g_state.treeOrder = nullptr;
  g_state.treeOrderCount = 0;
}

}  // namespace orva
