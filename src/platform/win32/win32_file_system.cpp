// Files and folders through the W calls: plain-file listings with identities, renames that never lose the
// source, atomic replacements.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <winternl.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "core/paths.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

// The legacy Japanese code page of settings files written on Japanese systems.
constexpr UINT kJapaneseCodePage = 932;

std::wstring folderPrefix(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return widePath(path);
}

// Plain files are what the desktop swap moves: folders, hidden and system files stay where they are.
bool isPlainFile(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    constexpr std::size_t kChunk = 1u << 30;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Done, or why not, from a Win32 call's result.
FileResult fileResult(BOOL done) {
    return done ? FileResult{} : FileResult{lastFileError()};
}

}  // namespace

std::wstring widePath(const std::string& path) {
    // A folder's limit is 12 less than a file's: one threshold serves both, and the listing's pattern.
    constexpr std::size_t kLongestPlainPath = MAX_PATH - 12;
    std::wstring wide = widen(path);
    if (wide.size() < kLongestPlainPath) return wide;
    std::replace(wide.begin(), wide.end(), L'/', L'\\');  // the extended form takes no other separator
    const bool drive = wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\';
    const bool unc =
        wide.rfind(L"\\\\", 0) == 0 && wide.rfind(L"\\\\?\\", 0) != 0 && wide.rfind(L"\\\\.\\", 0) != 0;
    if (drive) return L"\\\\?\\" + wide;
    if (unc) return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;  // relative, or already extended
}

FileError lastFileError() {
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_NOT_READY:
        case ERROR_INVALID_DRIVE:
            return FileError::Gone;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileError::Exists;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_PRIVILEGE_NOT_HELD:
            return FileError::Denied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileError::Full;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return FileError::InUse;
        case ERROR_NOT_SAME_DEVICE:
            return FileError::OtherDrive;
        default:
            return FileError::Other;
    }
}

namespace {

// The attribute belongs to the file, not to one of its names: it is cleared through a handle, the name is
// marked for deletion, and the attribute is set again before the handle closes, so that the file's other
// names (a desk's stored item linked to its Desktop name) stay read-only.
FileResult deleteReadOnlyName(const std::wstring& path, DWORD attributes) {
    FileHandle file(CreateFileW(path.c_str(), DELETE | FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return lastFileError();
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = (attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof(basic))) return lastFileError();
    FILE_DISPOSITION_INFO disposition{TRUE};
    const bool marked = SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                                   sizeof(disposition)) != FALSE;
    const FileResult result = marked ? FileResult{} : FileResult{lastFileError()};
    basic.FileAttributes = attributes;
    SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof(basic));
    return result;
}

}  // namespace

namespace {

// The plain files' names through the find calls; nullopt when the folder cannot be listed. An empty root
// folder answers "no file" at once: that is an empty listing, not a failure.
std::optional<std::vector<std::string>> tryListNames(const std::string& folder) {
    if (folder.empty()) return std::nullopt;  // an empty text names no folder, not the current one
    const std::wstring pattern = folderPrefix(folder) + L"*";
    WIN32_FIND_DATAW entry{};
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    std::vector<std::string> names;
    if (!find) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;
        return std::nullopt;
    }
    do {
        if (isPlainFile(entry.dwFileAttributes)) names.push_back(narrow(entry.cFileName));
    } while (FindNextFileW(find.get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return names;
}

}  // namespace

std::vector<std::string> Win32FileSystem::listPlainFiles(const std::string& folder) {
    return tryListNames(folder).value_or(std::vector<std::string>{});
}

std::vector<std::string> Win32FileSystem::listFolders(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    const std::wstring pattern = folderPrefix(folder) + L"*";
    WIN32_FIND_DATAW entry{};
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchLimitToDirectories,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return names;
    do {
        const std::wstring_view name = entry.cFileName;
        // The limit to directories is only a hint to the file system: the attribute decides.
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." && name != L"..") {
            names.push_back(narrow(name));
        }
    } while (FindNextFileW(find.get(), &entry));
    return names;
}

std::vector<std::string> Win32FileSystem::listDrives() {
    std::vector<std::string> roots;
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) != 0)
            roots.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
    }
    return roots;
}

std::vector<PlainFile> Win32FileSystem::listPlainFileIdentities(const std::string& folder) {
    return tryListPlainFileIdentities(folder).value_or(std::vector<PlainFile>{});
}

