#include "store/pool.h"

#include "core/paths.h"
#include "store/desk_folders.h"
#include "store/desk_identity.h"
#include "store/desk_items.h"
#include "store/file_compare.h"

namespace koruvan {
namespace {

// The pool entry of a pool file, while the file is the one the record saw.
const PoolEntry* validEntry(const ItemRecord& record, const std::string& name, const PlainFile& file) {
    const PoolEntry* entry = findPoolEntry(record, name);
    return entry && entry->size == file.size && entry->writeTime == file.writeTime ? entry : nullptr;
}

FileResult putIntoPool(Platform& platform, SharedState& state, const std::string& from,
                       const std::string& name, bool replace, bool moveSource) {
    const std::string pool = poolFolder(state);
    const std::string temporary = pool + temporaryName(state.items, 1);
    if (replace) {
        return moveSource ? storeReplacing(platform, from, pool, name, temporary, std::nullopt)
                          : copyReplacing(platform, from, pool, name, temporary);
    }
    return moveSource ? moveNoReplace(platform, from, pool, name, temporary)
                      : putCopy(platform, from, pool, name, Placement::Copy, temporary);
}

// Where the item's copy now lies in the pool: the entry follows it, or ends when the desk gave it up.
void notePoolCopy(Platform& platform, SharedState& state, const std::string& name, DeskId owner,
                  const std::string& itemName, PoolCopy copy) {
    if (copy == PoolCopy::Released || owner == 0) {
        state.items.pool.erase(fileNameKey(name));
        return;
    }
    if (const std::optional<PlainFile> there = platform.files.fileInfo(poolFolder(state) + name))
        setPoolEntry(state.items, {name, owner, itemName, there->size, there->writeTime});
}

}  // namespace

FileResult addToPool(Platform& platform, SharedState& state, const std::string& from, DeskId owner,
                     const std::string& itemName, bool moveSource, PoolCopy copy) {
    ensureToken(state.items, platform.session);
    const std::string pool = poolFolder(state);
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string name = number == 1 ? itemName : numberedName(itemName, number);
        const std::optional<PlainFile> there = platform.files.fileInfo(pool + name);
        const PoolEntry* entry = there ? validEntry(state.items, name, *there) : nullptr;
        const bool olderCopy = entry && owner != 0 && entry->desk == owner &&
                               fileNameKey(entry->itemName) == fileNameKey(itemName);
        if (there && !olderCopy) {
            if (compareContents(platform, pool + name, from) != Comparison::Same) continue;
            if (moveSource) discardFile(platform.files, from);
            if (copy == PoolCopy::Released) endPoolEntries(state.items, owner, itemName);
            return {};
        }
        const FileResult result = putIntoPool(platform, state, from, name, olderCopy, moveSource);
        if (result.error == FileError::Exists) continue;  // taken meanwhile, or by a hidden file
        if (!result) return result;
        notePoolCopy(platform, state, name, owner, itemName, copy);
        if (copy == PoolCopy::Released) endPoolEntries(state.items, owner, itemName);
        return {};
    }
    return FileError::Exists;
}

int giveDeskToPool(Platform& platform, SharedState& state, int desk) {
    giveDeskIdentities(state);
    const DeskId owner = deskIdAt(state, desk);
    const std::string folder = deskFolder(state, desk);
    int stayed = 0;
    for (const std::string& name : platform.files.listPlainFiles(folder)) {
        if (isTemporaryName(state.items, name)) continue;
        if (!addToPool(platform, state, folder + name, owner, name, true, PoolCopy::Released)) ++stayed;
    }
    const std::string desktop = withTrailingBackslash(state.desktopFolder);
    const bool desktopUsable = isUsableDesktop(platform, state);
    for (auto it = state.items.desktop.begin(); it != state.items.desktop.end();) {
        const DesktopEntry& entry = it->second;
        // One that cannot go now keeps its entry, which no desk answers to any more: it goes to the pool at
        // the next switch or start.
        const bool gone =
            desktopUsable && owner != 0 && entry.desk == owner &&
            addToPool(platform, state, desktop + entry.name, 0, entry.storedName, true, PoolCopy::Released);
        it = gone ? state.items.desktop.erase(it) : std::next(it);
    }
    if (owner != 0) endPoolEntries(state.items, owner);
    return stayed;
}

}  // namespace koruvan
