// The lookup window ("ORVARA_Main"): the input box, four icon buttons and the
// result fields.
#pragma once

#include <windows.h>

namespace orva {

// Registers the class and creates the window, centred on the host's main
// window; its handle goes into g_state.lookupWindow. The add-in's close
// destroys it, which releases its icons, its timer and the shared resources.
void CreateLookupWindow();

}  // namespace orva
