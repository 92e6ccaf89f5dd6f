#include "store/desk_swap.h"

#include <map>
#include <set>

#include "core/paths.h"
#include "platform/busy_pointer.h"
#include "store/appearance.h"
#include "store/desk_folders.h"
#include "store/desk_identity.h"
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

// The leaving desk's stored copies of items the user removed from the Desktop since they were placed; the
// pool's copies of them become the pool's own, and the record forgets every file that is gone. Another
// desk's file left behind and then deleted keeps its older stored copy: that is the safe side.
void clearRemovedItems(Platform& platform, SharedState& state, int oldDesk,
                       const std::vector<DesktopEntry>& gone) {
    const DeskId leaving = deskIdAt(state, oldDesk);
    for (const DesktopEntry& entry : gone) {
        state.items.desktop.erase(fileNameKey(entry.name));
        if (leaving == 0 || entry.desk != leaving) continue;
        discardFile(platform.files, deskFolder(state, oldDesk) + entry.storedName);
        endPoolEntries(state.items, leaving, entry.storedName);
    }
}

// Moves a Desktop item into its desk's folder as the newest version of its stored item; a deleted desk's
// goes to the pool. `stored` caches the listings of the desks' folders.
FileResult storeItem(Platform& platform, SharedState& state, const DesktopItem& item,
                     std::map<int, Listing>& stored) {
    const std::string from = desktopOf(state) + item.file.name;
    const int slot = slotOfDesk(state, item.desk);
    if (slot < 0) return addToPool(platform, state, from, 0, item.storedName, true, PoolCopy::Released);
    if (item.storedName.empty()) return FileError::Exists;  // no free name left in the desk's folder
    const std::string folder = deskFolder(state, slot);
    auto listing = stored.find(slot);
    if (listing == stored.end()) listing = stored.emplace(slot, listingOf(platform, folder)).first;
    const auto older = listing->second.find(fileNameKey(item.storedName));
    const bool oneFile = older != listing->second.end() && sameFile(item.file, older->second);
    return storeReplacing(platform, from, folder, item.storedName, temporaryIn(state, folder),
                          oneFile ? std::optional<PlainFile>(item.file) : std::nullopt);
}

// Moves each of the Desktop's files into its desk's folder. What cannot move stays on the Desktop and in the
// record, still its desk's.
void storeDesktop(Platform& platform, SharedState& state, int oldDesk, const std::vector<DesktopItem>& items,
                  StoreReport& report) {
    if (!isDeskIndex(oldDesk)) return;  // no desk to keep them: the Desktop's files stay
    std::map<int, Listing> stored;
    std::vector<DesktopItem> left;
    for (const DesktopItem& item : items) {
        const FileResult result = storeItem(platform, state, item, stored);
        if (result) continue;
        left.push_back(item);
        report.leftBehind.push_back({item.file.name, slotOfDesk(state, item.desk), result.error});
    }
    recordItems(state, left);
}

// The identity of a placed file: the stored file's when it is a second name of it (or the stored file itself,
// moved), else the new copy's own.
std::pair<std::uint64_t, std::uint64_t> placedIdentity(Platform& platform, const std::string& path,
                                                       const PlainFile& stored, bool sameFile) {
    if (sameFile) return {stored.volume, stored.fileId};
    const std::optional<PlainFile> copy = platform.files.fileInfo(path);
    return copy ? std::pair{copy->volume, copy->fileId} : std::pair<std::uint64_t, std::uint64_t>{0, 0};
}

// One try at putting the stored item on the Desktop as `name`; `sameFile` tells whether it came as the
// stored file itself.
FileResult placeAs(Platform& platform, const SharedState& state, const std::string& from,
                   const std::string& name, bool& sameFile) {
    const std::string desktop = desktopOf(state);
    FileResult result =
        putCopy(platform, from, desktop, name, Placement::LinkOrCopy, temporaryIn(state, desktop), &sameFile);
    // Without room for a copy the item itself goes where a rename can take it: that needs no room.
    if (result.error == FileError::Full) {
        if (const FileResult moved = platform.files.moveFileNoReplace(from, desktop + name);
            moved || moved.error != FileError::OtherDrive) {
            result = moved;
            sameFile = true;
        }
    }
    return result;
}

