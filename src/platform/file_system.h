#pragma once
// Files and folders, as the core sees them through the platform. Paths are Windows paths ("C:\dir\file"),
// folders end in "\"; text crosses as UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koruvan {

// A plain file as a listing sees it, with what tells whether two names are one file (hard links).
struct PlainFile {
    std::string name;
    std::uint64_t volume = 0;
    std::uint64_t fileId = 0;  // 0 when the file system gives none
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
};

// Why a file operation failed.
enum class FileError {
    None,
    Gone,        // the file, or a folder of its path, is not there
    Exists,      // the target's name is taken
    Denied,      // no right to it: a read-only or protected file or folder
    Full,        // no room left on the drive
    InUse,       // another program holds the file open
    OtherDrive,  // a rename cannot take a file to another drive: it must be copied there
    Changed,     // the file is no longer the one a listing saw (saved anew, replaced)
    Other,
};

// What a file operation did: done, or why not. It tests true when done. A caller that drops it has decided
// that the failure changes nothing, and says so with a cast to void.
struct [[nodiscard]] FileResult {
    FileError error = FileError::None;
    FileResult() = default;
    FileResult(FileError why)
        : error(why) {}  // NOLINT(google-explicit-constructor): `return FileError::Full;`
    explicit operator bool() const { return error == FileError::None; }
    friend bool operator==(const FileResult&, const FileResult&) = default;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Names (not paths) of the plain files of a folder: no folders, no hidden or system files. A folder that
    // does not exist lists nothing.
    virtual std::vector<std::string> listPlainFiles(const std::string& folder) = 0;
    // The same listing with each file's identity. A file system without file identities gives them as 0.
    virtual std::vector<PlainFile> listPlainFileIdentities(const std::string& folder) = 0;
    // As listPlainFileIdentities, but nullopt when the folder cannot be listed (not there, no access, a
    // drive not ready): never an empty listing in its place.
    virtual std::optional<std::vector<PlainFile>> tryListPlainFileIdentities(const std::string& folder) = 0;
    // Each file operation gives FileResult: done, or why not.
    //
    // Gives a file a second name on its volume (a hard link), never replacing a file of that name. Fails when
    // the name is taken or the file system refuses: another volume, no links there, or a read-only file (its
    // other names would lose the attribute whenever one of them is deleted).
    virtual FileResult linkFile(const std::string& existing, const std::string& newName) = 0;
    // Copies, replacing a file of the target's name (Windows refuses to replace a hidden or read-only one).
    // A target that is the source itself under another name (a hard link) is left as it is: opening it to
    // write would empty the source. Fails when the copy is not complete (a part of it may be left at the
    // target).
    virtual FileResult copyFile(const std::string& from, const std::string& to) = 0;
    // Renames a file, replacing a file of the target's name; whole or not at all. OtherDrive when the target
    // lies on another drive: the caller copies it there, so that no half-written file ever has an item's
    // name.
    virtual FileResult moveFile(const std::string& from, const std::string& to) = 0;
    // Renames as moveFile does, but never onto an existing file or folder: names compare as the file system
    // compares them (without case), and hidden and system files count. Exists when the target's name is
    // taken.
    virtual FileResult moveFileNoReplace(const std::string& from, const std::string& to) = 0;
    // Deletes a file, read-only or not. A read-only file's other names (hard links) stay read-only.
    virtual FileResult deleteFile(const std::string& path) = 0;
    // Deletes the name only while it is still the file a listing saw (the same identity, size and time),
    // checked on the open file itself; Changed when a program has saved or replaced it since.
    virtual FileResult deleteFileIfUnchanged(const std::string& path, const PlainFile& listed) = 0;
    // Whether a file is read-only (false when it cannot be read); sets or clears the attribute (of the file:
    // every name of it).
    virtual bool isReadOnly(const std::string& path) = 0;
    virtual FileResult setReadOnly(const std::string& path, bool readOnly) = 0;
    virtual FileResult makeFolder(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // Any file of that name, hidden and system files included (names compare without case).
    virtual bool plainFileExists(const std::string& path) = 0;
    // Names of a folder's subfolders, hidden ones included (a chooser must reach every folder); nothing when
    // the folder cannot be listed.
    virtual std::vector<std::string> listFolders(const std::string& folder) = 0;
    // The roots of the drives the system offers ("C:\"), in letter order.
    virtual std::vector<std::string> listDrives() = 0;
    // The whole content of a file; nullopt when it cannot be read.
    virtual std::optional<std::string> readFileBytes(const std::string& path) = 0;
    // Up to `length` bytes of a file from `offset` (fewer at its end); nullopt when it cannot be read.
    virtual std::optional<std::string> readFileBlock(const std::string& path, std::uint64_t offset,
                                                     std::size_t length) = 0;
    // The identity, size and time of one file, as a listing gives them; nullopt when it cannot be opened.
    virtual std::optional<PlainFile> fileInfo(const std::string& path) = 0;
    // Writes beside the file and renames over it, so a crash never leaves a half-written file.
    virtual FileResult replaceFileBytes(const std::string& path, std::string_view bytes) = 0;
    // As replaceFileBytes, whole or not at all, without waiting for the disk: for a record that matters only
    // while the system runs (a power cut ends what it records too).
    virtual FileResult replaceFileBytesUnflushed(const std::string& path, std::string_view bytes) = 0;
    // Overwrites part of an existing file in place and flushes it; for a few bytes within one disk sector,
    // which the disk writes whole.
    virtual FileResult patchFileBytes(const std::string& path, std::uint64_t offset,
                                      std::string_view bytes) = 0;
    // Adds to the end of a file, making it when missing; not flushed (for logs).
    virtual FileResult appendFileBytes(const std::string& path, std::string_view bytes) = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
    // Decodes text of the Japanese legacy code page (932), as files of earlier versions hold it, to UTF-8;
    // nullopt when it is not valid there.
    virtual std::optional<std::string> decodeLegacyText(std::string_view bytes) = 0;
};

}  // namespace koruvan
