#include "store/desk_arrangement.h"

#include <algorithm>

#include "core/paths.h"
#include "store/desk_folders.h"
#include "store/desk_identity.h"
#include "store/desk_items.h"
#include "store/desk_swap.h"
#include "store/pool.h"

namespace koruvan {
namespace {

// The temporary names of staged pool copies start above those of single transfers.
constexpr int kFirstStagingNumber = 10;

// One item of a desk: its name as the user sees it, where it lives now, and its name in the desk's folder.
struct DeskItem {
    std::string name;
    std::string path;
    std::string storedName;
};

bool isOnScreen(Platform& platform, const SharedState& state, int desk) {
    return desk == state.currentDesk && isUsableDesktop(platform, state);
}

// The desk's own items among the Desktop's files (not files another desk left there).
std::vector<DeskItem> itemsOnScreen(const SharedState& state, int desk, const DesktopMatch& match) {
    std::vector<DeskItem> items;
    const std::string desktop = withTrailingBackslash(state.desktopFolder);
    for (const DesktopItem& item : match.items) {
        // One without a stored name (none left free) stays as it is: the desk's, but not arranged.
        if (item.desk == deskIdAt(state, desk) && !item.storedName.empty())
            items.push_back({item.file.name, desktop + item.file.name, item.storedName});
    }
    return items;
}

std::vector<DeskItem> itemsInFolder(Platform& platform, const SharedState& state, int desk) {
    std::vector<DeskItem> items;
    const std::string folder = deskFolder(state, desk);
    for (const std::string& name : platform.files.listPlainFiles(folder)) {
        if (!isTemporaryName(state.items, name)) items.push_back({name, folder + name, name});
    }
    return items;
}

bool wants(const std::vector<std::string>& wanted, const std::string& name) {
    return std::find(wanted.begin(), wanted.end(), name) != wanted.end();
}

struct Staged {
    std::string name;
    std::string temporary;
};

// Copies every wanted pool file the desk lacks into its folder under a temporary name: all of them, or none.
std::optional<ItemProblem> stagePoolCopies(Platform& platform, const SharedState& state, int desk,
                                           const std::vector<DeskItem>& items,
                                           const std::vector<std::string>& wanted,
                                           std::vector<Staged>& staged) {
    for (const std::string& name : wanted) {
        const bool carried =
            std::any_of(items.begin(), items.end(), [&](const DeskItem& i) { return i.name == name; });
        if (carried) continue;
        const std::string temporary =
            deskFolder(state, desk) +
            temporaryName(state.items, kFirstStagingNumber + static_cast<int>(staged.size()));
        const FileResult copied = platform.files.copyFile(poolFolder(state) + name, temporary);
        if (!copied) {
            discardFile(platform.files, temporary);
            for (const Staged& made : staged)
                discardFile(platform.files, made.temporary);
            staged.clear();
            return ItemProblem{name, desk, copied.error};
        }
        staged.push_back({name, temporary});
    }
    return std::nullopt;
}

// A staged copy takes its name in the desk's folder (a numbered one where that is taken), and for the desk
// on screen its place on the Desktop.
void commitStaged(Platform& platform, SharedState& state, int desk, bool onScreen, const Staged& copy,
                  StoreReport& report) {
    const std::string folder = deskFolder(state, desk);
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string name = number == 1 ? copy.name : numberedName(copy.name, number);
        const FileResult moved = platform.files.moveFileNoReplace(copy.temporary, folder + name);
        if (moved.error == FileError::Exists) continue;
        if (!moved) break;
        if (!onScreen) return;
        if (const FileError why = placeOnDesktop(platform, state, desk, name); why != FileError::None)
            report.notPlaced.push_back({name, desk, why});
        return;
    }
    discardFile(platform.files, copy.temporary);  // the pool keeps the item
}

// The shortcut written aside replaces the desk's shortcut of its name, on the Desktop too for the desk on
// screen.
std::optional<FileError> placeShortcut(Platform& platform, SharedState& state, int desk, bool onScreen,
                                       const AsideShortcut& shortcut, StoreReport& report) {
    const std::string stored = shortcut.name + ".lnk";
    const FileResult moved = platform.files.moveFile(shortcut.path, deskFolder(state, desk) + stored);
    if (!moved) {
        discardFile(platform.files, shortcut.path);
        return moved.error;
    }
    if (!onScreen) return std::nullopt;
    for (auto it = state.items.desktop.begin(); it != state.items.desktop.end(); ++it) {
        if (it->second.desk != deskIdAt(state, desk) ||
            fileNameKey(it->second.storedName) != fileNameKey(stored))
            continue;
        // The older shortcut on the Desktop is replaced by the new one, not stored over it later.
        discardFile(platform.files, withTrailingBackslash(state.desktopFolder) + it->second.name);
        state.items.desktop.erase(it);
        break;
    }
    if (const FileError why = placeOnDesktop(platform, state, desk, stored); why != FileError::None)
        report.notPlaced.push_back({stored, desk, why});
    return std::nullopt;
}

// The record follows the renames. Files made since stay unrecorded, and removed ones stay recorded, for the
// next switch to settle.
void noteRenames(SharedState& state, const DesktopMatch& match) {
    ItemRecord::DesktopEntries entries;
    for (const DesktopItem& item : match.items) {
        if (!item.isNew && !item.storedName.empty())
            entries.emplace(fileNameKey(item.file.name), entryFor(item));
    }
    for (const DesktopEntry& entry : match.gone)
        entries.emplace(fileNameKey(entry.name), entry);
    state.items.desktop = std::move(entries);
}

// Items no longer wanted go to the pool, with their stored copies, and are the pool's own from then on; items
// kept refresh the pool's copies.
void settleCarriedItems(Platform& platform, SharedState& state, int desk, bool onScreen,
                        const std::vector<DeskItem>& items, const std::vector<std::string>& wanted) {
    const DeskId id = deskIdAt(state, desk);
    for (const DeskItem& item : items) {
        if (wants(wanted, item.name)) {
            // The pool's copy is only an offer to other desks: the desk keeps the item either way.
            (void)addToPool(platform, state, item.path, id, item.storedName, false);
            continue;
        }
        if (!addToPool(platform, state, item.path, id, item.storedName, true, PoolCopy::Released) ||
            !onScreen)
            continue;
        discardFile(platform.files, deskFolder(state, desk) + item.storedName);
        state.items.desktop.erase(fileNameKey(item.name));
    }
}

}  // namespace