// Puts one stored item on the Desktop under its own name or the first free numbered one. A file of that name
// that no record names and that is the item itself was put there by a run a crash cut off: it is taken as
// placed. FileError::None when placed.
FileError placeItem(Platform& platform, SharedState& state, int desk, const PlainFile& stored,
                    const Listing& unrecorded) {
    const std::string desktop = desktopOf(state);
    const std::string from = deskFolder(state, desk) + stored.name;
    int unreadable = 0;
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string name = number == 1 ? stored.name : numberedName(stored.name, number);
        bool sameFile = false;
        FileResult result = placeAs(platform, state, from, name, sameFile);
        if (result.error == FileError::Exists && !findDesktopEntry(state.items, name) &&
            unrecorded.count(fileNameKey(name)) != 0) {
            const Comparison same = compareContents(platform, desktop + name, from);
            if (same == Comparison::Same) result = {};
            if (same == Comparison::Unreadable && ++unreadable >= kUnreadableNamesBeforeGivingUp) break;
        }
        if (result) {
            const auto [volume, fileId] = placedIdentity(platform, desktop + name, stored, sameFile);
            setDesktopEntry(state.items, {name, deskIdAt(state, desk), stored.name, volume, fileId});
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
    for (const PlainFile& stored : platform.files.listPlainFileIdentities(deskFolder(state, desk))) {
        if (present.count(fileNameKey(stored.name)) != 0 || isTemporaryName(state.items, stored.name))
            continue;
        const FileError why = placeItem(platform, state, desk, stored, unrecorded);
        if (why != FileError::None) report.notPlaced.push_back({stored.name, desk, why});
    }
}

// The stored names of `desk`'s items that the Desktop holds.
std::set<std::string> presentItems(const ItemRecord::DesktopEntries& entries, DeskId desk) {
    std::set<std::string> present;
    for (const auto& [key, entry] : entries) {
        if (entry.desk == desk) present.insert(fileNameKey(entry.storedName));
    }
    return present;
}

// The placing step could not be recorded: a crash while placing would then file the new desk's items under
// the old one. The old desk's items go back on the Desktop instead, and the switch does not happen.
void takeSwitchBack(Platform& platform, SharedState& state, const SwitchJournal& journal, FileError why,
                    StoreReport& report) {
    report.journalUnwritable = why;
    placeDesk(platform, state, journal.oldDesk,
              presentItems(state.items.desktop, deskIdAt(state, journal.oldDesk)), false, report);
    // One left in place finishes the switch at the next start, which loses nothing either.
    (void)clearSwitchJournal(platform, state);
    report.noteSettingsWrite(writeRecord(platform, state));
}

struct SwitchRun {
    bool journaled = false;  // each step that moves items is recorded before it starts
    bool resumed = false;    // finishes a switch that a crash cut off
};

// Runs a switch's file steps from the journal's step on, storing `items` (the Desktop as the caller last
// listed and matched it). False when a journal could not be written: nothing moved, or the old desk's items
// were put back.
bool runSwitchSteps(Platform& platform, SharedState& state, SwitchJournal journal, SwitchRun run,
                    const std::vector<DesktopItem>& items, StoreReport& report, StepLog* log) {
    if (journal.phase == SwitchPhase::Clearing || journal.phase == SwitchPhase::Storing) {
        journal.phase = SwitchPhase::Storing;
        if (run.journaled) {
            if (const FileResult written = writeSwitchJournal(platform, state, journal); !written) {
                report.journalUnwritable = written.error;
                return false;
            }
        }
        markStep(log, "journal");
        storeDesktop(platform, state, journal.oldDesk, items, report);
        markStep(log, "store");
        journal.phase = SwitchPhase::Placing;
        journal.leftBehind.clear();
        for (const auto& [key, entry] : state.items.desktop)
            journal.leftBehind.push_back(entry);
        if (run.journaled) {
            if (const FileResult written = writeSwitchJournal(platform, state, journal); !written) {
                takeSwitchBack(platform, state, journal, written.error, report);
                return false;
            }
        }
        markStep(log, "journal");
    } else {
        state.items.desktop.clear();
        for (const DesktopEntry& entry : journal.leftBehind)
            setDesktopEntry(state.items, entry);
    }
    // Placing again takes what an interrupted run placed as placed, so its end needs no record of its own.
    if (journal.phase == SwitchPhase::Placing)
        placeDesk(platform, state, journal.newDesk,
                  presentItems(state.items.desktop, deskIdAt(state, journal.newDesk)), run.resumed, report);
    markStep(log, "place");
    return true;
}

// Every Desktop file is in the record once the store is settled, so that a file the record does not name is
// always one made since.
void recordDesktop(Platform& platform, SharedState& state, int desk) {
    recordItems(state, matchDesktop(platform, state, deskIdAt(state, desk)).items);
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

// Files another desk left behind go to that desk's folder (a deleted desk's to the pool) where they now can;
// the items that stay on the Desktop.
std::vector<DesktopItem> sendLeftBehindHome(Platform& platform, SharedState& state,
                                            std::vector<DesktopItem> items) {
    const DeskId current = deskIdAt(state, state.currentDesk);
    std::map<int, Listing> stored;
    std::vector<DesktopItem> stay;
    for (DesktopItem& item : items) {
        // One that cannot go yet stays on the Desktop, still its desk's, for the next switch or start.
        if (item.desk == current || !storeItem(platform, state, item, stored))
            stay.push_back(std::move(item));
    }
    return stay;
}

// After a switch that could not write LastUse, the record names the desk whose items the Desktop holds: the
// start begins there and writes LastUse again. A LastUse changed by hand since (another value than the one
// the file kept) rules.
void resumeAtDesktopsDesk(Platform& platform, SharedState& state, StoreReport& report) {
    std::optional<int>& kept = state.items.lastUseKept;
    if (!kept) return;
    const int slot = slotOfDesk(state, state.items.onDesktop);
    if (*kept != state.currentDesk || slot < 0) {
        kept.reset();
        return;
    }
    state.currentDesk = static_cast<std::int16_t>(slot);
    const FileResult written = writeUserValue(platform.files, state, kLastUseKey, slot);
    if (written) {
        kept.reset();
    } else {
        report.lastUseUnwritten = written.error;
    }
}

// A start that could not reach the Desktop left the store as it found it. It is settled before any item
// moves; while the Desktop stays out of reach a switch moves nothing, and none starts while a cut-off
// switch waits to be finished (LastUse must keep naming its desk). A switch whose end could not be recorded
// (its journal still there) is recorded first: another switch's journal would set it aside, and the next
// start would file the Desktop under a stale record.
bool settleBeforeSwitch(Platform& platform, SharedState& state, int& oldDesk, StoreReport& report) {
    if (!state.storeUnsettled) {
        return !isUsableDesktop(platform, state) ||
               !platform.files.plainFileExists(switchJournalPath(state)) ||
               completeSwitch(platform, state, state.currentDesk, report) != Completion::NotRecorded;
    }
    const bool reachable = isUsableDesktop(platform, state);
    if (reachable) {
        settleStore(platform, state, report);
        oldDesk = state.currentDesk;
    }
    if (!state.storeUnsettled) return true;
    if (!reachable && !platform.files.plainFileExists(switchJournalPath(state))) return true;
    report.desktopUnreachable = true;
    return false;
}

// The file work of a switch between the Desktop and the desks' folders.
bool moveDesktopItems(Platform& platform, SharedState& state, int oldDesk, int newDesk, StoreReport& report,
                      StepLog* log) {
    if (oldDesk == newDesk) return true;
    giveDeskIdentities(state);
    if (isDeskIndex(oldDesk)) ensureRecord(platform, state, oldDesk);
    ensureToken(state.items, platform.session);
    // Only a switch between two desks can be finished after a crash; nothing moves unless it is recorded.
    const bool journaled = isDeskIndex(oldDesk) && isDeskIndex(newDesk);
    // One listing serves clearing and storing. A Desktop that cannot be listed is not an empty one.
    const std::optional<std::vector<PlainFile>> files =
        platform.files.tryListPlainFileIdentities(desktopOf(state));
    if (!files) {
        report.desktopUnreachable = true;
        return false;
    }
    DesktopMatch match = matchDesktop(platform, state, deskIdAt(state, oldDesk), *files);
    followRenames(platform, state, match);
    // Clearing needs no record: a crash in it leaves stored copies the user removed, which the next start
    // puts back, as it puts back every item removed while the program was not running.
    if (isDeskIndex(oldDesk)) clearRemovedItems(platform, state, oldDesk, match.gone);
    markStep(log, "clear");
    const SwitchJournal journal{oldDesk, newDesk, SwitchPhase::Storing, state.items.token, {}};
    return runSwitchSteps(platform, state, journal, {.journaled = journaled}, match.items, report, log);
}

}  // namespace

void ensureRecord(Platform& platform, SharedState& state, int currentDesk) {
    giveDeskIdentities(state);
    if (state.items.token.empty() && isUsableDesktop(platform, state))
        recordDesktop(platform, state, currentDesk);
    ensureToken(state.items, platform.session);
}

bool swapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk, StoreReport& report,
              StepLog* log, SwapWallpaper wallpaper) {
    const BusyPointer busy(platform);
    if (!settleBeforeSwitch(platform, state, oldDesk, report)) return false;
    if (isUsableDesktop(platform, state) && !moveDesktopItems(platform, state, oldDesk, newDesk, report, log))
        return false;
    // Explorer redraws the Desktop before the wallpaper changes.
    platform.session.pumpPendingEvents();
    markStep(log, "pump");
    const Desk* desk = deskAt(state, newDesk);
    if (desk && wallpaper == SwapWallpaper::Apply) applyWallpaper(platform, desk->wallpaper, desk->style);
    markStep(log, "wallpaper");
    return true;
}

