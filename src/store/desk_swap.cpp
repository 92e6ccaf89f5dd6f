#include "store/desk_swap.h"

#include <map>
#include <set>

#include "core/paths.h"
#include "platform/busy_pointer.h"
#include "store/appearance.h"
#include "store/desk_folders.h"
#include "store/desk_items.h"
#include "store/file_compare.h"
#include "store/pool.h"
#include "store/settings.h"
#include "store/switch_journal.h"

namespace koruvan {
namespace {

// A search for a free Desktop name stops after this many names taken by files it cannot read: they are not
// the item, and reading on would only take time.
constexpr int kUnreadableNamesBeforeGivingUp = 5;

using Listing = std::map<std::string, PlainFile>;  // by fileNameKey

std::string desktopOf(const SharedState& state) {
    return withTrailingBackslash(state.desktopFolder);
}

std::string temporaryIn(const SharedState& state, const std::string& folder) {
    return folder + temporaryName(state.items, 1);
}

Listing listingOf(Platform& platform, const std::string& folder) {
    Listing listing;
    for (PlainFile& file : platform.files.listPlainFileIdentities(folder)) {
        std::string key = fileNameKey(file.name);
        listing.emplace(std::move(key), std::move(file));
    }
    return listing;
}

// The stored name of a new file of `desk`: its own, unless a Desktop file already stands for that name or the
// desk's folder holds an item of it, then the first free numbered one.
std::string storedNameForNewFile(Platform& platform, const SharedState& state, int desk,
                                 const std::string& name, std::set<std::string>& claimed) {
    std::string stored = name;
    for (int number = 2; number <= kLastNumberedName; ++number) {
        if (!claimed.count(fileNameKey(stored)) &&
            !platform.files.plainFileExists(deskFolder(state, desk) + stored))
            break;
        stored = numberedName(name, number);
    }
    claimed.insert(fileNameKey(stored));
    return stored;
}

// The leaving desk's stored copies of items the user removed from the Desktop since they were placed; the
// record forgets every file that is gone. Another desk's file left behind and then deleted keeps its older
// stored copy: that is the safe side.
void clearRemovedItems(Platform& platform, SharedState& state, int oldDesk, const Listing& desktop) {
    for (auto it = state.items.desktop.begin(); it != state.items.desktop.end();) {
        if (desktop.count(it->first) != 0) {
            ++it;
            continue;
        }
        if (it->second.desk == oldDesk)
            discardFile(platform.files, deskFolder(state, oldDesk) + it->second.storedName);
        it = state.items.desktop.erase(it);
    }
}

// Moves each of the Desktop's files into its desk's folder as the newest version of its stored item. What
// cannot move stays on the Desktop and in the record, still its desk's.
void storeDesktop(Platform& platform, SharedState& state, int oldDesk, std::vector<PlainFile> desktopFiles,
                  StoreReport& report) {
    if (!isDeskIndex(oldDesk)) return;  // no desk to keep them: the Desktop's files stay
    const std::string desktop = desktopOf(state);
    std::map<int, Listing> stored;
    ItemRecord::DesktopEntries left;
    for (const DesktopItem& item : desktopItems(platform, state, oldDesk, std::move(desktopFiles))) {
        const std::string folder = deskFolder(state, item.desk);
        auto listing = stored.find(item.desk);
        if (listing == stored.end()) listing = stored.emplace(item.desk, listingOf(platform, folder)).first;
        const auto older = listing->second.find(fileNameKey(item.storedName));
        const bool oneFile = older != listing->second.end() && sameFile(item.file, older->second);
        const FileResult result = storeReplacing(platform, desktop + item.file.name, folder, item.storedName,
                                                 temporaryIn(state, folder), oneFile);
        if (result) continue;
        left.emplace(fileNameKey(item.file.name), DesktopEntry{item.file.name, item.desk, item.storedName});
        report.leftBehind.push_back({item.file.name, item.desk, result.error});
    }
    state.items.desktop = std::move(left);
}

// Puts one stored item on the Desktop under its own name or the first free numbered one. A file of that name
// that no record names and that is the item itself was put there by a run a crash cut off: it is taken as
// placed. FileError::None when placed.
FileError placeItem(Platform& platform, SharedState& state, int desk, const std::string& storedName,
                    const Listing& unrecorded) {
    const std::string desktop = desktopOf(state);
    const std::string from = deskFolder(state, desk) + storedName;
    int unreadable = 0;
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string name = number == 1 ? storedName : numberedName(storedName, number);
        FileResult result =
            putCopy(platform, from, desktop, name, Placement::LinkOrCopy, temporaryIn(state, desktop));
        // Without room for a copy the item itself goes where a rename can take it: that needs no room.
        if (result.error == FileError::Full) {
            if (const FileResult moved = platform.files.moveFileNoReplace(from, desktop + name);
                moved || moved.error != FileError::OtherDrive)
                result = moved;
        }
        if (result.error == FileError::Exists && !findDesktopEntry(state.items, name) &&
            unrecorded.count(fileNameKey(name)) != 0) {
            const Comparison same = compareContents(platform, desktop + name, from);
            if (same == Comparison::Same) result = {};
            if (same == Comparison::Unreadable && ++unreadable >= kUnreadableNamesBeforeGivingUp) break;
        }
        if (result) {
            setDesktopEntry(state.items, {name, desk, storedName});
            return FileError::None;
        }
        if (result.error != FileError::Exists) return result.error;
    }
    return FileError::Exists;
}

// Places every item of the desk's folder that `present` does not name. Only a run that finishes an
// interrupted switch can find its own earlier placements on the Desktop, unrecorded.
void placeDesk(Platform& platform, SharedState& state, int desk, const std::set<std::string>& present,
               bool resumed, StoreReport& report) {
    Listing unrecorded;
    if (resumed) {
        for (auto& [key, file] : listingOf(platform, desktopOf(state))) {
            if (state.items.desktop.count(key) == 0) unrecorded.emplace(key, std::move(file));
        }
    }
    for (const std::string& name : platform.files.listPlainFiles(deskFolder(state, desk))) {
        if (present.count(fileNameKey(name)) != 0 || isTemporaryName(state.items, name)) continue;
        const FileError why = placeItem(platform, state, desk, name, unrecorded);
        if (why != FileError::None) report.notPlaced.push_back({name, desk, why});
    }
}

// The stored names of `desk`'s items that the Desktop holds.
std::set<std::string> presentItems(const ItemRecord::DesktopEntries& entries, int desk) {
    std::set<std::string> present;
    for (const auto& [key, entry] : entries) {
        if (entry.desk == desk) present.insert(fileNameKey(entry.storedName));
    }
    return present;
}

struct SwitchRun {
    bool journaled = false;  // each step that moves items is recorded before it starts
    bool resumed = false;    // finishes a switch that a crash cut off
};

// Runs a switch's file steps from the journal's step on, storing `desktopFiles` (the Desktop as the caller
// last listed it). False when the first journal could not be written (nothing moved).
bool runSwitchSteps(Platform& platform, SharedState& state, SwitchJournal journal, SwitchRun run,
                    std::vector<PlainFile> desktopFiles, StoreReport& report, StepLog* log) {
    const bool journaled = run.journaled;
    if (journal.phase == SwitchPhase::Clearing || journal.phase == SwitchPhase::Storing) {
        journal.phase = SwitchPhase::Storing;
        if (journaled) {
            if (const FileResult written = writeSwitchJournal(platform, state, journal); !written) {
                report.journalUnwritable = written.error;
                return false;
            }
        }
        markStep(log, "journal");
        storeDesktop(platform, state, journal.oldDesk, std::move(desktopFiles), report);
        markStep(log, "store");
        journal.phase = SwitchPhase::Placing;
        journal.leftBehind.clear();
        for (const auto& [key, entry] : state.items.desktop)
            journal.leftBehind.push_back(entry);
        // From here on the switch goes on even when the journal cannot follow: stopping would leave the
        // Desktop without the old desk's items.
        if (journaled) (void)writeSwitchJournal(platform, state, journal);
        markStep(log, "journal");
    } else {
        state.items.desktop.clear();
        for (const DesktopEntry& entry : journal.leftBehind)
            setDesktopEntry(state.items, entry);
    }
    // Placing again takes what an interrupted run placed as placed, so its end needs no record of its own.
    if (journal.phase == SwitchPhase::Placing)
        placeDesk(platform, state, journal.newDesk, presentItems(state.items.desktop, journal.newDesk),
                  run.resumed, report);
    markStep(log, "place");
    return true;
}

// Every Desktop file is in the record once the store is settled, so that a file the record does not name is
// always one made since.
void recordDesktop(Platform& platform, SharedState& state, int desk) {
    ItemRecord::DesktopEntries entries;
    for (DesktopItem& item : desktopItems(platform, state, desk)) {
        std::string key = fileNameKey(item.file.name);
        entries.emplace(std::move(key), DesktopEntry{item.file.name, item.desk, item.storedName});
    }
    state.items.desktop = std::move(entries);
}

// Only the program's own temporary files, named with the record's token (or a journal's), are cleared.
void clearTemporaryFiles(Platform& platform, const SharedState& state, const std::string& token) {
    ItemRecord named;
    named.token = token;
    std::vector<std::string> folders{desktopOf(state), poolFolder(state)};
    for (int desk = 0; desk < kDeskCount; ++desk)
        folders.push_back(deskFolder(state, desk));
    for (const std::string& folder : folders) {
        for (const std::string& name : platform.files.listPlainFiles(folder)) {
            if (isTemporaryName(named, name)) discardFile(platform.files, folder + name);
        }
    }
}

// Files another desk left behind go to that desk's folder where they now can.
void sendLeftBehindHome(Platform& platform, SharedState& state) {
    const std::string desktop = desktopOf(state);
    for (const DesktopItem& item : desktopItems(platform, state, state.currentDesk)) {
        if (item.desk == state.currentDesk) continue;
        const std::string folder = deskFolder(state, item.desk);
        const std::string path = desktop + item.file.name;
        const std::optional<PlainFile> older = platform.files.fileInfo(folder + item.storedName);
        // One that cannot go yet stays on the Desktop, still its desk's, for the next switch or start.
        (void)storeReplacing(platform, path, folder, item.storedName, temporaryIn(state, folder),
                             older && sameFile(item.file, *older));
    }
}

}  // namespace

