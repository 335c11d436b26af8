// The lookup window ("ORVARA_Main"): the input box, four icon buttons and the
// result fields.
#pragma once

#include <windows.h>

namespace orva {

// Registers the class and creates the window, centred on the host's main
// window; its handle goes into g_state.lookupWindow.
void CreateLookupWindow();

// The host is closing: the window is destroyed, which releases its icons,
// its timer and the shared resources, and its class is unregistered, so that
// nothing of the add-in is left for the host to call once it unloads it.
// Without the window, the shared resources are released all the same.
void DestroyLookupWindow();

}  // namespace orva
