// Hover borders and the size toggle. (Being built.)
#include "ui/lookup_window/hover_and_size.h"

namespace orva {

void HoverTick() {}
void AddHoverBorder(HWND) {}
void RemoveHoverBorder(HWND) {}
void ToggleSize() {}
void KeepInWorkArea() {}

}  // namespace orva