namespace {

// One batch of directory entries: the plain files among them, with their identities.
void addPlainFiles(const std::byte* buffer, DWORD volume, std::vector<PlainFile>& files) {
    for (std::size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer + offset);
        if (isPlainFile(entry->FileAttributes)) {
            files.push_back(
                {narrow(std::wstring_view(entry->FileName, entry->FileNameLength / sizeof(wchar_t))), volume,
                 static_cast<std::uint64_t>(entry->FileId.QuadPart),
                 static_cast<std::uint64_t>(entry->EndOfFile.QuadPart),
                 static_cast<std::uint64_t>(entry->LastWriteTime.QuadPart)});
        }
        if (entry->NextEntryOffset == 0) return;
        offset += entry->NextEntryOffset;
    }
}

}  // namespace

std::optional<std::vector<PlainFile>> Win32FileSystem::tryListPlainFileIdentities(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    FileHandle directory(CreateFileW(folderPrefix(folder).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION folderInfo{};
    if (!directory || !GetFileInformationByHandle(directory.get(), &folderInfo)) return std::nullopt;
    // One call reads a whole batch of entries with their file identities.
    alignas(LARGE_INTEGER) std::byte buffer[64 * 1024];
    std::vector<PlainFile> files;
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(directory.get(), kind, buffer, sizeof(buffer))) {
        kind = FileIdBothDirectoryInfo;
        addPlainFiles(buffer, folderInfo.dwVolumeSerialNumber, files);
    }
    if (GetLastError() == ERROR_NO_MORE_FILES) return files;
    // A file system without this listing (or one that failed part-way): the names alone, whose identities
    // are unknown, or no listing at all.
    const std::optional<std::vector<std::string>> names = tryListNames(folder);
    if (!names) return std::nullopt;
    files.clear();
    for (const std::string& name : *names)
        files.push_back({name});
    return files;
}

FileResult Win32FileSystem::linkFile(const std::string& existing, const std::string& newName) {
    const std::wstring source = widePath(existing);
    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastFileError();
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return FileError::Denied;
    return fileResult(CreateHardLinkW(widePath(newName).c_str(), source.c_str(), nullptr));
}

namespace {

// The volume and index that name a file whatever its name; nullopt when it cannot be opened.
std::optional<std::pair<DWORD, ULONGLONG>> fileIdentity(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return std::make_pair(info.dwVolumeSerialNumber,
                          (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
}

}  // namespace

FileResult Win32FileSystem::copyFile(const std::string& from, const std::string& to) {
    const std::wstring source = widePath(from);
    const std::wstring target = widePath(to);
    if (const auto targetIdentity = fileIdentity(target)) {
        if (targetIdentity == fileIdentity(source)) return {};
    }
    return fileResult(CopyFileW(source.c_str(), target.c_str(), FALSE));
}

// Without MOVEFILE_COPY_ALLOWED: across volumes the system would write straight under the final name, and a
// copy cut off by a full disk would stand there as the item.
FileResult Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
    return fileResult(MoveFileExW(widePath(from).c_str(), widePath(to).c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

FileResult Win32FileSystem::moveFileNoReplace(const std::string& from, const std::string& to) {
    return fileResult(MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), MOVEFILE_WRITE_THROUGH));
}

FileResult Win32FileSystem::deleteFile(const std::string& path) {
    const std::wstring wide = widePath(path);
    if (DeleteFileW(wide.c_str())) return {};
    const FileError refusal = lastFileError();
    // A read-only file refuses deletion; the stored copy of a read-only item is one.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return refusal;
    return deleteReadOnlyName(wide, attributes);
}

namespace {

// What tells an open file apart from another of the same name, asked of the handle alone:
// GetFileInformationByHandle also asks for the volume's serial number, which Wine fetches from its mount
// manager at every call, most of the time a store of a hundred items takes.
struct OpenFileFacts {
    std::uint64_t fileId = 0;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    DWORD attributes = 0;
};

std::optional<OpenFileFacts> factsOf(HANDLE file) {
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    FILE_INTERNAL_INFORMATION internal{};
    IO_STATUS_BLOCK io{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof(basic)) ||
        !GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof(standard))) {
        return std::nullopt;
    }
    if (const NTSTATUS status =
            NtQueryInformationFile(file, &io, &internal, sizeof(internal), FileInternalInformation);
        status < 0) {
        SetLastError(RtlNtStatusToDosError(status));
        return std::nullopt;
    }
    return OpenFileFacts{static_cast<std::uint64_t>(internal.IndexNumber.QuadPart),
                         static_cast<std::uint64_t>(standard.EndOfFile.QuadPart),
                         static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart), basic.FileAttributes};
}

}  // namespace

