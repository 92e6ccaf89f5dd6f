#pragma once
// The desk bar's load sequence up to the point where it lays out its buttons: paths, settings, the current
// desk's items back on the Desktop and its wallpaper in effect.

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

void loadDeskState(Platform& platform, SharedState& state);

}  // namespace koruvan