std::vector<DesktopItem> desktopItems(Platform& platform, const SharedState& state, int currentDesk) {
    return desktopItems(platform, state, currentDesk,
                        platform.files.listPlainFileIdentities(desktopOf(state)));
}

std::vector<DesktopItem> desktopItems(Platform& platform, const SharedState& state, int currentDesk,
                                      std::vector<PlainFile> files) {
    const bool legacy = state.items.token.empty();
    std::set<std::string> claimed;
    for (const PlainFile& file : files) {
        const DesktopEntry* entry = findDesktopEntry(state.items, file.name);
        if (entry && entry->desk == currentDesk) claimed.insert(fileNameKey(entry->storedName));
    }
    std::vector<DesktopItem> items;
    for (PlainFile& file : files) {
        if (isTemporaryName(state.items, file.name)) continue;
        const DesktopEntry* entry = findDesktopEntry(state.items, file.name);
        DesktopItem item{file, currentDesk, file.name};
        if (entry) {
            item.desk = entry->desk;
            item.storedName = entry->storedName;
        } else if (!legacy) {
            item.storedName = storedNameForNewFile(platform, state, currentDesk, file.name, claimed);
        }
        items.push_back(std::move(item));
    }
    return items;
}

void ensureRecord(Platform& platform, SharedState& state, int currentDesk) {
    if (state.items.token.empty() && isUsableDesktop(platform, state))
        recordDesktop(platform, state, currentDesk);
    ensureToken(state.items, platform.session);
}

