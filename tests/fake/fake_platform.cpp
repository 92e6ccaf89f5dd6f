#include "fake/fake_platform.h"

#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/paths.h"
#include "core/text.h"

namespace koruvan::testing {
namespace fs = std::filesystem;

namespace {
std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The name in upper case, as a key that compares names the way the file system does.
std::string nameKey(std::string_view name) {
    return fileNameKey(name);
}

std::string readHost(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
}  // namespace

FakePlatform::FakePlatform() : Platform{*this, *this, *this, *this} {
    static std::atomic<int> counter{0};
    root_ = fs::temp_directory_path() /
            ("koruvan-fake-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(root_);
    fs::create_directories(root_);
    children_[kDesktop] = {};
}

FakePlatform::~FakePlatform() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

// The entry of `folder` that the name finds: the name itself, or an existing entry spelled in another case.
// Each folder's names are read once and then kept up to date by the fake's own changes.
fs::path FakePlatform::entryFor(const fs::path& folder, const std::string& name) const {
    auto it = names_.find(folder.string());
    if (it == names_.end()) {
        std::error_code error;
        if (!fs::is_directory(folder, error)) return folder / name;
        std::map<std::string, std::string> names;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            const std::string found = entry.path().filename().string();
            names.emplace(nameKey(found), found);
        }
        it = names_.emplace(folder.string(), std::move(names)).first;
    }
    const auto found = it->second.find(nameKey(name));
    return folder / (found == it->second.end() ? name : found->second);
}

void FakePlatform::forgetNames() {
    names_.clear();
    folders_.clear();
}

void FakePlatform::noteEntry(const fs::path& path, bool present) {
    const auto it = names_.find(path.parent_path().string());
    if (it == names_.end()) return;
    const std::string name = path.filename().string();
    if (present) {
        it->second[nameKey(name)] = name;
    } else {
        it->second.erase(nameKey(name));
    }
}

fs::path FakePlatform::hostPath(const std::string& windowsPath) const {
    // The folder part is resolved once: a path's folders are few, its names many.
    const std::size_t split = windowsPath.find_last_of('\\');
    const std::string folderPart = split == std::string::npos ? std::string() : windowsPath.substr(0, split);
    const std::string name = split == std::string::npos ? windowsPath : windowsPath.substr(split + 1);
    auto folder = folders_.find(folderPart);
    if (folder == folders_.end()) {
        fs::path result = root_;
        std::string part;
        for (char c : folderPart + '\\') {
            if (c != '\\') {
                part += c;
            } else if (!part.empty()) {
                result = entryFor(result, part.size() == 2 && part[1] == ':' ? part.substr(0, 1) : part);
                part.clear();
            }
        }
        // Only folders that exist keep their spelling; one made later is resolved again.
        if (!fs::is_directory(result)) return name.empty() ? result : entryFor(result, name);
        folder = folders_.emplace(folderPart, result).first;
    }
    return name.empty() ? folder->second : entryFor(folder->second, name);
}

void FakePlatform::writeFile(const std::string& windowsPath, std::string_view content) {
    const fs::path path = hostPath(windowsPath);
    if (fs::create_directories(path.parent_path())) forgetNames();
    std::ofstream(path, std::ios::binary) << content;
    noteEntry(path, true);
}

std::string FakePlatform::fileContent(const std::string& windowsPath) const {
    return readHost(hostPath(windowsPath));
}

bool FakePlatform::exists(const std::string& windowsPath) const {
    return fs::exists(hostPath(windowsPath));
}

void FakePlatform::makeHidden(const std::string& windowsPath) {
    setAttributes(windowsPath, attributes(windowsPath) | kHidden);
}

void FakePlatform::setAttributes(const std::string& windowsPath, unsigned attributes) {
    if (const auto node = inode(hostPath(windowsPath))) attributes_[*node] = attributes;
}

unsigned FakePlatform::attributes(const std::string& windowsPath) const {
    return hostAttributes(hostPath(windowsPath));
}

unsigned FakePlatform::hostAttributes(const fs::path& path) const {
    const auto node = inode(path);
    const auto it = node ? attributes_.find(*node) : attributes_.end();
    return it == attributes_.end() ? 0 : it->second;
}

// Attributes belong to the file, as on Windows: every name (hard link) of it shares them.
std::optional<std::uint64_t> FakePlatform::inode(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_ino);
}

// Forgets a file's attributes when its last name goes: a new file may be given its inode.
void FakePlatform::forgetAttributesOfLastName(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && info.st_nlink <= 1) attributes_.erase(info.st_ino);
}

