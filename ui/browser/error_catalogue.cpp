// The Error Browser's catalogue: the six message modules walked into the tree,
// one item per message, and the selected message's three pieces shown. The
// tree holds names and numbers only; a text is fetched when it is selected.
#include "ui/browser/error_catalogue.h"

#include "host/addin_state.h"
#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "lookup/tool_table.h"
#include "ui/browser/browser_window.h"
#include "ui/lookup_window/window_routines.h"
#include "ui/browser/tree_fill.h"

namespace orva {
namespace {

constexpr uint32_t kFirstSlot = 1;
constexpr uint32_t kLastSlot = 6;

// An item's name: the longest pattern ("CVT", "LNK") and the longest number
// FormatHexNumber writes ("-80000000") fit, so every name is shown whole,
// also those with more digits than the tool families use or the top bit set.
constexpr size_t kItemTextSize = 3 + kHexTextSize;

}  // namespace

void FillErrorCatalogue() {
  InsertToolRoots(true);
  TreeFill fill = {};
  for (uint32_t slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    g_state.currentTool = slot;
    char path[kPathSize];
    // A module without a path of its own reads like a missing one: its root stays empty.
    if (!MessageModulePath(g_state.addinFolder, *ToolFamilyOfSlot(slot), path)) continue;
    HMODULE module = OpenMessageModule(path);
    WalkMessageTable(module, AddErrorItem, &fill);
    CloseMessageModule(module);
  }
  InsertQueuedItems(fill);
}

// The visitor of the walk: one item per message, queued for the fill.
void AddErrorItem(void* fill, uint32_t number, const MessageEntry&) {
  char hex[kHexTextSize] = {};
  FormatHexNumber(number, hex);
  char text[kItemTextSize] = {};
  AppendText(text, ToolFamilyOfSlot(g_state.currentTool)->pattern, hex);

  QueueTreeItem(*static_cast<TreeFill*>(fill), g_state.rootItems[g_state.currentTool], text,
                TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, static_cast<LPARAM>(number));
}

void ShowErrorDetail(HTREEITEM root, uint32_t number) {
  uint32_t slot = kFirstSlot;
  while (slot <= kLastSlot && g_state.rootItems[slot] != root) ++slot;
  if (slot > kLastSlot) return;

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

}  // namespace orva