// The volume is the listed folder's: a name opened in it (a reparse point as itself) is a file of its
// volume, since no second name crosses volumes.
FileResult Win32FileSystem::deleteFileIfUnchanged(const std::string& path, const PlainFile& listed) {
    // The check and the deletion go through one handle: a save that replaces the name after the check
    // replaces another file than the one marked.
    FileHandle file(CreateFileW(widePath(path).c_str(), DELETE | FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    const std::optional<OpenFileFacts> facts = file ? factsOf(file.get()) : std::nullopt;
    if (!facts) return lastFileError();
    if (facts->fileId != listed.fileId || facts->size != listed.size || facts->writeTime != listed.writeTime)
        return FileError::Changed;
    FILE_BASIC_INFO basic{};
    const bool readOnly = (facts->attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) {
        basic.FileAttributes = (facts->attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL;
        if (!SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof(basic)))
            return lastFileError();
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    const FileResult result = fileResult(
        SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof(disposition)));
    if (readOnly) {
        // The file's other names keep the attribute.
        basic.FileAttributes = facts->attributes;
        SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof(basic));
    }
    return result;
}

bool Win32FileSystem::isReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FileResult Win32FileSystem::setReadOnly(const std::string& path, bool readOnly) {
    const std::wstring wide = widePath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastFileError();
    DWORD wanted = readOnly ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~FILE_ATTRIBUTE_READONLY;
    if (wanted == attributes) return {};
    if (wanted == 0) wanted = FILE_ATTRIBUTE_NORMAL;
    return fileResult(SetFileAttributesW(wide.c_str(), wanted));
}

FileResult Win32FileSystem::makeFolder(const std::string& path) {
    return fileResult(CreateDirectoryW(widePath(path).c_str(), nullptr));
}

bool Win32FileSystem::folderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::plainFileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> Win32FileSystem::readFileBytes(const std::string& path) {
    FileHandle file(CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
        if (read == 0) break;  // the file shrank meanwhile
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

std::optional<std::string> Win32FileSystem::readFileBlock(const std::string& path, std::uint64_t offset,
                                                          std::size_t length) {
    FileHandle file(CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || length > (1u << 30)) return std::nullopt;
    std::string bytes(length, '\0');
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(length), &read, &at) &&
        GetLastError() != ERROR_HANDLE_EOF) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

std::optional<PlainFile> Win32FileSystem::fileInfo(const std::string& path) {
    FileHandle file(CreateFileW(widePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return PlainFile{fileNameOfPath(path), info.dwVolumeSerialNumber,
                     join(info.nFileIndexHigh, info.nFileIndexLow),
                     join(info.nFileSizeHigh, info.nFileSizeLow),
                     join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)};
}

namespace {

// Written beside the file and renamed over it, so that the name always holds a whole file.
FileResult replaceFile(const std::string& path, std::string_view bytes, bool flush) {
    const std::wstring target = widePath(path);
    const std::wstring aside = target + L".new";
    {
        FileHandle file(CreateFileW(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return lastFileError();
        if (!writeAll(file.get(), bytes) || (flush && !FlushFileBuffers(file.get()))) {
            const FileError error = lastFileError();
            file.reset();
            DeleteFileW(aside.c_str());
            return error;
        }
    }
    if (!MoveFileExW(aside.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | (flush ? MOVEFILE_WRITE_THROUGH : 0))) {
        const FileError error = lastFileError();
        DeleteFileW(aside.c_str());  // the old file stays whole
        return error;
    }
    return {};
}

}  // namespace

FileResult Win32FileSystem::replaceFileBytes(const std::string& path, std::string_view bytes) {
    return replaceFile(path, bytes, true);
}

FileResult Win32FileSystem::replaceFileBytesUnflushed(const std::string& path, std::string_view bytes) {
    return replaceFile(path, bytes, false);
}

FileResult Win32FileSystem::patchFileBytes(const std::string& path, std::uint64_t offset,
                                           std::string_view bytes) {
    FileHandle file(CreateFileW(widePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return lastFileError();
    if (offset + bytes.size() > static_cast<std::uint64_t>(size.QuadPart)) return FileError::Other;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    const bool done = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at) &&
                      written == bytes.size() && FlushFileBuffers(file.get());
    return fileResult(done);
}

FileResult Win32FileSystem::appendFileBytes(const std::string& path, std::string_view bytes) {
    FileHandle file(CreateFileW(widePath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return fileResult(file && writeAll(file.get(), bytes));
}

bool Win32FileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryW(widen(path).c_str()) != FALSE;
}

std::optional<std::string> Win32FileSystem::decodeLegacyText(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
    const int inLength = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(kJapaneseCodePage, MB_ERR_INVALID_CHARS, bytes.data(), inLength, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(kJapaneseCodePage, MB_ERR_INVALID_CHARS, bytes.data(), inLength, wide.data(),
                            length) != length) {
        return std::nullopt;
    }
    return narrow(wide);
}
}  // namespace koruvan::win32
