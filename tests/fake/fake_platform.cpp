#include "fake/fake_platform.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace koruvan::testing {
namespace fs = std::filesystem;

namespace {
std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}  // namespace

FakePlatform::FakePlatform() {
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

fs::path FakePlatform::hostPath(const std::string& windowsPath) const {
    fs::path result = root_;
    std::string part;
    for (char c : windowsPath) {
        if (c == '\\') {
            if (!part.empty()) result /= (part.size() == 2 && part[1] == ':') ? part.substr(0, 1) : part;
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) result /= part;
    return result;
}

void FakePlatform::writeFile(const std::string& windowsPath, std::string_view content) {
    const fs::path path = hostPath(windowsPath);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string FakePlatform::fileContent(const std::string& windowsPath) const {
    std::ifstream in(hostPath(windowsPath), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool FakePlatform::exists(const std::string& windowsPath) const {
    return fs::exists(hostPath(windowsPath));
}

void FakePlatform::makeHidden(const std::string& windowsPath) {
    hidden_.insert(hostPath(windowsPath).string());
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
    registry_[lower(subKey)][lower(valueName)] = value;
}

std::optional<std::string> FakePlatform::registryValue(const std::string& subKey,
                                                       const std::string& valueName) const {
    const auto key = registry_.find(lower(subKey));
    if (key == registry_.end()) return std::nullopt;
    const auto value = key->second.find(lower(valueName));
    if (value == key->second.end()) return std::nullopt;
    return value->second;
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

bool FakePlatform::registryKeyExists(RegistryRoot, const std::string& subKey) {
    return registry_.count(lower(subKey)) != 0;
}

bool FakePlatform::writeRegistryString(RegistryRoot, const std::string& subKey, const std::string& valueName,
                                       const std::string& value) {
    calls.push_back("reg " + valueName + "=" + value);
    setRegistry(subKey, valueName, value);
    return true;
}

// --- Files ---

std::vector<std::string> FakePlatform::listPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(hostPath(folder), error)) {
        if (entry.is_regular_file() && hidden_.count(entry.path().string()) == 0) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool FakePlatform::copyFile(const std::string& from, const std::string& to) {
    calls.push_back("copy " + from + " -> " + to);
    if (failingCopies.count(from)) return false;
    std::error_code error;
    fs::copy_file(hostPath(from), hostPath(to), fs::copy_options::overwrite_existing, error);
    return !error;
}

bool FakePlatform::moveFile(const std::string& from, const std::string& to) {
    calls.push_back("move " + from + " -> " + to);
    if (failingCopies.count(from)) return false;
    std::error_code error;
    fs::rename(hostPath(from), hostPath(to), error);
    return !error;
}

bool FakePlatform::deleteFile(const std::string& path) {
    calls.push_back("delete " + path);
    if (failingDeletes.count(path)) return false;
    std::error_code error;
    return fs::remove(hostPath(path), error) && !error;
}

bool FakePlatform::makeFolder(const std::string& path) {
    calls.push_back("mkdir " + path);
    std::error_code error;
    return fs::create_directories(hostPath(path), error) && !error;
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
    std::ifstream in(hostPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool FakePlatform::replaceFileBytes(const std::string& path, std::string_view bytes) {
    calls.push_back("write " + path);
    if (failWrites) return false;
    const fs::path target = hostPath(path);
    const fs::path aside = target.string() + ".new";
    {
        std::ofstream out(aside, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    std::error_code error;
    fs::rename(aside, target, error);
    return !error;
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

WindowHandle FakePlatform::ownerWindow(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w ? w->owner : 0;
}

WindowHandle FakePlatform::parentWindow(WindowHandle window) {
    const FakeWindow* w = find(window);
    if (!w) return 0;
    return w->childStyle ? w->parent : w->owner;
}

bool FakePlatform::isWindowVisible(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w && w->visible;
}

std::string FakePlatform::windowTitle(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w ? w->title : std::string();
}

std::string FakePlatform::windowClassName(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w ? w->className : std::string();
}

ScreenRect FakePlatform::windowRect(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w ? w->rect : ScreenRect{};
}

bool FakePlatform::isWindowZoomed(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w && w->zoomed;
}

bool FakePlatform::isWindowIconic(WindowHandle window) {
    const FakeWindow* w = find(window);
    return w && w->minimized;
}

bool FakePlatform::minimizeWindow(WindowHandle window) {
    std::ostringstream text;
    text << "minimize " << std::hex << window;
    calls.push_back(text.str());
    auto it = windows_.find(window);
    if (it == windows_.end()) return false;
    it->second.minimized = true;
    return true;
}

bool FakePlatform::showWindow(WindowHandle window, ShowCommand command) {
    std::ostringstream text;
    text << "show " << std::hex << window << " " << std::dec << static_cast<int>(command);
    calls.push_back(text.str());
    auto it = windows_.find(window);
    if (it == windows_.end()) return false;
    it->second.minimized = false;
    it->second.zoomed = command == ShowCommand::Maximized;
    return true;
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