std::vector<std::string> deskItemNames(Platform& platform, const SharedState& state, int desk) {
    std::vector<std::string> names;
    for (DeskItem& item :
         isOnScreen(platform, state, desk)
             ? itemsOnScreen(state, desk, matchDesktop(platform, state, deskIdAt(state, desk)))
             : itemsInFolder(platform, state, desk))
        names.push_back(std::move(item.name));
    return names;
}

ArrangeResult arrangeDesk(Platform& platform, SharedState& state, int desk,
                          const std::vector<std::string>& wanted,
                          const std::optional<AsideShortcut>& shortcut, StoreReport& report) {
    ArrangeResult result;
    if (!isDeskIndex(desk)) return result;
    ensureRecord(platform, state, state.currentDesk);
    const bool onScreen = isOnScreen(platform, state, desk);
    std::vector<DeskItem> items;
    if (onScreen) {
        // Items renamed on the Desktop are arranged under their new names, in the folder too.
        DesktopMatch match = matchDesktop(platform, state, deskIdAt(state, desk));
        followRenames(platform, state, match);
        noteRenames(state, match);
        items = itemsOnScreen(state, desk, match);
    } else {
        items = itemsInFolder(platform, state, desk);
    }
    std::vector<Staged> staged;
    result.refusal = stagePoolCopies(platform, state, desk, items, wanted, staged);
    if (result.refusal) {
        if (shortcut) discardFile(platform.files, shortcut->path);
        return result;
    }
    result.changed = true;
    settleCarriedItems(platform, state, desk, onScreen, items, wanted);
    for (const Staged& copy : staged)
        commitStaged(platform, state, desk, onScreen, copy, report);
    if (shortcut) result.shortcutLost = placeShortcut(platform, state, desk, onScreen, *shortcut, report);
    report.noteSettingsWrite(writeRecord(platform, state));
    return result;
}

}  // namespace koruvan
