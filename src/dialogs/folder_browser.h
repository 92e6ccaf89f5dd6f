#pragma once
// The file-system side of the wallpaper chooser: the drives, the folder being browsed with its ancestors and
// subfolders, and the picture files in it. Folders end in "\".

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/paths.h"
#include "platform/platform.h"

namespace koruvan {

// One line of the folder list: the browsed folder's ancestors from the root down, the folder itself, then
// its subfolders one level deeper.
struct FolderEntry {
    std::string name;  // the root ("C:\") on level 0, otherwise the folder's own name
    int level = 0;
    bool open = false;  // the browsed folder or one of its ancestors
    friend bool operator==(const FolderEntry&, const FolderEntry&) = default;
};

// Names in the order a folder listing shows them: ASCII letters compare without case.
bool nameOrderLess(const std::string& a, const std::string& b);

// Whether a file's name ends in the extension of a format the system takes as a wallpaper (BMP, JPEG, PNG,
// GIF, TIFF), in any case. The list goes by name; the picture itself is known by its content when loaded.
bool hasPictureExtension(std::string_view name);

class FolderBrowser {
  public:
    explicit FolderBrowser(Platform& platform);

    // Makes the folder the browsed one when it can be read; false leaves the browser where it was. The
    // listing is read by list(), so several moves in a row cost one listing.
    bool moveTo(std::string folder);
    // Reads the browsed folder's subfolders and picture files.
    void list();

    const std::string& folder() const { return folder_; }
    const std::vector<FolderEntry>& entries() const { return entries_; }
    int currentEntry() const { return currentEntry_; }
    // The folder that an entry of entries() stands for; empty for an index out of range.
    std::string entryFolder(int index) const;
    // Names of the folder's picture files (hasPictureExtension) in name order.
    const std::vector<std::string>& pictures() const { return pictures_; }

    // Drive roots the system offers; the root of a browsed network folder is added.
    const std::vector<std::string>& drives() const { return drives_; }
    int currentDrive() const;
    // The folder a drive opens at: the one last browsed on it, else its root.
    std::string folderOnDrive(const std::string& root) const;

  private:
    Platform& platform_;
    std::string folder_;
    std::vector<FolderEntry> entries_;
    int currentEntry_ = -1;
    std::vector<std::string> pictures_;
    std::vector<std::string> drives_;
    std::map<std::string, std::string> lastFolderOnDrive_;
};

}  // namespace koruvan
