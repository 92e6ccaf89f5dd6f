#include "store/startup.h"

#include "core/paths.h"

namespace koruvan {

bool startAsOnlyInstance(Platform& platform, SharedState& state) {
    if (!platform.session.claimSingleInstance()) return false;
    const std::string dir = platform.session.programDirectory();
    platform.files.setCurrentDirectory(dir);
    state.programDir = withTrailingBackslash(dir);
    return true;
}

}  // namespace koruvan
