// The lookup window's flat icon buttons and its two sizes: the hover border
// that follows the cursor on every timer tick, and the size toggle.
#pragma once

#include <windows.h>

namespace orva {

// One tick of the hover timer: borders the icon under the cursor, unborders
// the others; writes and redraws nothing when no hover state changes.
void HoverTick();

// Command 2001: compact (200x55, "ORVA") <-> expanded (450x383, "Orvalith").
// Expanding pulls the window back into the work area of the monitor that
// holds it.
void ToggleSize();

// Where KeepInWorkArea puts an expanded window with this rectangle, on a
// monitor with this rectangle and work area. The left and top limits are the
// monitor's own left and top (0 on the primary one), the right and bottom
// limits the work area's; the right edge wins over the left, the top over
// the bottom.
POINT KeptInWorkArea(const RECT& window, const RECT& monitor, const RECT& workArea);

}  // namespace orva
