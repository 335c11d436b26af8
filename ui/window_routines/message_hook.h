// The add-in's hook on the messages of the host's thread (WH_GETMESSAGE): the
// add-in has no message loop of its own, and this is where it takes part in
// the host's. Set at the start, removed at the close.
#pragma once

#include <windows.h>

namespace orva {

void InstallMessageHook();
void RemoveMessageHook();

// A key or a mouse button pressed: an action of the user's. The hook clears
// g_state.keysHandedBack at every one it sees.
bool IsUserAction(UINT message);
// True when such an action waits in the thread's queue, not yet taken.
bool UserActionWaiting();

}  // namespace orva
