#include "dialogs/folder_browser.h"

#include <algorithm>
#include <array>

#include "core/paths.h"
#include "core/text.h"

namespace koruvan {
namespace {

// Each format under every name it goes by: ".dib" is a bitmap, ".jpe" and ".jfif" are JPEGs.
constexpr std::array<std::string_view, 10> kPictureExtensions{".BMP",  ".DIB", ".JPG", ".JPEG", ".JPE",
                                                              ".JFIF", ".PNG", ".GIF", ".TIF",  ".TIFF"};

std::vector<std::string> sortedByName(std::vector<std::string> names) {
    std::sort(names.begin(), names.end(), nameOrderLess);
    return names;
}

}  // namespace

bool nameOrderLess(const std::string& a, const std::string& b) {
    const std::string upperA = toUpperAscii(a);
    const std::string upperB = toUpperAscii(b);
    return upperA != upperB ? upperA < upperB : a < b;
}

bool hasPictureExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string extension = toUpperAscii(name.substr(dot));
    return std::find(kPictureExtensions.begin(), kPictureExtensions.end(), extension) !=
           kPictureExtensions.end();
}

FolderBrowser::FolderBrowser(Platform& platform)
    : platform_(platform), drives_(platform.files.listDrives()) {}

bool FolderBrowser::moveTo(std::string folder) {
    if (!folder.empty()) folder = withTrailingBackslash(std::move(folder));
    const std::string root = rootOfPath(folder);
    if (root.empty()) return false;
    folder = root + folder.substr(root.size());
    if (!platform_.files.folderExists(folder)) return false;
    folder_ = folder;
    lastFolderOnDrive_[root] = folder_;
    const bool known = std::any_of(drives_.begin(), drives_.end(), [&](const std::string& drive) {
        return toUpperAscii(drive) == toUpperAscii(root);
    });
    if (!known) drives_.push_back(root);
    return true;
}

void FolderBrowser::list() {
    entries_.clear();
    pictures_.clear();
    currentEntry_ = -1;
    if (folder_.empty()) return;
    const std::string root = rootOfPath(folder_);
    entries_.push_back({root, 0, true});
    std::size_t start = root.size();
    for (std::size_t end; (end = folder_.find('\\', start)) != std::string::npos; start = end + 1) {
        if (end > start) {
            entries_.push_back({folder_.substr(start, end - start), static_cast<int>(entries_.size()), true});
        }
    }
    currentEntry_ = static_cast<int>(entries_.size()) - 1;
    const int childLevel = static_cast<int>(entries_.size());
    for (std::string& name : sortedByName(platform_.files.listFolders(folder_)))
        entries_.push_back({std::move(name), childLevel, false});

    std::vector<std::string> files = platform_.files.listPlainFiles(folder_);
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const std::string& name) { return !hasPictureExtension(name); }),
                files.end());
    pictures_ = sortedByName(std::move(files));
}

std::string FolderBrowser::entryFolder(int index) const {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return {};
    if (index > currentEntry_) return folder_ + entries_[static_cast<std::size_t>(index)].name + "\\";
    std::string folder;
    for (int k = 0; k <= index; ++k) {
        folder = withTrailingBackslash(folder + entries_[static_cast<std::size_t>(k)].name);
    }
    return folder;
}

int FolderBrowser::currentDrive() const {
    const std::string root = toUpperAscii(rootOfPath(folder_));
    for (std::size_t k = 0; k < drives_.size(); ++k) {
        if (toUpperAscii(drives_[k]) == root) return static_cast<int>(k);
    }
    return -1;
}

std::string FolderBrowser::folderOnDrive(const std::string& root) const {
    const auto found = lastFolderOnDrive_.find(rootOfPath(root));
    return found == lastFolderOnDrive_.end() ? root : found->second;
}

}  // namespace koruvan
