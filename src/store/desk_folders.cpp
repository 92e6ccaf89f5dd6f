#include "store/desk_folders.h"

#include "core/text.h"
#include "store/appearance.h"
#include "store/desk_items.h"
#include "store/settings.h"
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

// Desktop paths compare as the file system compares them: without regard to (ASCII) case.
std::string NameKey(const std::string& name) {
    return toUpperAscii(name);
}

// Moves every plain file of `source` into `target`, replacing files of the same name; a file that cannot
// move stays in `source`. Returns the number that failed.
int MoveFiles(Platform& platform, const std::string& source, const std::string& target) {
    int failed = 0;
    for (const std::string& name : platform.listPlainFiles(source)) {
        if (!platform.moveFile(source + name, target + name)) ++failed;
    }
    return failed;
}

// The Desktop's items into the old desk's folder, just cleared: a file that cannot move stays on the Desktop,
// and what a move across drives left of it in the folder goes, lest the desk come back with half a file.
void StoreDesktopItems(Platform& platform, const std::string& desktop, const std::string& folder) {
    for (const std::string& name : platform.listPlainFiles(desktop)) {
        if (!platform.moveFile(desktop + name, folder + name) && platform.plainFileExists(desktop + name) &&
            platform.plainFileExists(folder + name)) {
            platform.deleteFile(folder + name);
        }
    }
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

// A copy that a crash cut off before it was whole.
void DeletePartialCopy(Platform& platform, const std::string& folder) {
    const std::string partial = folder + kCopyInProgressName;
    if (platform.plainFileExists(partial)) platform.deleteFile(partial);
}

// Runs a switch's file steps from the journal's step on, recording each step before it starts when
// `journaled`. False when it stopped before the Desktop's items began to move.
bool RunSwitchSteps(Platform& platform, const SharedState& state, SwitchJournal journal, bool journaled) {
    const std::string desktop = WithTrailingBackslash(state.desktopFolder);
    const auto advance = [&](SwitchPhase next) {
        journal.phase = next;
        return !journaled || WriteSwitchJournal(platform, state, journal);
    };
    if (journal.phase == SwitchPhase::Clearing) {
        if (isDeskIndex(journal.oldDesk)) DeleteFolderFiles(platform, deskFolder(state, journal.oldDesk));
        // Once the Desktop's items start moving in, that folder must never be cleared again: without that
        // record the switch stops here, with the old desk's items still on the Desktop.
        if (!advance(SwitchPhase::Storing)) return false;
    }
    // From here on the switch goes on even when the journal cannot follow: stopping would leave the Desktop
    // without the old desk's items, and a later switch would then clear their only copy.
    if (journal.phase == SwitchPhase::Storing) {
        // A file that fails to move stays on the Desktop, where the new desk's items will not replace it.
        if (isDeskIndex(journal.oldDesk))
            StoreDesktopItems(platform, desktop, deskFolder(state, journal.oldDesk));
        advance(SwitchPhase::Placing);
    }
    if (journal.phase == SwitchPhase::Placing) {
        if (isDeskIndex(journal.newDesk)) {
            const std::string folder = deskFolder(state, journal.newDesk);
            DeletePartialCopy(platform, desktop);
            for (const std::string& name : platform.listPlainFiles(folder))
                GiveItem(platform, folder, name, desktop, true);
        }
        advance(SwitchPhase::Placed);
    }
    return true;
}

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
    const std::string from = WithTrailingBackslash(source);
    const std::string to = WithTrailingBackslash(target);
    if (!keepSource) return MoveFiles(platform, from, to);
    int failed = 0;
    for (const std::string& name : platform.listPlainFiles(from)) {
        if (!platform.copyFile(from + name, to + name)) ++failed;
    }
    return failed;
}

void DeleteFolderFiles(Platform& platform, const std::string& folder) {
    const std::string path = WithTrailingBackslash(folder);
    for (const std::string& name : platform.listPlainFiles(path))
        platform.deleteFile(path + name);
}

bool IsUsableDesktop(Platform& platform, const SharedState& state) {
    const std::string desktop = WithTrailingBackslash(state.desktopFolder);
    if (desktop == "\\") return false;
    const std::string key = NameKey(desktop);
    if (key == NameKey(poolFolder(state))) return false;
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (key == NameKey(deskFolder(state, desk))) return false;
    }
    return platform.folderExists(desktop);
}

bool SwapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk) {
    const BusyPointer busy(platform);
    const std::string desktop = WithTrailingBackslash(state.desktopFolder);

    if (IsUsableDesktop(platform, state)) {
        const SwitchJournal journal{oldDesk, newDesk, SwitchPhase::Clearing};
        // Only a switch between two desks can be finished after a crash; nothing moves unless it is recorded.
        const bool journaled = isDeskIndex(oldDesk) && isDeskIndex(newDesk);
        if (journaled && !WriteSwitchJournal(platform, state, journal)) return false;
        if (!RunSwitchSteps(platform, state, journal, journaled)) return false;
    }

    // Explorer redraws the Desktop before the wallpaper changes.
    platform.pumpPendingEvents();
    if (const Desk* desk = deskAt(state, newDesk)) {
        ApplyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
    return true;
}

bool FinishInterruptedSwitch(Platform& platform, SharedState& state) {
    // A damaged journal names nothing to finish; the next switch writes over it.
    const std::optional<SwitchJournal> journal = ReadSwitchJournal(platform, state);
    if (!journal) return false;
    const Desk* entered = deskAt(state, journal->newDesk);
    if (!entered || !entered->exists() || !IsUsableDesktop(platform, state)) {
        return false;  // kept for a start that can finish it
    }
    if (!RunSwitchSteps(platform, state, *journal, true)) return false;
    state.currentDesk = static_cast<std::int16_t>(journal->newDesk);
    if (WriteUserValue(platform, state, kLastUseKey, state.currentDesk)) ClearSwitchJournal(platform, state);
    return true;
}

void PutBackMissingItems(Platform& platform, const SharedState& state) {
    if (!IsUsableDesktop(platform, state)) return;
    const std::string desktop = WithTrailingBackslash(state.desktopFolder);
    const std::string folder = deskFolder(state, state.currentDesk);
    DeletePartialCopy(platform, desktop);
    for (const std::string& name : platform.listPlainFiles(folder))
        PlaceItem(platform, folder, name, desktop);
}

}  // namespace koruvan
