#include "store/desk_folders.h"

#include <set>

#include "core/text.h"
#include "store/appearance.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

std::string CleanedPath(std::string path) {
    BlankNonPrinting(path);
    return RemoveBlanks(path);
}

std::string WithTrailingBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

// File names compare as the file system compares them: without regard to (ASCII) case.
using NameSet = std::set<std::string>;
std::string NameKey(const std::string& name) {
    return toUpperAscii(name);
}

// Copies or moves every plain file of `source` into `target`, leaving out the names in `skip`. Returns the
// number of files whose copy or move failed; a file that failed to move is still in `source`.
int TransferFiles(Platform& platform, const std::string& source, const std::string& target, bool keepSource,
                  const NameSet& skip) {
    const std::string from = WithTrailingBackslash(source);
    const std::string to = WithTrailingBackslash(target);
    int failed = 0;
    for (const std::string& name : platform.listPlainFiles(from)) {
        if (skip.count(NameKey(name)) != 0) continue;
        const bool done = keepSource ? platform.copyFile(from + name, to + name)
                                     : platform.moveFile(from + name, to + name);
        if (!done) ++failed;
    }
    return failed;
}

// A failed read leaves "\" (the root of the current drive), and a path that names no folder would make every
// swap empty a desk's folder while moving nothing in its place. A Desktop that is itself a desk folder would
// be emptied.
bool IsUsableDesktop(Platform& platform, const SharedState& state, const std::string& desktop, int oldDesk,
                     int newDesk) {
    const std::string key = NameKey(desktop);
    return desktop != "\\" && key != NameKey(deskFolder(state, oldDesk)) &&
           key != NameKey(deskFolder(state, newDesk)) && platform.folderExists(desktop);
}

class BusyPointer {
  public:
    explicit BusyPointer(Platform& platform) : platform_(platform) { platform_.setBusyPointer(true); }
    ~BusyPointer() { platform_.setBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    Platform& platform_;
};

}  // namespace

std::string ReadDesktopFolder(Platform& platform) {
    std::string folder =
        CleanedPath(RegReadString(platform, RegistryRoot::CurrentUser, kShellFoldersKey, "Desktop"));
    if (folder.empty()) folder = CleanedPath(platform.knownDesktopFolder());
    return folder;
}

std::string ReadWindowsDirectory(Platform& platform) {
    std::string folder = CleanedPath(platform.windowsDirectory());
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder + '\\';
}

int CopyFolderFiles(Platform& platform, const std::string& source, const std::string& target,
                    bool keepSource) {
    return TransferFiles(platform, source, target, keepSource, {});
}

void DeleteFolderFiles(Platform& platform, const std::string& folder) {
    const std::string path = WithTrailingBackslash(folder);
    for (const std::string& name : platform.listPlainFiles(path))
        platform.deleteFile(path + name);
}

void SwapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk) {
    const BusyPointer busy(platform);
    const std::string desktop = WithTrailingBackslash(state.desktopFolder);

    if (IsUsableDesktop(platform, state, desktop, oldDesk, newDesk)) {
        if (isDeskIndex(oldDesk)) {
            const std::string oldFolder = deskFolder(state, oldDesk);
            // The stored copy goes first; a Desktop file that then fails to move stays on the Desktop, so the
            // live item is never lost.
            DeleteFolderFiles(platform, oldFolder);
            TransferFiles(platform, desktop, oldFolder, false, {});
        }
        if (isDeskIndex(newDesk)) {
            // Whatever is still on the Desktop (a failed move, or no old desk to move it to) has no copy
            // elsewhere: the new desk's file of that name must not replace it.
            NameSet stillOnDesktop;
            for (const std::string& name : platform.listPlainFiles(desktop))
                stillOnDesktop.insert(NameKey(name));
            TransferFiles(platform, deskFolder(state, newDesk), desktop, true, stillOnDesktop);
        }
    }

    // Explorer redraws the Desktop before the wallpaper changes.
    platform.pumpPendingEvents();
    if (const Desk* desk = deskAt(state, newDesk)) {
        ApplyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
}

}  // namespace koruvan