Completion completeSwitch(Platform& platform, SharedState& state, int newDesk, StoreReport& report,
                          StepLog* log) {
    state.items.onDesktop = deskIdAt(state, newDesk);
    if (isUsableDesktop(platform, state)) {
        const FileResult record = writeRecord(platform, state);
        markStep(log, "record");
        if (!record) {
            report.recordUnwritten = record.error;
            return Completion::NotRecorded;
        }
    }
    // Until LastUse names the new desk, a start after a crash needs the journal to finish this switch.
    const FileResult lastUse = writeUserValue(platform.files, state, kLastUseKey, newDesk);
    markStep(log, "lastuse");
    if (!lastUse) {
        report.lastUseUnwritten = lastUse.error;
        // The record says it instead: the next start begins at newDesk unless LastUse is changed by hand. The
        // journal then has nothing left to tell, and would only stand against a LastUse changed by hand.
        if (!state.items.lastUseKept) state.items.lastUseKept = readLastUse(platform.files, state);
        if (state.items.lastUseKept && isUsableDesktop(platform, state) && writeRecord(platform, state))
            (void)clearSwitchJournal(platform, state);
        return Completion::LastUseKept;
    }
    state.items.lastUseKept.reset();
    // A journal left in place names the desk LastUse names: the next start only removes it.
    (void)clearSwitchJournal(platform, state);
    markStep(log, "journal");
    return Completion::Done;
}

