#pragma once
// Whether the program's folder can hold the desk store.

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// True when a new file can be made in the program's folder the way the store makes its own (written beside,
// then renamed into place): no switch moves an item before its journal is made there. The trial file is
// deleted again.
bool canWriteProgramFolder(Platform& platform, const SharedState& state);

}  // namespace koruvan
