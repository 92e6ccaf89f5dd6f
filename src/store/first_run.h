#pragma once
// The start's reading of the settings, and the first run that makes the store when there are none.

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// Fills the shared state from the settings file; the record of items (SharedState::items) is read before.
// Without a file (first run) makes the desk store, copies the Desktop's files into the item pool and into
// desk 0, captures the current appearance as desk 0 and writes a complete file. When the record shows that
// the store was in use (the file was deleted for a fresh start), the desk folders that still hold items
// become desks again under their identities, and the start resumes at the desk the Desktop holds. Always
// leaves currentDesk on a named desk.
void loadOrCreateSettings(Platform& platform, SharedState& state);

}  // namespace koruvan
