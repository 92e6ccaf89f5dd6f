#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "core/paths.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

std::atomic<bool> busyPointer{false};

// The legacy Japanese code page of settings files written on Japanese systems.
constexpr UINT kJapaneseCodePage = 932;

// Far more than a desk switch queues, yet a window that never validates its paint area (the system then keeps
// sending WM_PAINT) cannot keep the pump spinning for ever.
constexpr int kMaxPumpedMessages = 1000;

// GetWindowTextW/GetClassNameW buffer: at most 254 characters, as the window listing has always read them.
constexpr int kWindowTextBufferLength = 255;

HKEY rootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
    }
    return HKEY_CURRENT_USER;
}

bool isStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::wstring cutAtNul(std::wstring text) {
    const auto nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}

// A value read whole when `accept` takes its type. The system may rewrite a value while it is read: one that
// grew between asking its size and reading it is asked again.
std::optional<std::string> readValueBytes(HKEY root, const std::string& subKey, const std::string& valueName,
                                          bool (*accept)(DWORD)) {
    RegistryKey key;
    if (RegOpenKeyExW(root, widen(subKey).c_str(), 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring name = widen(valueName);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            !accept(type)) {
            return std::nullopt;
        }
        std::string bytes(size, '\0');
        DWORD read = size;
        const LSTATUS status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(bytes.data()), &read);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || !accept(type)) return std::nullopt;
        bytes.resize(read);
        return bytes;
    }
    return std::nullopt;
}

std::wstring folderPrefix(const std::string& folder) {
    std::wstring wide = widen(folder);
    if (!wide.empty() && wide.back() != L'\\' && wide.back() != L'/') wide += L'\\';
    return wide;
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

// A window text read through a fixed buffer; a surrogate pair cut by the buffer's end is dropped whole.
template <typename Reader>
std::string fixedBufferText(Reader read) {
    wchar_t buffer[kWindowTextBufferLength + 1] = {};
    int length = read(buffer, kWindowTextBufferLength);
    if (length <= 0) return {};
    length = std::min(length, kWindowTextBufferLength - 1);
    if (IS_HIGH_SURROGATE(buffer[length - 1])) --length;
    return narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

// Done, or why not, from a Win32 call's result.
FileResult fileResult(BOOL done) {
    return done ? FileResult{} : FileResult{lastFileError()};
}

}  // namespace

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

bool busyPointerActive() {
    return busyPointer.load();
}

Win32Platform::Win32Platform(std::string instanceName) : instanceName_(std::move(instanceName)) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    counterFrequency_ = static_cast<double>(frequency.QuadPart);
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    random_.seed(static_cast<std::mt19937::result_type>(now.QuadPart ^ GetTickCount64()));
}

// --- Registry ---

std::optional<std::string> Win32Platform::readRegistryString(RegistryRoot root, const std::string& subKey,
                                                             const std::string& valueName) {
    const std::optional<std::string> bytes = readValueBytes(rootKey(root), subKey, valueName, isStringType);
    if (!bytes) return std::nullopt;
    // A stored string need not carry its own NUL.
    std::wstring text(bytes->size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes->data(), text.size() * sizeof(wchar_t));
    return narrow(cutAtNul(std::move(text)));
}

std::optional<std::string> Win32Platform::readRegistryBinary(RegistryRoot root, const std::string& subKey,
                                                             const std::string& valueName) {
    return readValueBytes(rootKey(root), subKey, valueName, [](DWORD type) { return type == REG_BINARY; });
}

bool Win32Platform::registryKeyExists(RegistryRoot root, const std::string& subKey) {
    RegistryKey key;
    return RegOpenKeyExW(rootKey(root), widen(subKey).c_str(), 0, KEY_QUERY_VALUE, key.receive()) ==
           ERROR_SUCCESS;
}

