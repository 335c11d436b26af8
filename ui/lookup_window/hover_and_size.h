// The lookup window's flat icon buttons and its two sizes: the hover border
// that follows the cursor on every timer tick, and the size toggle.
#pragma once

#include <windows.h>

namespace orva {

// One tick of the hover timer: borders the icon under the cursor, unborders
// the others; writes and redraws nothing when no hover state changes.
void HoverTick();
void AddHoverBorder(HWND control);
void RemoveHoverBorder(HWND control);

// Command 2001: compact (200x55, "ORVA") <-> expanded (450x383, "Orvalith").
void ToggleSize();
// Pulls the expanded window back into the work area.
void KeepInWorkArea();

}  // namespace orva
