#pragma once
// Start-up of the process, before any window exists.

#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// Ends the start-up (gives what runs already) when another instance runs in this session, or one of this
// program folder runs for another user; otherwise makes the program's directory the current one and sets
// programDir, ending in "\".
InstanceClaim startAsOnlyInstance(Platform& platform, SharedState& state);

// Why a start ends when another user of the PC runs KORUVAN from the same folder: two users in one store
// would file each other's Desktop items.
std::string folderInUseText(const std::string& programDir);
inline constexpr const char* kFolderInUseTitle = "コルヴァン";

}  // namespace koruvan
