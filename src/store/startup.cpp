#include "store/startup.h"

#include "core/paths.h"

namespace koruvan {

bool startAsOnlyInstance(Platform& platform, SharedState& state) {
    if (!platform.claimSingleInstance()) return false;
    const std::string dir = platform.programDirectory();
    platform.setCurrentDirectory(dir);
    state.programDir = withTrailingBackslash(dir);
    return true;
}

}  // namespace koruvan
