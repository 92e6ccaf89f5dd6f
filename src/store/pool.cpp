#include "store/pool.h"

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
        return moveSource ? storeReplacing(platform, from, pool, name, temporary, false)
                          : copyReplacing(platform, from, pool, name, temporary);
    }
    return moveSource ? moveNoReplace(platform, from, pool, name, temporary)
                      : putCopy(platform, from, pool, name, Placement::Copy, temporary);
}

}  // namespace

FileResult addToPool(Platform& platform, SharedState& state, const std::string& from, int desk,
                     const std::string& itemName, bool moveSource) {
    ensureToken(state.items, platform.session);
    const std::string pool = poolFolder(state);
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string name = number == 1 ? itemName : numberedName(itemName, number);
        const std::optional<PlainFile> there = platform.files.fileInfo(pool + name);
        const PoolEntry* entry = there ? validEntry(state.items, name, *there) : nullptr;
        const bool olderCopy = entry && entry->desk == desk && entry->itemName == itemName;
        if (there && !olderCopy) {
            if (compareContents(platform, pool + name, from) != Comparison::Same) continue;
            if (moveSource) discardFile(platform.files, from);
            return {};
        }
        const FileResult result = putIntoPool(platform, state, from, name, olderCopy, moveSource);
        if (result.error == FileError::Exists) continue;  // taken meanwhile, or by a hidden file
        if (!result) return result;
        if (const std::optional<PlainFile> copy = platform.files.fileInfo(pool + name))
            setPoolEntry(state.items, {name, desk, itemName, copy->size, copy->writeTime});
        return {};
    }
    return FileError::Exists;
}

int giveDeskToPool(Platform& platform, SharedState& state, int desk) {
    const std::string folder = deskFolder(state, desk);
    int stayed = 0;
    for (const std::string& name : platform.files.listPlainFiles(folder)) {
        if (!addToPool(platform, state, folder + name, desk, name, true)) ++stayed;
    }
    return stayed;
}

}  // namespace koruvan