InterruptedSwitch finishInterruptedSwitch(Platform& platform, SharedState& state, StoreReport& report) {
    if (!platform.files.plainFileExists(switchJournalPath(state))) return InterruptedSwitch::None;
    const std::optional<SwitchJournal> journal = readSwitchJournal(platform, state);
    // One that cannot be read or names no switch is never acted on: it is kept aside for the user to see.
    if (!journal) {
        report.journalUnreadable = true;
        report.journalSetAside = setSwitchJournalAside(platform, state);
        if (report.journalSetAside.empty()) report.journalSetAside = "KORUVAN.jnl";
        return InterruptedSwitch::None;
    }
    // LastUse names the switch's desk: it had finished, all but the journal's removal.
    if (state.currentDesk == journal->newDesk) {
        (void)clearSwitchJournal(platform, state);  // a later start finds it so again
        return InterruptedSwitch::None;
    }
    const Desk* from = deskAt(state, journal->oldDesk);
    const Desk* to = deskAt(state, journal->newDesk);
    const bool agrees = state.currentDesk == journal->oldDesk && from->exists() && to->exists() &&
                        platform.files.folderExists(deskFolder(state, journal->oldDesk)) &&
                        platform.files.folderExists(deskFolder(state, journal->newDesk));
    if (!agrees) {
        report.journalSetAside = setSwitchJournalAside(platform, state);
        if (report.journalSetAside.empty()) report.journalSetAside = "KORUVAN.jnl";
        return InterruptedSwitch::None;
    }
    const std::optional<std::vector<PlainFile>> files =
        isUsableDesktop(platform, state) ? platform.files.tryListPlainFileIdentities(desktopOf(state))
                                         : std::nullopt;
    if (!files) return InterruptedSwitch::Kept;  // for a start or switch that can finish it
    if (state.items.token.empty()) state.items.token = journal->token;
    ensureToken(state.items, platform.session);
    if (!journal->token.empty()) clearTemporaryFiles(platform, state, journal->token);
    DesktopMatch match = matchDesktop(platform, state, deskIdAt(state, journal->oldDesk), *files);
    if (journal->phase != SwitchPhase::Placing) followRenames(platform, state, match);
    if (!runSwitchSteps(platform, state, *journal, {.journaled = true, .resumed = true}, match.items, report,
                        nullptr))
        return InterruptedSwitch::None;
    // The Desktop may hold files of the cut-off run that no step recorded.
    recordDesktop(platform, state, journal->newDesk);
    if (completeSwitch(platform, state, journal->newDesk, report) == Completion::NotRecorded)
        return InterruptedSwitch::None;
    state.currentDesk = static_cast<std::int16_t>(journal->newDesk);
    return InterruptedSwitch::Finished;
}

