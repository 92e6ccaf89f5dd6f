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
    // The Desktop gets the current desk's snapshot back: items deleted while the program was not running
    // return.
    // "\" alone would name the root of the current drive, not a Desktop.
    if (state.desktopFolder != "\\" && platform.folderExists(state.desktopFolder)) {
        CopyFolderFiles(platform, deskFolder(state, state.currentDesk), state.desktopFolder, true);
    }
    if (const Desk* desk = deskAt(state, state.currentDesk)) {
        ApplyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
}

}  // namespace koruvan
