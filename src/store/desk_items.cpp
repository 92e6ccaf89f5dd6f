#include "store/desk_items.h"

#include <map>
#include <optional>

#include "core/paths.h"
#include "core/text.h"

namespace koruvan {

namespace {

// Far more numbered names than a folder ever holds of one item, yet a bound on the search.
constexpr int kLastNumberedName = 999;

bool nameTaken(Platform& platform, const std::string& path) {
    return platform.plainFileExists(path) || platform.folderExists(path);
}

bool sameContent(Platform& platform, const std::string& a, const std::string& b) {
    const std::optional<std::string> first = platform.readFileBytes(a);
    if (!first) return false;
    const std::optional<std::string> second = platform.readFileBytes(b);
    return second && *first == *second;
}

// The copy lands under its own name only once it is whole, and never on a name that was taken meanwhile. A
// link is made whole or not at all, and only on a free name.
bool copyWhole(Platform& platform, const std::string& from, const std::string& targetFolder,
               const std::string& name, Placement placement) {
    if (placement == Placement::LinkOrCopy && platform.linkFile(from, targetFolder + name)) return true;
    const std::string partial = targetFolder + kCopyInProgressName;
    if (platform.copyFile(from, partial) && platform.moveFileNoReplace(partial, targetFolder + name))
        return true;
    platform.deleteFile(partial);
    return false;
}

bool copyOrMove(Platform& platform, const std::string& from, const std::string& targetFolder,
                const std::string& name, bool keepSource, Placement placement) {
    if (keepSource && copyWhole(platform, from, targetFolder, name, placement)) return true;
    // Without room for a copy the item itself goes: a rename needs none.
    return static_cast<bool>(platform.moveFileNoReplace(from, targetFolder + name));
}

}  // namespace

std::string numberedName(const std::string& name, int number) {
    const std::string suffix = " (" + std::to_string(number) + ")";
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

bool placeItem(Platform& platform, const std::string& folder, const std::string& name,
               const std::string& targetFolder, Placement placement) {
    // A link refuses a taken name by itself: the usual case costs one operation.
    if (placement == Placement::LinkOrCopy && platform.linkFile(folder + name, targetFolder + name))
        return true;
    if (nameTaken(platform, targetFolder + name)) return true;
    return copyOrMove(platform, folder + name, targetFolder, name, true, Placement::Copy);
}

bool giveItem(Platform& platform, const std::string& folder, const std::string& name,
              const std::string& targetFolder, bool keepSource, Placement placement) {
    const std::string from = folder + name;
    if (keepSource && placement == Placement::LinkOrCopy && platform.linkFile(from, targetFolder + name))
        return true;
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string candidate = number == 1 ? name : numberedName(name, number);
        const std::string target = targetFolder + candidate;
        if (nameTaken(platform, target)) {
            if (!sameContent(platform, from, target)) continue;
            return keepSource || platform.deleteFile(from);
        }
        if (copyOrMove(platform, from, targetFolder, candidate, keepSource, placement)) return true;
        // A failure other than a name taken meanwhile leaves the item where it is.
        if (!nameTaken(platform, target)) return false;
    }
    return false;
}

bool storeItem(Platform& platform, const std::string& folder, const std::string& name,
               const std::string& targetFolder) {
    const std::string from = folder + name;
    const std::string target = targetFolder + name;
    if (platform.plainFileExists(target) && !sameContent(platform, from, target)) {
        bool aside = false;
        for (int number = 2; number <= kLastNumberedName && !aside; ++number)
            aside = static_cast<bool>(
                platform.moveFileNoReplace(target, targetFolder + numberedName(name, number)));
        if (!aside) return false;
    }
    return static_cast<bool>(platform.moveFile(from, target));
}

bool sameFile(const PlainFile& a, const PlainFile& b) {
    return a.fileId != 0 && a.fileId == b.fileId && a.volume == b.volume && a.size == b.size &&
           a.writeTime == b.writeTime;
}

void replaceItems(Platform& platform, const std::string& folder, const std::string& targetFolder) {
    std::map<std::string, PlainFile> older;
    for (PlainFile& file : platform.listPlainFileIdentities(targetFolder))
        older.emplace(fileNameKey(file.name), std::move(file));
    for (const PlainFile& item : platform.listPlainFileIdentities(folder)) {
        const std::string from = folder + item.name;
        const auto found = older.find(fileNameKey(item.name));
        const PlainFile* copy = found == older.end() ? nullptr : &found->second;
        if (copy && sameFile(item, *copy)) {
            platform.deleteFile(from);
            continue;
        }
        const std::string to = targetFolder + item.name;
        bool moved = static_cast<bool>(platform.moveFile(from, to));
        if (!moved && copy)
            moved = platform.deleteFile(targetFolder + copy->name) && platform.moveFile(from, to);
        if (moved) {
            // A rename onto another name of the same file may do nothing: the name here is then the one to
            // go.
            if (platform.plainFileExists(from)) platform.deleteFile(from);
        } else if (platform.plainFileExists(from) && platform.plainFileExists(to)) {
            // What a move across drives left of the item.
            platform.deleteFile(to);
        }
    }
}

int giveFolderItems(Platform& platform, const std::string& folder, const std::string& targetFolder) {
    int stayed = 0;
    for (const std::string& name : platform.listPlainFiles(folder)) {
        if (!giveItem(platform, folder, name, targetFolder, false)) ++stayed;
    }
    return stayed;
}

}  // namespace koruvan
