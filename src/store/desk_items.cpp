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
        result = replace ? renameReplacing(platform.files, temporary, to)
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

std::optional<std::string> firstFreeName(const std::string& name,
                                         const std::function<bool(const std::string&)>& isFree) {
    for (int number = 1; number <= kLastNumberedName; ++number) {
        std::string candidate = number == 1 ? name : numberedName(name, number);
        if (isFree(candidate)) return candidate;
    }
    return std::nullopt;
}

bool sameFile(const PlainFile& a, const PlainFile& b) {
    return a.fileId != 0 && a.fileId == b.fileId && a.volume == b.volume && a.size == b.size &&
           a.writeTime == b.writeTime;
}

FileResult putCopy(Platform& platform, const std::string& from, const std::string& folder,
                   const std::string& name, Placement placement, const std::string& temporary, bool* linked) {
    if (linked) *linked = false;
    if (placement == Placement::LinkOrCopy) {
        const FileResult link = platform.files.linkFile(from, folder + name);
        if (linked) *linked = static_cast<bool>(link);
        // A link refuses a taken name by itself: the usual case costs one operation.
        if (link || link.error == FileError::Exists || link.error == FileError::Gone) return link;
    }
    return copyThenRename(platform, from, temporary, folder + name, false);
}

FileResult renameReplacing(FileSystem& files, const std::string& from, const std::string& to) {
    const FileResult moved = files.moveFile(from, to);
    if (moved.error != FileError::Denied || !files.isReadOnly(to)) return moved;
    if (const FileResult cleared = files.setReadOnly(to, false); !cleared) return moved;
    const FileResult again = files.moveFile(from, to);
    // The older copy stays as it was; a newer one brings its own attribute.
    if (!again) (void)files.setReadOnly(to, true);
    return again;
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
    return copyThenRename(platform, from, temporary, folder + name, true);
}

FileResult storeReplacing(Platform& platform, const std::string& from, const std::string& folder,
                          const std::string& name, const std::string& temporary,
                          const std::optional<PlainFile>& oneFile) {
    const std::string to = folder + name;
    if (oneFile) {
        const FileResult deleted = platform.files.deleteFileIfUnchanged(from, *oneFile);
        if (deleted.error != FileError::Changed) return deleted;
    }
    FileResult result = renameReplacing(platform.files, from, to);
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