bool swapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk, StoreReport& report,
              StepLog* log, SwapWallpaper wallpaper) {
    const BusyPointer busy(platform);
    if (isUsableDesktop(platform, state)) {
        if (isDeskIndex(oldDesk)) ensureRecord(platform, state, oldDesk);
        ensureToken(state.items, platform.session);
        // Only a switch between two desks can be finished after a crash; nothing moves unless it is recorded.
        const bool journaled = isDeskIndex(oldDesk) && isDeskIndex(newDesk);
        // One listing serves clearing and storing.
        std::vector<PlainFile> desktopFiles = platform.files.listPlainFileIdentities(desktopOf(state));
        // Clearing needs no record: a crash in it leaves stored copies the user removed, which the next start
        // puts back, as it puts back every item removed while the program was not running.
        if (isDeskIndex(oldDesk)) {
            Listing listing;
            for (const PlainFile& file : desktopFiles)
                listing.emplace(fileNameKey(file.name), file);
            clearRemovedItems(platform, state, oldDesk, listing);
        }
        markStep(log, "clear");
        const SwitchJournal journal{oldDesk, newDesk, SwitchPhase::Storing, state.items.token, {}};
        if (!runSwitchSteps(platform, state, journal, {.journaled = journaled}, std::move(desktopFiles),
                            report, log))
            return false;
    }
    // Explorer redraws the Desktop before the wallpaper changes.
    platform.session.pumpPendingEvents();
    markStep(log, "pump");
    const Desk* desk = deskAt(state, newDesk);
    if (desk && wallpaper == SwapWallpaper::Apply) applyWallpaper(platform, desk->wallpaper, desk->style);
    markStep(log, "wallpaper");
    return true;
}

