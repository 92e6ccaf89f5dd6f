#include "bar/bar_load.h"

#include "core/paths.h"
#include "store/appearance.h"
#include "store/desk_folders.h"
#include "store/settings.h"

namespace koruvan {

void loadDeskState(Platform& platform, SharedState& state) {
    state.windowsDir = readWindowsDirectory(platform);
    state.desktopFolder = withTrailingBackslash(readDesktopFolder(platform));
    loadSettings(platform, state);
    finishInterruptedSwitch(platform, state);
    // Items deleted from the Desktop come back from the current desk's stored copy; an item on the Desktop is
    // the live one and is never rolled back to it.
    putBackMissingItems(platform, state);
    if (const Desk* desk = deskAt(state, state.currentDesk)) {
        applyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
}

}  // namespace koruvan
