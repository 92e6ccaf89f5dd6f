#include "bar/bar_load.h"

#include "store/appearance.h"
#include "store/desk_folders.h"
#include "store/settings.h"

namespace koruvan {

void LoadDeskState(Platform& platform, SharedState& state) {
    state.windowsDir = ReadWindowsDirectory(platform);
    state.desktopFolder = ReadDesktopFolder(platform);
    if (state.desktopFolder.empty() || state.desktopFolder.back() != '\\') state.desktopFolder += '\\';
    LoadSettings(platform, state);
    FinishInterruptedSwitch(platform, state);
    // Items deleted from the Desktop come back from the current desk's stored copy; an item on the Desktop is
    // the live one and is never rolled back to it.
    PutBackMissingItems(platform, state);
    if (const Desk* desk = deskAt(state, state.currentDesk)) {
        ApplyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
}

}  // namespace koruvan
