#pragma once
// Start-up of the process, before any window exists.

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// Ends the start-up (returns false) when another instance is running; otherwise makes the program's directory
// the current one and sets programDir, ending in "\".
bool startAsOnlyInstance(Platform& platform, SharedState& state);

}  // namespace koruvan