bool FakePlatform::held(const std::string& windowsPath) const {
    const fs::path path = hostPath(windowsPath);
    return std::any_of(heldFiles.begin(), heldFiles.end(),
                       [&](const std::string& heldPath) { return hostPath(heldPath) == path; });
}

// The drive letter of a Windows path, upper-cased: each drive is a volume of its own.
char FakePlatform::driveOf(const std::string& windowsPath) {
    return windowsPath.size() >= 2 && windowsPath[1] == ':'
               ? static_cast<char>(std::toupper(static_cast<unsigned char>(windowsPath[0])))
               : '?';
}

std::vector<std::string> FakePlatform::filesIn(const std::string& windowsFolder) const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(hostPath(windowsFolder), error)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void FakePlatform::setRegistry(const std::string& subKey, const std::string& valueName,
                               const std::string& value) {
    registry_[lower(subKey)][lower(valueName)] = {value, false};
}

void FakePlatform::setRegistryBinary(const std::string& subKey, const std::string& valueName,
                                     const std::string& bytes) {
    registry_[lower(subKey)][lower(valueName)] = {bytes, true};
}

std::optional<std::string> FakePlatform::registryValue(const std::string& subKey,
                                                       const std::string& valueName) const {
    const auto key = registry_.find(lower(subKey));
    if (key == registry_.end()) return std::nullopt;
    const auto value = key->second.find(lower(valueName));
    if (value == key->second.end() || value->second.binary) return std::nullopt;
    return value->second.data;
}

void FakePlatform::removeRegistryKey(const std::string& subKey) {
    registry_.erase(lower(subKey));
}

WindowHandle FakePlatform::addWindow(FakeWindow window) {
    const WindowHandle handle = nextHandle_;
    nextHandle_ += 0x10;
    const WindowHandle treeParent = window.parent == 0 ? kDesktop : window.parent;
    windows_[handle] = std::move(window);
    children_[treeParent].push_back(handle);
    children_[handle] = {};
    return handle;
}

FakeWindow& FakePlatform::window(WindowHandle handle) {
    const auto it = windows_.find(handle);
    if (it == windows_.end()) throw std::out_of_range("no such fake window");
    return it->second;
}

const FakeWindow* FakePlatform::find(WindowHandle handle) const {
    const auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : &it->second;
}

// --- Registry ---

std::optional<std::string> FakePlatform::readRegistryString(RegistryRoot, const std::string& subKey,
                                                            const std::string& valueName) {
    auto value = registryValue(subKey, valueName);
    if (value) value = value->substr(0, value->find('\0'));
    return value;
}

std::optional<std::string> FakePlatform::readRegistryBinary(RegistryRoot, const std::string& subKey,
                                                            const std::string& valueName) {
    const auto key = registry_.find(lower(subKey));
    if (key == registry_.end()) return std::nullopt;
    const auto value = key->second.find(lower(valueName));
    if (value == key->second.end() || !value->second.binary) return std::nullopt;
    return value->second.data;
}

bool FakePlatform::registryKeyExists(RegistryRoot, const std::string& subKey) {
    return registry_.count(lower(subKey)) != 0;
}

bool FakePlatform::writeRegistryString(RegistryRoot, const std::string& subKey, const std::string& valueName,
                                       const std::string& value) {
    calls.push_back("reg " + valueName + "=" + value);
    setRegistry(subKey, valueName, value);
    return true;
}

