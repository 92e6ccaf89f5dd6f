#pragma once
// The desks' ties to the system's virtual desktops, kept in section [SystemDesks] of the settings file: one
// key per desk, "3={GUID}", empty when the desk is tied to none. They lie beside the desk lines they belong
// to, so a settings file deleted for a fresh start takes them along, and they stay while following is turned
// off.

#include <string_view>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

inline constexpr const char* kSystemDesksSection = "SystemDesks";

// Reads the ties into the state. A tie that is no desktop id, that belongs to a desk without a name, or whose
// desktop a lower desk is tied to already, is dropped.
void loadDeskTies(Platform& platform, SharedState& state);
// Writes one desk's tie (an index out of range writes nothing); false when it could not be written.
bool writeDeskTie(Platform& platform, const SharedState& state, int desk);

// The desk tied to a desktop; -1 for none.
int deskTiedTo(const DeskTies& ties, std::string_view desktop);

}  // namespace koruvan
