#include "store/desk_folders.h"

#include <set>

#include "core/paths.h"
#include "core/text.h"
#include "platform/busy_pointer.h"
#include "store/appearance.h"
#include "store/desk_items.h"
#include "store/settings.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

std::string cleanedPath(std::string path) {
    blankNonPrinting(path);
    return removeBlanks(path);
}

// Moves every plain file of `source` into `target`, replacing files of the same name; a file that cannot
// move stays in `source`. Returns the number that failed.
int moveFiles(Platform& platform, const std::string& source, const std::string& target) {
    int failed = 0;
    for (const std::string& name : platform.listPlainFiles(source)) {
        if (!platform.moveFile(source + name, target + name)) ++failed;
    }
    return failed;
}

// The old desk's stored copies of items that are no longer on the Desktop: the user removed them there.
void deleteRemovedItems(Platform& platform, const std::string& desktop, const std::string& folder) {
    std::set<std::string> live;
    for (const std::string& name : platform.listPlainFiles(desktop))
        live.insert(fileNameKey(name));
    for (const std::string& name : platform.listPlainFiles(folder)) {
        if (live.count(fileNameKey(name)) == 0) platform.deleteFile(folder + name);
    }
}

// A copy that a crash cut off before it was whole.
void deletePartialCopy(Platform& platform, const std::string& folder) {
    const std::string partial = folder + kCopyInProgressName;
    if (platform.plainFileExists(partial)) platform.deleteFile(partial);
}

// Runs a switch's file steps from the journal's step on, recording a step before it starts when `journaled`.
// False when it stopped before the Desktop's items began to move.
bool runSwitchSteps(Platform& platform, const SharedState& state, SwitchJournal journal, bool journaled,
                    StepLog* log) {
    const std::string desktop = withTrailingBackslash(state.desktopFolder);
    const auto advance = [&](SwitchPhase next) {
        journal.phase = next;
        const bool written = !journaled || writeSwitchJournal(platform, state, journal);
        markStep(log, "journal");
        return written;
    };
    if (journal.phase == SwitchPhase::Clearing) {
        if (isDeskIndex(journal.oldDesk))
            deleteRemovedItems(platform, desktop, deskFolder(state, journal.oldDesk));
        markStep(log, "clear");
        // Once the Desktop's items start moving, only this record tells them from stale copies: without it
        // the switch stops here, with the old desk's items still on the Desktop.
        if (!advance(SwitchPhase::Storing)) return false;
    }
    // From here on the switch goes on even when the journal cannot follow: stopping would leave the Desktop
    // without the old desk's items.
    if (journal.phase == SwitchPhase::Storing) {
        // Each item replaces its stored copy; an item that cannot move stays on the Desktop, where the new
        // desk's items will not replace it.
        if (isDeskIndex(journal.oldDesk)) replaceItems(platform, desktop, deskFolder(state, journal.oldDesk));
        markStep(log, "store");
        advance(SwitchPhase::Placing);
    }
    // Placing again skips what is there already, so a cut-off placing is finished by placing again, and its
    // end needs no record of its own.
    if (journal.phase == SwitchPhase::Placing && isDeskIndex(journal.newDesk)) {
        const std::string folder = deskFolder(state, journal.newDesk);
        deletePartialCopy(platform, desktop);
        for (const std::string& name : platform.listPlainFiles(folder))
            giveItem(platform, folder, name, desktop, true, Placement::LinkOrCopy);
        markStep(log, "place");
    }
    return true;
}

}  // namespace

std::string readDesktopFolder(Platform& platform) {
    std::string folder =
        cleanedPath(regReadString(platform, RegistryRoot::CurrentUser, kShellFoldersKey, "Desktop"));
    if (folder.empty()) folder = cleanedPath(platform.knownDesktopFolder());
    return folder;
}

std::string readWindowsDirectory(Platform& platform) {
    std::string folder = cleanedPath(platform.windowsDirectory());
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder + '\\';
}

int copyFolderFiles(Platform& platform, const std::string& source, const std::string& target,
                    bool keepSource) {
    const std::string from = withTrailingBackslash(source);
    const std::string to = withTrailingBackslash(target);
    if (!keepSource) return moveFiles(platform, from, to);
    int failed = 0;
    for (const std::string& name : platform.listPlainFiles(from)) {
        if (!platform.copyFile(from + name, to + name)) ++failed;
    }
    return failed;
}

void deleteFolderFiles(Platform& platform, const std::string& folder) {
    const std::string path = withTrailingBackslash(folder);
    for (const std::string& name : platform.listPlainFiles(path))
        platform.deleteFile(path + name);
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
    return platform.folderExists(desktop);
}

bool isProgramOnDesktop(const SharedState& state) {
    const std::string desktop = withTrailingBackslash(state.desktopFolder);
    return desktop != "\\" && fileNameKey(desktop) == fileNameKey(withTrailingBackslash(state.programDir));
}

bool swapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk, StepLog* log) {
    const BusyPointer busy(platform);

    if (isUsableDesktop(platform, state)) {
        const SwitchJournal journal{oldDesk, newDesk, SwitchPhase::Clearing};
        // Only a switch between two desks can be finished after a crash; nothing moves unless it is recorded.
        const bool journaled = isDeskIndex(oldDesk) && isDeskIndex(newDesk);
        if (journaled && !writeSwitchJournal(platform, state, journal)) return false;
        markStep(log, "journal");
        if (!runSwitchSteps(platform, state, journal, journaled, log)) return false;
    }

    // Explorer redraws the Desktop before the wallpaper changes.
    platform.pumpPendingEvents();
    markStep(log, "pump");
    if (const Desk* desk = deskAt(state, newDesk)) {
        applyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
    markStep(log, "wallpaper");
    return true;
}

bool finishInterruptedSwitch(Platform& platform, SharedState& state) {
    // A damaged journal names nothing to finish; the next switch writes over it.
    const std::optional<SwitchJournal> journal = readSwitchJournal(platform, state);
    if (!journal) return false;
    const Desk* entered = deskAt(state, journal->newDesk);
    if (!entered || !entered->exists() || !isUsableDesktop(platform, state)) {
        return false;  // kept for a start that can finish it
    }
    if (!runSwitchSteps(platform, state, *journal, true, nullptr)) return false;
    state.currentDesk = static_cast<std::int16_t>(journal->newDesk);
    if (writeUserValue(platform, state, kLastUseKey, state.currentDesk)) clearSwitchJournal(platform, state);
    return true;
}

void putBackMissingItems(Platform& platform, const SharedState& state) {
    if (!isUsableDesktop(platform, state)) return;
    const std::string desktop = withTrailingBackslash(state.desktopFolder);
    const std::string folder = deskFolder(state, state.currentDesk);
    deletePartialCopy(platform, desktop);
    for (const std::string& name : platform.listPlainFiles(folder))
        placeItem(platform, folder, name, desktop, Placement::LinkOrCopy);
}

}  // namespace koruvan
