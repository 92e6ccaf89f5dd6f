#include "store/desk_items.h"

namespace koruvan {

void discardFile(FileSystem& files, const std::string& path) {
    (void)files.deleteFile(path);
}
namespace {

// Copies `from` whole under `temporary`, then gives it the name `to`, replacing (`replace`) or not. The
// temporary file goes on any failure.
FileResult copyThenRename(Platform& platform, const std::string& from, const std::string& temporary,
                          const std::string& to, bool replace) {
    FileResult result = platform.files.copyFile(from, temporary);
    if (result)
        result = replace ? platform.files.moveFile(temporary, to)
                         : platform.files.moveFileNoReplace(temporary, to);
    if (!result) discardFile(platform.files, temporary);
    return result;
}

}  // namespace

std::string numberedName(const std::string& name, int number) {
    const std::string suffix = " (" + std::to_string(number) + ")";
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

bool sameFile(const PlainFile& a, const PlainFile& b) {
    return a.fileId != 0 && a.fileId == b.fileId && a.volume == b.volume && a.size == b.size &&
           a.writeTime == b.writeTime;
}

FileResult putCopy(Platform& platform, const std::string& from, const std::string& folder,
                   const std::string& name, Placement placement, const std::string& temporary) {
    if (placement == Placement::LinkOrCopy) {
        const FileResult linked = platform.files.linkFile(from, folder + name);
        // A link refuses a taken name by itself: the usual case costs one operation.
        if (linked || linked.error == FileError::Exists || linked.error == FileError::Gone) return linked;
    }
    return copyThenRename(platform, from, temporary, folder + name, false);
}

FileResult moveNoReplace(Platform& platform, const std::string& from, const std::string& folder,
                         const std::string& name, const std::string& temporary) {
    const FileResult moved = platform.files.moveFileNoReplace(from, folder + name);
    if (moved.error != FileError::OtherDrive) return moved;
    const FileResult copied = copyThenRename(platform, from, temporary, folder + name, false);
    if (!copied) return copied;
    // The whole copy has its name: the source may go. A source that cannot be deleted leaves two copies.
    discardFile(platform.files, from);
    return {};
}

FileResult copyReplacing(Platform& platform, const std::string& from, const std::string& folder,
                         const std::string& name, const std::string& temporary) {
    const std::string to = folder + name;
    FileResult result = platform.files.copyFile(from, temporary);
    if (result) result = platform.files.moveFile(temporary, to);
    // A read-only older copy refuses to be replaced: it goes only once its whole successor is there.
    if (result.error == FileError::Denied && platform.files.plainFileExists(to) &&
        platform.files.deleteFile(to))
        result = platform.files.moveFile(temporary, to);
    if (!result) discardFile(platform.files, temporary);
    return result;
}

FileResult storeReplacing(Platform& platform, const std::string& from, const std::string& folder,
                          const std::string& name, const std::string& temporary, bool oneFile) {
    const std::string to = folder + name;
    if (oneFile) return platform.files.deleteFile(from);
    FileResult result = platform.files.moveFile(from, to);
    if (result.error == FileError::Denied && platform.files.plainFileExists(to) &&
        platform.files.plainFileExists(from)) {
        // A read-only older copy refuses to be replaced: it goes first, the newer version is still at `from`.
        if (platform.files.deleteFile(to)) result = platform.files.moveFile(from, to);
    }
    if (result.error == FileError::OtherDrive) {
        result = copyThenRename(platform, from, temporary, to, true);
        if (result) result = platform.files.deleteFile(from);
    }
    // A rename onto another name of the same file may do nothing (as on POSIX file systems): the source's
    // name is then the one to go.
    if (result && platform.files.plainFileExists(from)) result = platform.files.deleteFile(from);
    return result;
}

}  // namespace koruvan