bool FakePlatform::writeRegistryBinary(RegistryRoot, const std::string& subKey, const std::string& valueName,
                                       const std::string& bytes) {
    calls.push_back("reg binary " + valueName);
    setRegistryBinary(subKey, valueName, bytes);
    return true;
}

bool FakePlatform::deleteRegistryValue(RegistryRoot, const std::string& subKey,
                                       const std::string& valueName) {
    calls.push_back("reg delete " + valueName);
    const auto key = registry_.find(lower(subKey));
    if (key != registry_.end()) key->second.erase(lower(valueName));
    return true;
}

// --- Files ---

std::vector<std::string> FakePlatform::listPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    if (std::any_of(unlistableFolders.begin(), unlistableFolders.end(),
                    [&](const std::string& f) { return hostPath(f) == hostPath(folder); }))
        return names;
    for (const auto& entry : fs::directory_iterator(hostPath(folder), error)) {
        const bool plain = (hostAttributes(entry.path()) & (kHidden | kSystem)) == 0;
        if (entry.is_regular_file() && plain) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<PlainFile> FakePlatform::listPlainFileIdentities(const std::string& folder) {
    std::vector<PlainFile> files;
    for (const std::string& name : listPlainFiles(folder)) {
        if (std::optional<PlainFile> file = fileInfo(folder + name)) files.push_back(std::move(*file));
    }
    return files;
}

std::optional<std::vector<PlainFile>> FakePlatform::tryListPlainFileIdentities(const std::string& folder) {
    const fs::path host = hostPath(folder);
    const bool unlistable = std::any_of(unlistableFolders.begin(), unlistableFolders.end(),
                                        [&](const std::string& f) { return hostPath(f) == host; });
    if (unlistable || !fs::is_directory(host)) return std::nullopt;
    return listPlainFileIdentities(folder);
}

FileResult FakePlatform::deleteFileIfUnchanged(const std::string& path, const PlainFile& listed) {
    const std::optional<PlainFile> now = fileInfo(path);
    if (now && (now->volume != listed.volume || now->fileId != listed.fileId || now->size != listed.size ||
                now->writeTime != listed.writeTime)) {
        calls.push_back("keep " + path + " (changed)");
        return FileError::Changed;
    }
    return deleteFile(path);
}

FileResult FakePlatform::setReadOnly(const std::string& path, bool readOnly) {
    calls.push_back(std::string(readOnly ? "set" : "clear") + " read-only " + path);
    if (!fs::is_regular_file(hostPath(path))) return FileError::Gone;
    if (held(path)) return FileError::InUse;
    const unsigned now = attributes(path);
    setAttributes(path, readOnly ? now | kReadOnly : now & ~static_cast<unsigned>(kReadOnly));
    return {};
}

std::optional<PlainFile> FakePlatform::fileInfo(const std::string& path) {
    struct stat info {};
    if (::stat(hostPath(path).c_str(), &info) != 0) return std::nullopt;
    const std::size_t slash = path.rfind('\\');
    return PlainFile{slash == std::string::npos ? path : path.substr(slash + 1),
                     static_cast<std::uint64_t>(driveOf(path)), static_cast<std::uint64_t>(info.st_ino),
                     static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                         static_cast<std::uint64_t>(info.st_mtim.tv_nsec)};
}

std::optional<std::string> FakePlatform::readFileBlock(const std::string& path, std::uint64_t offset,
                                                       std::size_t length) {
    ++blockReads;
    if (held(path)) return std::nullopt;
    std::ifstream in(hostPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(static_cast<std::streamoff>(offset));
    std::string bytes(length, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(length));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

FileResult FakePlatform::linkFile(const std::string& existing, const std::string& newName) {
    calls.push_back("link " + existing + " -> " + newName);
    const bool crashing = crashesHere();
    if (crashing && crashHalfWay) crash();  // a link is made whole or not at all
    const fs::path source = hostPath(existing);
    const fs::path target = hostPath(newName);
    FileResult result = FileError::Other;
    if (!fs::is_regular_file(source)) {
        result = FileError::Gone;
    } else if (fs::exists(target)) {
        result = FileError::Exists;
    } else if (held(existing)) {
        result = FileError::InUse;
    } else if (driveOf(existing) != driveOf(newName)) {
        result = FileError::OtherDrive;
    } else if ((attributes(existing) & kReadOnly) != 0) {
        result = FileError::Denied;
    } else if (!failLinks) {
        std::error_code error;
        fs::create_hard_link(source, target, error);
        if (!error) {
            result = {};
            noteEntry(target, true);
        }
    }
    if (crashing) crash();
    return result;
}

bool FakePlatform::crashesHere() {
    ++fileOperations;
    return crashAtOperation && fileOperations == *crashAtOperation;
}

void FakePlatform::crash() {
    calls.push_back("crash");
    throw SimulatedCrash{fileOperations};
}

// The free space of the drive a host path lies on: the first folder under the root ("C" for C:\).
std::optional<std::uintmax_t>& FakePlatform::freeSpaceOf(const fs::path& path) {
    const std::string drive = path.lexically_relative(root_).begin()->string();
    const auto perDrive = driveFreeBytes.find(drive.empty() ? '?' : drive[0]);
    return perDrive != driveFreeBytes.end() ? perDrive->second : freeBytes;
}

bool FakePlatform::writeWithinFreeSpace(const fs::path& path, std::string_view bytes) {
    std::optional<std::uintmax_t>& free = freeSpaceOf(path);
    const std::size_t room =
        free ? static_cast<std::size_t>(std::min<std::uintmax_t>(*free, bytes.size())) : bytes.size();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        noteEntry(path, true);
        out.write(bytes.data(), static_cast<std::streamsize>(room));
        if (!out) return false;
    }
    if (free) *free -= room;
    return room == bytes.size();
}

// A rename within one volume of the fake; a file the target replaces loses its name, and its attributes
// with its last name.
bool FakePlatform::renameHost(const fs::path& from, const fs::path& to) {
    std::error_code error;
    // As under Wine (POSIX rename), a rename onto another name of the same file does nothing.
    if (fs::exists(to) && fs::equivalent(from, to, error)) return true;
    if (fs::exists(to)) forgetAttributesOfLastName(to);
    fs::rename(from, to, error);
    if (error) return false;
    noteEntry(from, false);
    noteEntry(to, true);
    return true;
}

FileResult FakePlatform::copyFile(const std::string& from, const std::string& to) {
    calls.push_back("copy " + from + " -> " + to);
    const bool crashing = crashesHere();
    const fs::path source = hostPath(from);
    const fs::path target = hostPath(to);
    const auto early = [&](FileResult result) {
        if (crashing) crash();
        return result;
    };
    if (!fs::is_regular_file(source)) return early(FileError::Gone);
    if (failingCopies.count(from)) return early(FileError::Other);
    if (held(from) || held(to)) return early(FileError::InUse);
    if (fs::is_directory(target)) return early(FileError::Exists);
    std::error_code error;
    if (fs::exists(target) && fs::equivalent(source, target, error)) return early({});  // the source, renamed
    // Windows refuses to replace a hidden or read-only file.
    if (fs::exists(target) && (attributes(to) & (kHidden | kReadOnly)) != 0) return early(FileError::Denied);
    const std::string content = readHost(source);
    if (crashing && crashHalfWay) {
        writeWithinFreeSpace(target, std::string_view(content).substr(0, content.size() / 2));
        crash();
    }
    const unsigned copied = attributes(from);
    if (fs::exists(target)) forgetAttributesOfLastName(target);
    const bool done = writeWithinFreeSpace(target, content);
    if (copied) setAttributes(to, copied);
    if (crashing) crash();
    return done ? FileResult{} : FileError::Full;
}

FileResult FakePlatform::moveFile(const std::string& from, const std::string& to) {
    calls.push_back("move " + from + " -> " + to);
    const bool crashing = crashesHere();
    if (crashing && crashHalfWay) crash();  // a rename is done whole or not at all
    const fs::path source = hostPath(from);
    const fs::path target = hostPath(to);
    FileResult result = FileError::Other;
    if (!fs::is_regular_file(source)) {
        result = FileError::Gone;
    } else if (held(from) || held(to)) {
        result = FileError::InUse;
    } else if (driveOf(from) != driveOf(to)) {
        result = FileError::OtherDrive;
    } else if (fs::exists(target) && (attributes(to) & kReadOnly) != 0) {
        result = FileError::Denied;
    } else if (!failingCopies.count(from) && renameHost(source, target)) {
        result = {};
    }
    if (crashing) crash();
    return result;
}

FileResult FakePlatform::moveFileNoReplace(const std::string& from, const std::string& to) {
    if (!fs::exists(hostPath(to))) return moveFile(from, to);
    // A name changed only in its case names the same entry: the rename gives it the new spelling.
    if (hostPath(to) == hostPath(from) && driveOf(from) == driveOf(to)) {
        calls.push_back("move " + from + " -> " + to);
        if (crashesHere()) crash();
        const fs::path source = hostPath(from);
        const fs::path respelled = source.parent_path() / to.substr(to.rfind('\\') + 1);
        const fs::path aside = source.string() + ".respelling";
        std::error_code error;
        fs::rename(source, aside, error);
        if (!error) fs::rename(aside, respelled, error);
        noteEntry(source, false);
        noteEntry(respelled, true);
        return error ? FileResult{FileError::Other} : FileResult{};
    }
    calls.push_back("move " + from + " -> " + to + " (name taken)");
    if (crashesHere()) crash();
    return FileError::Exists;
}

FileResult FakePlatform::deleteFile(const std::string& path) {
    calls.push_back("delete " + path);
    const bool crashing = crashesHere();
    if (crashing && crashHalfWay) crash();
    FileResult result = FileError::Gone;
    const fs::path target = hostPath(path);
    if (failingDeletes.count(path)) {
        result = FileError::Denied;
    } else if (held(path)) {
        result = FileError::InUse;
    } else if (fs::is_regular_file(target)) {
        forgetAttributesOfLastName(target);
        struct stat info {};
        const bool lastName = ::stat(target.c_str(), &info) == 0 && info.st_nlink <= 1;
        std::error_code error;
        result = fs::remove(target, error) && !error ? FileResult{} : FileError::Other;
        if (result) noteEntry(target, false);
        // The room a file took is free again once its last name goes.
        if (std::optional<std::uintmax_t>& free = freeSpaceOf(target); result && lastName && free)
            *free += static_cast<std::uintmax_t>(info.st_size);
    }
    if (crashing) crash();
    return result;
}

FileResult FakePlatform::makeFolder(const std::string& path) {
    calls.push_back("mkdir " + path);
    std::error_code error;
    forgetNames();
    if (fs::exists(hostPath(path))) return FileError::Exists;
    return fs::create_directories(hostPath(path), error) && !error ? FileResult{} : FileError::Other;
}

bool FakePlatform::folderExists(const std::string& path) {
    return fs::is_directory(hostPath(path));
}

bool FakePlatform::plainFileExists(const std::string& path) {
    return fs::is_regular_file(hostPath(path));
}

std::vector<std::string> FakePlatform::listFolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(hostPath(folder), error)) {
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The drives are the one-letter folders of the root ("C" is "C:\"), and the offline ones.
std::vector<std::string> FakePlatform::listDrives() {
    std::set<std::string> roots(offlineDrives.begin(), offlineDrives.end());
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root_, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name.size() == 1) roots.insert(name + ":\\");
    }
    return {roots.begin(), roots.end()};
}

std::optional<std::string> FakePlatform::readFileBytes(const std::string& path) {
    if (held(path)) return std::nullopt;
    std::ifstream in(hostPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

FileResult FakePlatform::replaceFileBytes(const std::string& path, std::string_view bytes) {
    if (beforeWrite) beforeWrite(path);
    calls.push_back("write " + path);
    const bool crashing = crashesHere();
    const fs::path target = hostPath(path);
    const fs::path aside = target.string() + ".new";
    if (crashing && crashHalfWay) {
        writeWithinFreeSpace(aside, bytes.substr(0, bytes.size() / 2));
        crash();
    }
    FileResult result = FileError::Denied;
    // As on Windows, a rename does not replace a read-only file.
    if (!failWrites && (hostAttributes(target) & kReadOnly) == 0) {
        bool done = writeWithinFreeSpace(aside, bytes);
        result = done ? FileResult{} : FileError::Full;
        std::error_code error;
        if (done) fs::rename(aside, target, error);
        if (done && error) result = FileError::Other;
        std::error_code ignored;
        if (!result) fs::remove(aside, ignored);
        noteEntry(aside, false);
        noteEntry(target, result || fs::exists(target));
    }
    if (crashing) crash();
    return result;
}

FileResult FakePlatform::patchFileBytes(const std::string& path, std::uint64_t offset,
                                        std::string_view bytes) {
    calls.push_back("patch " + path);
    const bool crashing = crashesHere();
    if (crashing && crashHalfWay) crash();  // a sector is written whole or not at all
    const fs::path target = hostPath(path);
    FileResult result = FileError::Denied;
    if (!fs::is_regular_file(target)) {
        result = FileError::Gone;
    } else if (!failWrites && (hostAttributes(target) & kReadOnly) == 0 &&
               offset + bytes.size() <= fs::file_size(target)) {
        std::fstream file(target, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(static_cast<std::streamoff>(offset));
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        result = file ? FileResult{} : FileError::Other;
    }
    if (crashing) crash();
    return result;
}

FileResult FakePlatform::appendFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(hostPath(path), std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? FileResult{} : FileError::Other;
}

bool FakePlatform::setCurrentDirectory(const std::string& path) {
    currentDirectory = path;
    return true;
}

std::optional<std::string> FakePlatform::decodeLegacyText(std::string_view bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes);
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

bool FakePlatform::setDesktopWallpaper(const std::string& path) {
    calls.push_back("wallpaper " + path);
    wallpaperInEffect = path;
    return true;
}

// --- Windows ---

WindowHandle FakePlatform::firstChildWindow(WindowHandle window) {
    const auto it = children_.find(window);
    return it == children_.end() || it->second.empty() ? 0 : it->second.front();
}

WindowHandle FakePlatform::nextWindow(WindowHandle window) {
    const FakeWindow* w = find(window);
    if (!w) return 0;
    const auto& siblings = children_[w->parent == 0 ? kDesktop : w->parent];
    const auto it = std::find(siblings.begin(), siblings.end(), window);
    return it == siblings.end() || it + 1 == siblings.end() ? 0 : *(it + 1);
}

bool FakePlatform::isWindowVisible(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w && w->visible;
}

bool FakePlatform::isWindowCloaked(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w && w->cloaked;
}

TopLevelWindow FakePlatform::describeWindow(WindowHandle handle) {
    TopLevelWindow window;
    window.window = handle;
    const FakeWindow* w = find(handle);
    window.visible = w && w->visible;
    if (!window.visible) return window;
    window.owner = w->owner;
    window.hasParent = (w->childStyle ? w->parent : w->owner) != 0;  // as GetParent answers
    window.iconic = w->minimized;
    window.zoomed = w->zoomed;
    window.cloaked = w->cloaked;
    window.toolWindow = w->toolWindow;
    window.title = w->title;
    window.className = w->className;
    window.rect = w->rect;
    return window;
}

std::vector<TopLevelWindow> FakePlatform::listTopLevelWindows() {
    std::vector<TopLevelWindow> windows;
    std::set<WindowHandle> reached;
    for (WindowHandle handle = firstChildWindow(kDesktop); handle != 0 && reached.insert(handle).second;
         handle = nextWindow(handle)) {
        windows.push_back(describeWindow(handle));
    }
    return windows;
}

FakeWindow* FakePlatform::recordWindowCall(const std::string& verb, WindowHandle window,
                                           const std::string& rest) {
    std::ostringstream text;
    text << verb << " " << std::hex << window << rest;
    calls.push_back(text.str());
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

bool FakePlatform::minimizeWindow(WindowHandle window) {
    FakeWindow* w = recordWindowCall("minimize", window);
    if (w) w->minimized = true;
    return w != nullptr;
}

bool FakePlatform::showWindow(WindowHandle window, ShowCommand command) {
    // Appended, not summed: GCC 12 takes a literal plus a temporary for an overlapping copy (-Wrestrict).
    std::string detail = " ";
    detail += std::to_string(static_cast<int>(command));
    FakeWindow* w = recordWindowCall("show", window, detail);
    if (!w) return false;
    if (w->showsLate) return true;
    w->visible = true;
    w->minimized = command == ShowCommand::Minimized;
    return true;
}

bool FakePlatform::showsHandled(WindowHandle window) {
    const auto it = windows_.find(window);
    return it == windows_.end() || !it->second.showsLate;
}

// Recorded as "stack 2a 2b ..." (front to back); the windows then lead the desktop's order.
void FakePlatform::stackWindows(const std::vector<WindowHandle>& frontToBack) {
    std::ostringstream text;
    text << "stack" << std::hex;
    for (const WindowHandle window : frontToBack)
        text << " " << window;
    calls.push_back(text.str());
    std::vector<WindowHandle>& order = children_[kDesktop];
    for (auto it = frontToBack.rbegin(); it != frontToBack.rend(); ++it) {
        const auto at = std::find(order.begin(), order.end(), *it);
        if (at == order.end()) continue;
        order.erase(at);
        order.insert(order.begin(), *it);
    }
}

bool FakePlatform::activateWindow(WindowHandle window) {
    if (!recordWindowCall("activate", window)) return false;
    foreground = window;
    return true;
}

bool FakePlatform::hideWindow(WindowHandle window) {
    FakeWindow* w = recordWindowCall("hide", window);
    if (w) w->visible = false;
    return w != nullptr;
}

std::uint32_t FakePlatform::windowProcessId(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w ? w->processId : 0;
}

std::string FakePlatform::windowProgramFile(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w ? w->programFile : std::string();
}

bool FakePlatform::windowRefusesControl(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w && w->elevated;
}

void FakePlatform::pumpPendingEvents() {
    calls.push_back("pump");
    if (onPumpPendingEvents) onPumpPendingEvents();
}

double FakePlatform::randomFraction() {
    if (randoms.empty()) return 0.0;
    const double value = randoms.front();
    randoms.pop_front();
    return value;
}

bool FakePlatform::pressDesktopSwitchKeys(int steps) {
    calls.push_back("desktop keys " + std::string(steps > 0 ? "+" : "") + std::to_string(steps));
    return true;
}

bool FakePlatform::pressNewDesktopKeys() {
    calls.push_back("new desktop keys");
    return true;
}

bool FakePlatform::writeShortcut(const std::string& shortcutPath, const std::string& target) {
    calls.push_back("shortcut " + shortcutPath + " -> " + target);
    if (failShortcuts || !fs::is_directory(hostPath(shortcutPath).parent_path())) return false;
    std::ofstream(hostPath(shortcutPath), std::ios::binary) << "shortcut to " << target;
    return true;
}

void FakePlatform::setBusyPointer(bool busy) {
    calls.push_back(busy ? "busy" : "pointer");
    busyDepth += busy ? 1 : -1;
}

}  // namespace koruvan::testing
