#pragma once
// The desk bar's load sequence up to the point where it lays out its buttons: paths, settings, the store
// settled (a cut-off switch finished, the current desk's items back on the Desktop) and the desk's wallpaper
// in effect. What the store could not do goes to `report`. And what the start has to tell about where the
// program lies.

#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

inline constexpr const char* kPlacementTitle = "コルヴァンの置き場所";

// Gives the Desktop names of the current desk's items that the start put on the Desktop.
std::vector<std::string> loadDeskState(Platform& platform, SharedState& state, StoreReport& report);

// Why the Desktop's items stay where they are, when the user mends it by moving the program into a folder of
// its own; empty when they move. Tries a write in the program's folder.
std::string placementWarning(Platform& platform, const SharedState& state);

}  // namespace koruvan
