#include "store/desk_folders.h"

#include <set>

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

// The old desk's stored copies of items that are no longer on the Desktop: the user removed them there.
void DeleteRemovedItems(Platform& platform, const std::string& desktop, const std::string& folder) {
    std::set<std::string> live;
    for (const std::string& name : platform.listPlainFiles(desktop))
        live.insert(NameKey(name));
    for (const std::string& name : platform.listPlainFiles(folder)) {
        if (live.count(NameKey(name)) == 0) platform.deleteFile(folder + name);
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

// Runs a switch's file steps from the journal's step on, recording a step before it starts when `journaled`.
// False when it stopped before the Desktop's items began to move.
bool RunSwitchSteps(Platform& platform, const SharedState& state, SwitchJournal journal, bool journaled,
                    StepLog* log) {
    const std::string desktop = WithTrailingBackslash(state.desktopFolder);
    const auto advance = [&](SwitchPhase next) {
        journal.phase = next;
        const bool written = !journaled || WriteSwitchJournal(platform, state, journal);
        MarkStep(log, "journal");
        return written;
    };
    if (journal.phase == SwitchPhase::Clearing) {
        if (isDeskIndex(journal.oldDesk))
            DeleteRemovedItems(platform, desktop, deskFolder(state, journal.oldDesk));
        MarkStep(log, "clear");
        // Once the Desktop's items start moving, only this record tells them from stale copies: without it
        // the switch stops here, with the old desk's items still on the Desktop.
        if (!advance(SwitchPhase::Storing)) return false;
    }
    // From here on the switch goes on even when the journal cannot follow: stopping would leave the Desktop
    // without the old desk's items.
    if (journal.phase == SwitchPhase::Storing) {
        // Each item replaces its stored copy; an item that cannot move stays on the Desktop, where the new
        // desk's items will not replace it.
        if (isDeskIndex(journal.oldDesk)) ReplaceItems(platform, desktop, deskFolder(state, journal.oldDesk));
        MarkStep(log, "store");
        advance(SwitchPhase::Placing);
    }
    // Placing again skips what is there already, so a cut-off placing is finished by placing again, and its
    // end needs no record of its own.
    if (journal.phase == SwitchPhase::Placing && isDeskIndex(journal.newDesk)) {
        const std::string folder = deskFolder(state, journal.newDesk);
        DeletePartialCopy(platform, desktop);
        for (const std::string& name : platform.listPlainFiles(folder))
            GiveItem(platform, folder, name, desktop, true, Placement::LinkOrCopy);
        MarkStep(log, "place");
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
    if (key == NameKey(WithTrailingBackslash(state.programDir))) return false;
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (key == NameKey(deskFolder(state, desk))) return false;
    }
    return platform.folderExists(desktop);
}

bool SwapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk, StepLog* log) {
    const BusyPointer busy(platform);

    if (IsUsableDesktop(platform, state)) {
        const SwitchJournal journal{oldDesk, newDesk, SwitchPhase::Clearing};
        // Only a switch between two desks can be finished after a crash; nothing moves unless it is recorded.
        const bool journaled = isDeskIndex(oldDesk) && isDeskIndex(newDesk);
        if (journaled && !WriteSwitchJournal(platform, state, journal)) return false;
        MarkStep(log, "journal");
        if (!RunSwitchSteps(platform, state, journal, journaled, log)) return false;
    }

    // Explorer redraws the Desktop before the wallpaper changes.
    platform.pumpPendingEvents();
    MarkStep(log, "pump");
    if (const Desk* desk = deskAt(state, newDesk)) {
        ApplyWallpaper(platform, (*desk)[DeskField::Wallpaper], (*desk)[DeskField::Style]);
    }
    MarkStep(log, "wallpaper");
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
    if (!RunSwitchSteps(platform, state, *journal, true, nullptr)) return false;
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
        PlaceItem(platform, folder, name, desktop, Placement::LinkOrCopy);
}

}  // namespace koruvan
