#include "bar/bar_load.h"

#include "core/paths.h"
#include "store/appearance.h"
#include "store/desk_folders.h"
#include "store/desk_swap.h"
#include "store/settings.h"

namespace koruvan {

void loadDeskState(Platform& platform, SharedState& state, StoreReport& report) {
    state.windowsDir = readWindowsDirectory(platform);
    state.desktopFolder = withTrailingBackslash(readDesktopFolder(platform));
    loadSettings(platform, state);
    settleStore(platform, state, report);
    if (const Desk* desk = deskAt(state, state.currentDesk)) {
        applyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
}

}  // namespace koruvan
