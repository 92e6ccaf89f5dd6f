#include "store/desktop_match.h"

#include <map>
#include <set>
#include <utility>

#include "core/paths.h"
#include "store/desk_identity.h"
#include "store/desk_items.h"

namespace koruvan {
namespace {

using Identity = std::pair<std::uint64_t, std::uint64_t>;  // volume, file ID

// The recorded entry each listed file is: by identity first, then by name among the entries left; nullptr for
// a new file.
std::vector<const DesktopEntry*> entriesOf(const ItemRecord& record, const std::vector<PlainFile>& files) {
    std::vector<const DesktopEntry*> found(files.size(), nullptr);
    std::set<const DesktopEntry*> taken;
    std::map<Identity, const DesktopEntry*> byIdentity;
    for (const auto& [key, entry] : record.desktop) {
        if (entry.fileId != 0) byIdentity.emplace(Identity{entry.volume, entry.fileId}, &entry);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].fileId == 0) continue;
        const auto it = byIdentity.find({files[i].volume, files[i].fileId});
        if (it != byIdentity.end() && taken.insert(it->second).second) found[i] = it->second;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const DesktopEntry* entry = found[i] ? nullptr : findDesktopEntry(record, files[i].name);
        if (entry && taken.insert(entry).second) found[i] = entry;
    }
    return found;
}

// Chooses the stored names of new and renamed files, clear of those the Desktop's other items stand for and
// of the other items in their desks' folders.
class StoredNames {
  public:
    StoredNames(Platform& platform, const SharedState& state) : platform_(platform), state_(state) {}

    void claim(DeskId desk, const std::string& storedName) { claimed_[desk].insert(fileNameKey(storedName)); }

    // The name for `file` in its desk's folder; `own` is the name it is stored under now (a renamed item's),
    // which is free for it.
    std::optional<std::string> choose(DeskId desk, const PlainFile& file, const std::string& own) {
        const int slot = slotOfDesk(state_, desk);
        if (slot < 0) return file.name;  // the pool's: it takes its name there
        const std::string folder = deskFolder(state_, slot);
        const std::set<std::string>& claimed = claimed_[desk];
        std::optional<std::string> name = firstFreeName(file.name, [&](const std::string& candidate) {
            const std::string key = fileNameKey(candidate);
            if (claimed.count(key) != 0) return false;
            if (!own.empty() && key == fileNameKey(own)) return true;
            if (!platform_.files.plainFileExists(folder + candidate)) return true;
            // The stored copy of this very file, already under the new name (a rename a crash cut off).
            const std::optional<PlainFile> there = platform_.files.fileInfo(folder + candidate);
            return there && file.fileId != 0 && there->fileId == file.fileId && there->volume == file.volume;
        });
        if (name) claim(desk, *name);
        return name;
    }

  private:
    Platform& platform_;
    const SharedState& state_;
    std::map<DeskId, std::set<std::string>> claimed_;
};

}  // namespace

DesktopMatch matchDesktop(Platform& platform, const SharedState& state, DeskId current,
                          const std::vector<PlainFile>& files) {
    DesktopMatch match;
    const bool legacy = state.items.token.empty();
    const std::vector<const DesktopEntry*> entries = entriesOf(state.items, files);
    StoredNames names(platform, state);
    std::set<const DesktopEntry*> matched;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (entries[i] && entries[i]->name == files[i].name)
            names.claim(entries[i]->desk, entries[i]->storedName);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const PlainFile& file = files[i];
        if (isTemporaryName(state.items, file.name)) continue;
        const DesktopEntry* entry = entries[i];
        DesktopItem item{file, entry ? entry->desk : current, file.name, {}, entry == nullptr};
        if (entry) {
            matched.insert(entry);
            item.storedName = entry->storedName;
            if (entry->name != file.name) {
                // Renamed on the Desktop: stored under its new name from now on.
                item.storedName =
                    names.choose(entry->desk, file, entry->storedName).value_or(entry->storedName);
                if (item.storedName != entry->storedName) item.renamedFrom = entry->storedName;
            }
        } else if (!legacy) {
            item.storedName = names.choose(current, file, {}).value_or(std::string());
        }
        match.items.push_back(std::move(item));
    }
    for (const auto& [key, entry] : state.items.desktop) {
        if (matched.count(&entry) == 0) match.gone.push_back(entry);
    }
    return match;
}

DesktopMatch matchDesktop(Platform& platform, const SharedState& state, DeskId current) {
    return matchDesktop(platform, state, current,
                        platform.files.listPlainFileIdentities(withTrailingBackslash(state.desktopFolder)));
}

void followRenames(Platform& platform, const SharedState& state, DesktopMatch& match) {
    for (DesktopItem& item : match.items) {
        if (item.renamedFrom.empty()) continue;
        const int slot = slotOfDesk(state, item.desk);
        const std::string folder = slot >= 0 ? deskFolder(state, slot) : std::string();
        // Nothing stored under the old name (a file left behind before it was ever stored): nothing to
        // rename.
        if (slot >= 0 && platform.files.plainFileExists(folder + item.renamedFrom) &&
            !platform.files.moveFileNoReplace(folder + item.renamedFrom, folder + item.storedName)) {
            item.storedName = item.renamedFrom;
        }
        item.renamedFrom.clear();
    }
}

DesktopEntry entryFor(const DesktopItem& item) {
    return {item.file.name, item.desk, item.storedName, item.file.volume, item.file.fileId};
}

void recordItems(SharedState& state, const std::vector<DesktopItem>& items) {
    state.items.desktop.clear();
    for (const DesktopItem& item : items) {
        // One without a stored name is recorded once it has one: a new file of the desk on screen until then.
        if (!item.storedName.empty()) setDesktopEntry(state.items, entryFor(item));
    }
}

}  // namespace koruvan
