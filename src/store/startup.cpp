#include "store/startup.h"

namespace koruvan {

bool Main(Platform& platform, SharedState& state) {
    if (!platform.claimSingleInstance()) return false;
    std::string dir = platform.programDirectory();
    platform.setCurrentDirectory(dir);
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    state.programDir = dir;
    return true;
}

}  // namespace koruvan