FileResult completeSwitch(Platform& platform, SharedState& state, int newDesk, StepLog* log) {
    if (isUsableDesktop(platform, state)) {
        const FileResult record = writeItemRecord(platform.files, state.itemRecordPath(), state.items);
        markStep(log, "record");
        if (!record) return record;
    }
    // Until LastUse names the new desk, a start after a crash needs the journal to finish this switch.
    const FileResult lastUse = writeUserValue(platform.files, state, kLastUseKey, newDesk);
    markStep(log, "lastuse");
    if (!lastUse) return lastUse;
    // A journal left in place names the desk LastUse names: the next start only removes it.
    (void)clearSwitchJournal(platform, state);
    markStep(log, "journal");
    return {};
}

bool finishInterruptedSwitch(Platform& platform, SharedState& state, StoreReport& report) {
    // A damaged journal names nothing to finish; the next switch writes over it.
    const std::optional<SwitchJournal> journal = readSwitchJournal(platform, state);
    if (!journal) return false;
    // LastUse names the switch's desk: it had finished, all but the journal's removal.
    if (state.currentDesk == journal->newDesk) {
        (void)clearSwitchJournal(platform, state);  // a later start finds it so again
        return false;
    }
    const Desk* from = deskAt(state, journal->oldDesk);
    const Desk* to = deskAt(state, journal->newDesk);
    const bool agrees = state.currentDesk == journal->oldDesk && from->exists() && to->exists() &&
                        platform.files.folderExists(deskFolder(state, journal->oldDesk)) &&
                        platform.files.folderExists(deskFolder(state, journal->newDesk));
    if (!agrees) {
        report.journalSetAside = setSwitchJournalAside(platform, state);
        if (report.journalSetAside.empty()) report.journalSetAside = "KORUVAN.jnl";
        return false;
    }
    if (!isUsableDesktop(platform, state)) return false;  // kept for a start that can finish it
    if (state.items.token.empty()) state.items.token = journal->token;
    ensureToken(state.items, platform.session);
    if (!journal->token.empty()) clearTemporaryFiles(platform, state, journal->token);
    runSwitchSteps(platform, state, *journal, {.journaled = true, .resumed = true},
                   platform.files.listPlainFileIdentities(desktopOf(state)), report, nullptr);
    // The Desktop may hold files of the cut-off run that no step recorded.
    recordDesktop(platform, state, journal->newDesk);
    if (!completeSwitch(platform, state, journal->newDesk)) return false;
    state.currentDesk = static_cast<std::int16_t>(journal->newDesk);
    return true;
}

FileError placeOnDesktop(Platform& platform, SharedState& state, int desk, const std::string& storedName) {
    return placeItem(platform, state, desk, storedName, Listing{});
}

void storeFirstDesk(Platform& platform, SharedState& state) {
    if (!isUsableDesktop(platform, state)) return;
    ensureToken(state.items, platform.session);
    const std::string desktop = desktopOf(state);
    const std::string folder = deskFolder(state, 0);
    for (const PlainFile& file : platform.files.listPlainFileIdentities(desktop)) {
        const std::string from = desktop + file.name;
        for (int number = 1; number <= kLastNumberedName; ++number) {
            const std::string name = number == 1 ? file.name : numberedName(file.name, number);
            const FileResult result =
                putCopy(platform, from, folder, name, Placement::LinkOrCopy, temporaryIn(state, folder));
            if (result ||
                (result.error == FileError::Exists && sameContents(platform, folder + name, from))) {
                setDesktopEntry(state.items, {file.name, 0, name});
                // The pool's copy is only an offer to other desks: desk 0 keeps the item either way.
                (void)addToPool(platform, state, from, 0, name, false);
                break;
            }
            if (result.error != FileError::Exists) break;
        }
    }
    // Without a record the next start takes the Desktop's files for desk 0's, as they are.
    (void)writeItemRecord(platform.files, state.itemRecordPath(), state.items);
}

void settleStore(Platform& platform, SharedState& state, StoreReport& report) {
    state.items = readItemRecord(platform.files, state.itemRecordPath());
    if (!isUsableDesktop(platform, state)) return;
    finishInterruptedSwitch(platform, state, report);
    if (!state.items.token.empty()) clearTemporaryFiles(platform, state, state.items.token);
    sendLeftBehindHome(platform, state);
    std::set<std::string> present;
    for (const DesktopItem& item : desktopItems(platform, state, state.currentDesk)) {
        if (item.desk == state.currentDesk) present.insert(fileNameKey(item.storedName));
    }
    recordDesktop(platform, state, state.currentDesk);
    ensureToken(state.items, platform.session);
    placeDesk(platform, state, state.currentDesk, present, false, report);
    report.noteSettingsWrite(writeItemRecord(platform.files, state.itemRecordPath(), state.items));
}

}  // namespace koruvan
