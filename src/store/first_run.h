#pragma once
// The start's reading of the settings, and the first run that makes the store when there are none.

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// Fills the shared state from the settings file. Without a file (first run) makes the desk store, copies the
// Desktop's files into the item pool and into desk 0, captures the current appearance as desk 0 and writes a
// complete file. Always leaves currentDesk on a named desk.
void loadOrCreateSettings(Platform& platform, SharedState& state);

}  // namespace koruvan
