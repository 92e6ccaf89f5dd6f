#pragma once
// The desks' ties to the system's virtual desktops (SharedState::deskTies): each desk's desktop id, kept in
// the settings file (settings.h) and kept while following is turned off.

#include <string_view>

#include "store/shared_state.h"

namespace koruvan {

// The desk tied to a desktop; -1 for none.
int deskTiedTo(const DeskTies& ties, std::string_view desktop);

}  // namespace koruvan
