#pragma once
// The desk bar's load sequence up to the point where it lays out its buttons: paths, settings, the store
// settled (a cut-off switch finished, the current desk's items back on the Desktop) and the desk's wallpaper
// in effect. What the store could not do goes to `report`.

#include "platform/platform.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

void loadDeskState(Platform& platform, SharedState& state, StoreReport& report);

}  // namespace koruvan