FileError placeOnDesktop(Platform& platform, SharedState& state, int desk, const std::string& storedName) {
    const std::optional<PlainFile> stored = platform.files.fileInfo(deskFolder(state, desk) + storedName);
    return placeItem(platform, state, desk, stored.value_or(PlainFile{storedName}), Listing{});
}

void storeFirstDesk(Platform& platform, SharedState& state) {
    if (!isUsableDesktop(platform, state)) return;
    giveDeskIdentities(state);
    ensureToken(state.items, platform.session);
    const std::string desktop = desktopOf(state);
    const std::string folder = deskFolder(state, state.currentDesk);
    const DeskId desk = deskIdAt(state, state.currentDesk);
    for (const DesktopItem& item : matchDesktop(platform, state, desk).items) {
        // Recorded ones are their desks' already: stored, or sent home by the start.
        if (!item.isNew) continue;
        const std::string from = desktop + item.file.name;
        for (int number = 1; number <= kLastNumberedName; ++number) {
            const std::string name = number == 1 ? item.file.name : numberedName(item.file.name, number);
            const FileResult result =
                putCopy(platform, from, folder, name, Placement::LinkOrCopy, temporaryIn(state, folder));
            if (result ||
                (result.error == FileError::Exists && sameContents(platform, folder + name, from))) {
                setDesktopEntry(state.items,
                                {item.file.name, desk, name, item.file.volume, item.file.fileId});
                // The pool's copy is only an offer to other desks: the desk keeps the item either way.
                (void)addToPool(platform, state, from, desk, name, false);
                break;
            }
            if (result.error != FileError::Exists) break;
        }
    }
    // Without a record the next start takes the Desktop's files for the current desk's, as they are.
    (void)writeRecord(platform, state);
}

void settleStore(Platform& platform, SharedState& state, StoreReport& report) {
    state.storeUnsettled = true;
    giveDeskIdentities(state);
    resumeAtDesktopsDesk(platform, state, report);
    if (!isUsableDesktop(platform, state)) return;
    if (finishInterruptedSwitch(platform, state, report) == InterruptedSwitch::Kept) return;
    if (!state.items.token.empty()) clearTemporaryFiles(platform, state, state.items.token);
    const std::optional<std::vector<PlainFile>> files =
        platform.files.tryListPlainFileIdentities(desktopOf(state));
    if (!files) return;
    const DeskId current = deskIdAt(state, state.currentDesk);
    DesktopMatch match = matchDesktop(platform, state, current, *files);
    followRenames(platform, state, match);
    const std::vector<DesktopItem> stay = sendLeftBehindHome(platform, state, std::move(match.items));
    std::set<std::string> present;
    for (const DesktopItem& item : stay) {
        if (item.desk == current) present.insert(fileNameKey(item.storedName));
    }
    recordItems(state, stay);
    ensureToken(state.items, platform.session);
    state.items.onDesktop = current;
    placeDesk(platform, state, state.currentDesk, present, false, report);
    report.noteSettingsWrite(writeRecord(platform, state));
    state.storeUnsettled = false;
}

}  // namespace koruvan
