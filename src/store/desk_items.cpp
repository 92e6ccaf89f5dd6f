#include "store/desk_items.h"

#include <optional>

namespace koruvan {

namespace {

// Far more numbered names than a folder ever holds of one item, yet a bound on the search.
constexpr int kLastNumberedName = 999;

bool NameTaken(Platform& platform, const std::string& path) {
    return platform.plainFileExists(path) || platform.folderExists(path);
}

bool SameContent(Platform& platform, const std::string& a, const std::string& b) {
    const std::optional<std::string> first = platform.readFileBytes(a);
    if (!first) return false;
    const std::optional<std::string> second = platform.readFileBytes(b);
    return second && *first == *second;
}

// The copy lands under its own name only once it is whole, and never on a name that was taken meanwhile.
bool CopyWhole(Platform& platform, const std::string& from, const std::string& targetFolder,
               const std::string& name) {
    const std::string partial = targetFolder + kCopyInProgressName;
    if (platform.copyFile(from, partial) && platform.moveFileNoReplace(partial, targetFolder + name))
        return true;
    platform.deleteFile(partial);
    return false;
}

bool CopyOrMove(Platform& platform, const std::string& from, const std::string& targetFolder,
                const std::string& name, bool keepSource) {
    if (keepSource && CopyWhole(platform, from, targetFolder, name)) return true;
    // Without room for a copy the item itself goes: a rename needs none.
    return platform.moveFileNoReplace(from, targetFolder + name);
}

}  // namespace

std::string NumberedName(const std::string& name, int number) {
    const std::string suffix = " (" + std::to_string(number) + ")";
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

bool PlaceItem(Platform& platform, const std::string& folder, const std::string& name,
               const std::string& targetFolder) {
    if (NameTaken(platform, targetFolder + name)) return true;
    return CopyOrMove(platform, folder + name, targetFolder, name, true);
}

bool GiveItem(Platform& platform, const std::string& folder, const std::string& name,
              const std::string& targetFolder, bool keepSource) {
    const std::string from = folder + name;
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string candidate = number == 1 ? name : NumberedName(name, number);
        const std::string target = targetFolder + candidate;
        if (NameTaken(platform, target)) {
            if (!SameContent(platform, from, target)) continue;
            return keepSource || platform.deleteFile(from);
        }
        if (CopyOrMove(platform, from, targetFolder, candidate, keepSource)) return true;
        // A failure other than a name taken meanwhile leaves the item where it is.
        if (!NameTaken(platform, target)) return false;
    }
    return false;
}

bool StoreItem(Platform& platform, const std::string& folder, const std::string& name,
               const std::string& targetFolder) {
    const std::string from = folder + name;
    const std::string target = targetFolder + name;
    if (platform.plainFileExists(target) && !SameContent(platform, from, target)) {
        bool aside = false;
        for (int number = 2; number <= kLastNumberedName && !aside; ++number)
            aside = platform.moveFileNoReplace(target, targetFolder + NumberedName(name, number));
        if (!aside) return false;
    }
    return platform.moveFile(from, target);
}

int GiveFolderItems(Platform& platform, const std::string& folder, const std::string& targetFolder) {
    int stayed = 0;
    for (const std::string& name : platform.listPlainFiles(folder)) {
        if (!GiveItem(platform, folder, name, targetFolder, false)) ++stayed;
    }
    return stayed;
}

}  // namespace koruvan