bool Win32Platform::writeRegistryString(RegistryRoot root, const std::string& subKey,
                                        const std::string& valueName, const std::string& value) {
    const std::wstring text = widen(value);
    if (text.size() >= std::numeric_limits<DWORD>::max() / sizeof(wchar_t)) return false;
    RegistryKey key;
    if (RegCreateKeyExW(rootKey(root), widen(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, key.receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));  // with the terminating NUL
    return RegSetValueExW(key.get(), widen(valueName).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32Platform::deleteRegistryValue(RegistryRoot root, const std::string& subKey,
                                        const std::string& valueName) {
    RegistryKey key;
    const LSTATUS opened =
        RegOpenKeyExW(rootKey(root), widen(subKey).c_str(), 0, KEY_SET_VALUE, key.receive());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LSTATUS deleted = RegDeleteValueW(key.get(), widen(valueName).c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

// --- File system ---

std::vector<std::string> Win32Platform::listPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) return names;  // an empty text names no folder, not the current one
    const std::wstring pattern = folderPrefix(folder) + L"*";
    WIN32_FIND_DATAW entry{};
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return names;
    do {
        if (isPlainFile(entry.dwFileAttributes)) names.push_back(narrow(entry.cFileName));
    } while (FindNextFileW(find.get(), &entry));
    return names;
}

std::vector<std::string> Win32Platform::listFolders(const std::string& folder) {
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

std::vector<std::string> Win32Platform::listDrives() {
    std::vector<std::string> roots;
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) != 0)
            roots.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
    }
    return roots;
}

std::vector<PlainFile> Win32Platform::listPlainFileIdentities(const std::string& folder) {
    std::vector<PlainFile> files;
    if (folder.empty()) return files;
    FileHandle directory(CreateFileW(folderPrefix(folder).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION folderInfo{};
    if (!directory || !GetFileInformationByHandle(directory.get(), &folderInfo)) return files;
    // One call reads a whole batch of entries with their file identities.
    alignas(LARGE_INTEGER) std::byte buffer[64 * 1024];
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(directory.get(), kind, buffer, sizeof(buffer))) {
        kind = FileIdBothDirectoryInfo;
        for (std::size_t offset = 0;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer + offset);
            if (isPlainFile(entry->FileAttributes)) {
                files.push_back(
                    {narrow(std::wstring_view(entry->FileName, entry->FileNameLength / sizeof(wchar_t))),
                     folderInfo.dwVolumeSerialNumber, static_cast<std::uint64_t>(entry->FileId.QuadPart),
                     static_cast<std::uint64_t>(entry->EndOfFile.QuadPart),
                     static_cast<std::uint64_t>(entry->LastWriteTime.QuadPart)});
            }
            if (entry->NextEntryOffset == 0) break;
            offset += entry->NextEntryOffset;
        }
    }
    if (GetLastError() == ERROR_NO_MORE_FILES) return files;
    // A file system without this listing: the names alone, whose identities are unknown.
    files.clear();
    for (std::string& name : listPlainFiles(folder))
        files.push_back({std::move(name)});
    return files;
}

FileResult Win32Platform::linkFile(const std::string& existing, const std::string& newName) {
    const std::wstring source = widen(existing);
    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastFileError();
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return FileError::Denied;
    return fileResult(CreateHardLinkW(widen(newName).c_str(), source.c_str(), nullptr));
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

FileResult Win32Platform::copyFile(const std::string& from, const std::string& to) {
    const std::wstring source = widen(from);
    const std::wstring target = widen(to);
    if (const auto targetIdentity = fileIdentity(target)) {
        if (targetIdentity == fileIdentity(source)) return {};
    }
    return fileResult(CopyFileW(source.c_str(), target.c_str(), FALSE));
}

// Without MOVEFILE_COPY_ALLOWED: across volumes the system would write straight under the final name, and a
// copy cut off by a full disk would stand there as the item.
FileResult Win32Platform::moveFile(const std::string& from, const std::string& to) {
    return fileResult(MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

FileResult Win32Platform::moveFileNoReplace(const std::string& from, const std::string& to) {
    return fileResult(MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_WRITE_THROUGH));
}

FileResult Win32Platform::deleteFile(const std::string& path) {
    const std::wstring wide = widen(path);
    if (DeleteFileW(wide.c_str())) return {};
    const FileError refusal = lastFileError();
    // A read-only file refuses deletion; the stored copy of a read-only item is one.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return refusal;
    return deleteReadOnlyName(wide, attributes);
}

FileResult Win32Platform::makeFolder(const std::string& path) {
    return fileResult(CreateDirectoryW(widen(path).c_str(), nullptr));
}

bool Win32Platform::folderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Platform::plainFileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> Win32Platform::readFileBytes(const std::string& path) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ,
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

std::optional<std::string> Win32Platform::readFileBlock(const std::string& path, std::uint64_t offset,
                                                        std::size_t length) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ,
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

std::optional<PlainFile> Win32Platform::fileInfo(const std::string& path) {
    FileHandle file(CreateFileW(widen(path).c_str(), FILE_READ_ATTRIBUTES,
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
    const std::wstring target = widen(path);
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

FileResult Win32Platform::replaceFileBytes(const std::string& path, std::string_view bytes) {
    return replaceFile(path, bytes, true);
}

FileResult Win32Platform::replaceFileBytesUnflushed(const std::string& path, std::string_view bytes) {
    return replaceFile(path, bytes, false);
}

FileResult Win32Platform::patchFileBytes(const std::string& path, std::uint64_t offset,
                                         std::string_view bytes) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
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

FileResult Win32Platform::appendFileBytes(const std::string& path, std::string_view bytes) {
    FileHandle file(CreateFileW(widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return fileResult(file && writeAll(file.get(), bytes));
}

bool Win32Platform::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryW(widen(path).c_str()) != FALSE;
}

// --- Text ---

std::optional<std::string> Win32Platform::decodeLegacyText(std::string_view bytes) {
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

// --- Desktop ---

bool Win32Platform::setDesktopWallpaper(const std::string& path) {
    std::wstring wide = widen(path);  // an empty text (not a null pointer) removes the wallpaper
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), SPIF_SENDWININICHANGE) != FALSE;
}

std::string Win32Platform::windowsDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {  // too small: the result is the size needed, NUL included
        buffer.assign(length, L'\0');
        length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return narrow(buffer);
}

std::string Win32Platform::knownDesktopFolder() {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &path);
    std::string folder = SUCCEEDED(result) && path ? narrow(path) : std::string();
    CoTaskMemFree(path);  // owed even when the call failed
    return folder;
}

// --- Windows of other programs ---

WindowHandle Win32Platform::desktopWindow() {
    return toWindowHandle(GetDesktopWindow());
}

WindowHandle Win32Platform::firstChildWindow(WindowHandle window) {
    return toWindowHandle(GetWindow(toHwnd(window), GW_CHILD));
}

WindowHandle Win32Platform::nextWindow(WindowHandle window) {
    return toWindowHandle(GetWindow(toHwnd(window), GW_HWNDNEXT));
}

WindowHandle Win32Platform::ownerWindow(WindowHandle window) {
    return toWindowHandle(GetWindow(toHwnd(window), GW_OWNER));
}

WindowHandle Win32Platform::parentWindow(WindowHandle window) {
    return toWindowHandle(GetParent(toHwnd(window)));
}

bool Win32Platform::isWindowVisible(WindowHandle window) {
    return IsWindowVisible(toHwnd(window)) != FALSE;
}

std::string Win32Platform::windowTitle(WindowHandle window) {
    // GetWindowTextW sends WM_GETTEXT to windows of this process and would wait on a hung one; the stored
    // caption needs no answer from anyone.
    return fixedBufferText(
        [&](wchar_t* buffer, int size) { return InternalGetWindowText(toHwnd(window), buffer, size); });
}

std::string Win32Platform::windowClassName(WindowHandle window) {
    return fixedBufferText(
        [&](wchar_t* buffer, int size) { return GetClassNameW(toHwnd(window), buffer, size); });
}

ScreenRect Win32Platform::windowRect(WindowHandle window) {
    RECT rect{};
    if (!GetWindowRect(toHwnd(window), &rect)) return {};
    return {static_cast<std::int32_t>(rect.left), static_cast<std::int32_t>(rect.top),
            static_cast<std::int32_t>(rect.right), static_cast<std::int32_t>(rect.bottom)};
}

bool Win32Platform::isWindowZoomed(WindowHandle window) {
    return IsZoomed(toHwnd(window)) != FALSE;
}

bool Win32Platform::isWindowIconic(WindowHandle window) {
    return IsIconic(toHwnd(window)) != FALSE;
}

std::vector<TopLevelWindow> Win32Platform::listTopLevelWindows() {
    std::vector<HWND> handles;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&handles));
    std::vector<TopLevelWindow> windows;
    windows.reserve(handles.size());
    for (HWND hwnd : handles) {
        // The style answers visible, minimised, maximised and child at once.
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        TopLevelWindow window;
        window.window = toWindowHandle(hwnd);
        window.visible = (style & WS_VISIBLE) != 0;
        if (window.visible) {
            const HWND owner = GetWindow(hwnd, GW_OWNER);
            window.owner = toWindowHandle(owner);
            // As GetParent answers: a child's parent, a pop-up's owner.
            window.hasParent = (style & WS_CHILD) != 0 || ((style & WS_POPUP) != 0 && owner != nullptr);
            window.iconic = (style & WS_MINIMIZE) != 0;
            window.zoomed = (style & WS_MAXIMIZE) != 0;
            window.title = windowTitle(window.window);
            window.className = windowClassName(window.window);
            window.rect = windowRect(window.window);
        }
        windows.push_back(std::move(window));
    }
    return windows;
}

// CloseWindow and ShowWindow wait until the window's program has handled the change, for ever when it has
// stopped answering; the asynchronous form posts the change and the window follows when its program wakes.
// For a window of this thread the result is the earlier visibility, not success: a closed window is the
// failure that matters.
bool Win32Platform::minimizeWindow(WindowHandle window) {
    const HWND hwnd = toHwnd(window);
    if (!IsWindow(hwnd)) return false;
    ShowWindowAsync(hwnd, SW_MINIMIZE);
    return true;
}

bool Win32Platform::showWindow(WindowHandle window, ShowCommand command) {
    const HWND hwnd = toHwnd(window);
    if (!IsWindow(hwnd)) return false;
    ShowWindowAsync(hwnd, static_cast<int>(command));
    return true;
}

// --- Session ---

bool Win32Platform::claimSingleInstance() {
    if (instanceMutex_) return true;
    KernelObject mutex(CreateMutexW(nullptr, FALSE, widen(instanceName_).c_str()));
    const DWORD error = GetLastError();
    // Access denied means the mutex exists under another security context: still another instance. Any other
    // failure to make it must not keep the user from running the program.
    if (!mutex) return error != ERROR_ACCESS_DENIED;
    if (error == ERROR_ALREADY_EXISTS) return false;
    instanceMutex_ = std::move(mutex);
    return true;
}

std::string Win32Platform::programFile() {
    std::wstring buffer(MAX_PATH, L'\0');
    constexpr std::size_t kLongestPath = 32768;
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return narrow(buffer);
        }
        if (buffer.size() >= kLongestPath) return {};
        buffer.resize(buffer.size() * 2);  // the name was cut
    }
}

std::string Win32Platform::programDirectory() {
    const std::string file = programFile();
    const auto separator = file.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    return file.substr(0, separator) + "\\";
}

void Win32Platform::pumpPendingEvents() {
    MSG message{};
    for (int handled = 0; handled < kMaxPumpedMessages && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the main loop
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Platform::setBusyPointer(bool busy) {
    busyPointer.store(busy);
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

double Win32Platform::monotonicSeconds() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return counterFrequency_ > 0 ? static_cast<double>(counter.QuadPart) / counterFrequency_ : 0.0;
}

double Win32Platform::secondsOfDay() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

double Win32Platform::randomFraction() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

std::optional<std::uint32_t> Win32Platform::sessionId() {
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session)) return std::nullopt;
    return static_cast<std::uint32_t>(session);
}

// --- Keyboard ---

namespace {

INPUT keyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    // The arrows and the Windows key are extended keys; without the flag an arrow reads as a number-pad key.
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_LWIN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

}  // namespace

bool Win32Platform::pressDesktopSwitchKeys(int steps) {
    constexpr int kMostSteps = 1000;  // far past any list of desktops; a wild count presses nothing
    if (steps == 0) return true;
    if (steps < -kMostSteps || steps > kMostSteps) return false;
    const WORD arrow = steps < 0 ? VK_LEFT : VK_RIGHT;
    std::vector<INPUT> inputs;
    // The program's own hotkeys hold Ctrl+Alt when a key leads here: a held Alt or Shift would make the
    // system see another combination, so they are let go first.
    for (const WORD held : {WORD{VK_MENU}, WORD{VK_SHIFT}}) {
        if (GetAsyncKeyState(held) < 0) inputs.push_back(keyInput(held, false));
    }
    const WORD keys[] = {VK_LWIN, VK_LCONTROL, arrow};
    for (int step = 0; step < std::abs(steps); ++step) {
        for (const WORD key : keys)
            inputs.push_back(keyInput(key, true));
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
            inputs.push_back(keyInput(*key, false));
    }
    const auto count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

}  // namespace koruvan::win32
