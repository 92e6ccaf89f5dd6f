#include "store/desk_folders.h"

#include "core/paths.h"
#include "core/text.h"
#include "store/appearance.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

std::string cleanedPath(std::string path) {
    blankNonPrinting(path);
    return removeBlanks(path);
}

}  // namespace

std::string readDesktopFolder(Platform& platform) {
    // The legacy value is only a copy the shell keeps for old programs, and may lag behind a moved Desktop.
    std::string folder = cleanedPath(platform.shell.knownDesktopFolder());
    if (folder.empty())
        folder = cleanedPath(regReadString(platform, RegistryRoot::CurrentUser, kShellFoldersKey, "Desktop"));
    return folder;
}

std::string readWindowsDirectory(Platform& platform) {
    std::string folder = cleanedPath(platform.shell.windowsDirectory());
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder + '\\';
}

bool isUsableDesktop(Platform& platform, const SharedState& state) {
    const std::string desktop = withTrailingBackslash(state.desktopFolder);
    if (desktop == "\\") return false;
    const std::string key = fileNameKey(desktop);
    if (key == fileNameKey(poolFolder(state))) return false;
    if (isProgramOnDesktop(state)) return false;
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (key == fileNameKey(deskFolder(state, desk))) return false;
    }
    return platform.files.folderExists(desktop);
}

bool isProgramOnDesktop(const SharedState& state) {
    const std::string desktop = withTrailingBackslash(state.desktopFolder);
    return desktop != "\\" && fileNameKey(desktop) == fileNameKey(withTrailingBackslash(state.programDir));
}

}  // namespace koruvan
