#include "store/system_desktops.h"

#include <algorithm>

#include "store/text_cleaning.h"

namespace koruvan {
namespace {

constexpr std::size_t kIdBytes = 16;
constexpr const char* kIdsValue = "VirtualDesktopIDs";
constexpr const char* kCurrentValue = "CurrentVirtualDesktop";
// "{" 8 "-" 4 "-" 4 "-" 4 "-" 12 "}"
constexpr std::string_view kIdPattern = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";

void appendHex(std::string& text, unsigned char byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
}

// Data1, Data2 and Data3 are stored little-endian, the eight bytes of Data4 in order.
std::string idText(std::string_view guid) {
    constexpr int kOrder[kIdBytes] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    std::string text = "{";
    for (std::size_t k = 0; k < kIdBytes; ++k) {
        if (k == 4 || k == 6 || k == 8 || k == 10) text += '-';
        appendHex(text, static_cast<unsigned char>(guid[static_cast<std::size_t>(kOrder[k])]));
    }
    return text + "}";
}

// Windows 11 keeps it under the main key, Windows 10 under the logon session's.
std::optional<std::string> currentDesktopBytes(Platform& platform) {
    if (auto bytes =
            platform.shell.readRegistryBinary(RegistryRoot::CurrentUser, kVirtualDesktopsKey, kCurrentValue))
        return bytes;
    const std::optional<std::uint32_t> session = platform.session.sessionId();
    if (session) {
        if (auto bytes = platform.shell.readRegistryBinary(RegistryRoot::CurrentUser,
                                                           sessionDesktopsKey(*session), kCurrentValue))
            return bytes;
    }
    return std::nullopt;
}

// Windows 10 writes the session's value only at its first switch: until then the desktop that shows the
// program's window, or the one in front, is the current one.
std::optional<std::string> currentDesktopOfWindows(Platform& platform, const std::vector<std::string>& ids) {
    for (const std::string& bytes : platform.shell.windowDesktops()) {
        if (bytes.size() == kIdBytes && std::find(ids.begin(), ids.end(), idText(bytes)) != ids.end())
            return bytes;
    }
    return std::nullopt;
}

SystemDesktop describe(Platform& platform, std::string id) {
    const std::string key = std::string(kVirtualDesktopsKey) + "\\Desktops\\" + id;
    SystemDesktop desktop;
    desktop.name =
        deskNameOf(platform.shell.readRegistryString(RegistryRoot::CurrentUser, key, "Name").value_or(""));
    desktop.keepsWallpaper =
        platform.shell.readRegistryString(RegistryRoot::CurrentUser, key, "Wallpaper").has_value();
    desktop.id = std::move(id);
    return desktop;
}

}  // namespace

const SystemDesktop* SystemDesktops::find(std::string_view id) const {
    const auto found = std::find_if(desktops.begin(), desktops.end(),
                                    [&](const SystemDesktop& desktop) { return desktop.id == id; });
    return found == desktops.end() ? nullptr : &*found;
}

int SystemDesktops::indexOf(std::string_view id) const {
    const SystemDesktop* desktop = find(id);
    return desktop ? static_cast<int>(desktop - desktops.data()) : -1;
}

std::optional<std::vector<std::string>> parseDesktopIds(std::string_view bytes) {
    if (bytes.empty() || bytes.size() % kIdBytes != 0) return std::nullopt;
    std::vector<std::string> ids;
    for (std::size_t at = 0; at < bytes.size(); at += kIdBytes) {
        std::string id = idText(bytes.substr(at, kIdBytes));
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) return std::nullopt;
        ids.push_back(std::move(id));
    }
    return ids;
}

bool isDesktopId(std::string_view text) {
    if (text.size() != kIdPattern.size()) return false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        if (kIdPattern[k] == 'x' ? !hex : c != kIdPattern[k]) return false;
    }
    return true;
}

std::string deskNameOf(std::string systemName) {
    blankNonPrinting(systemName);
    removeBlanks(systemName);
    std::string name;
    for (const char c : systemName) {
        if (c == ',') {
            name += "，";
        } else {
            name += c;
        }
    }
    return name;
}

std::string sessionDesktopsKey(std::uint32_t session) {
    return std::string(kExplorerKey) + "\\SessionInfo\\" + std::to_string(session) + "\\VirtualDesktops";
}

bool systemHasVirtualDesktops(Platform& platform) {
    return platform.shell.readRegistryBinary(RegistryRoot::CurrentUser, kVirtualDesktopsKey, kIdsValue)
        .has_value();
}

std::optional<SystemDesktops> readSystemDesktops(Platform& platform) {
    const auto list =
        platform.shell.readRegistryBinary(RegistryRoot::CurrentUser, kVirtualDesktopsKey, kIdsValue);
    std::optional<std::vector<std::string>> ids = list ? parseDesktopIds(*list) : std::nullopt;
    if (!ids) return std::nullopt;
    std::optional<std::string> current = currentDesktopBytes(platform);
    if (!current) current = currentDesktopOfWindows(platform, *ids);
    if (!current || current->size() != kIdBytes) return std::nullopt;
    SystemDesktops read;
    read.current = idText(*current);
    if (std::find(ids->begin(), ids->end(), read.current) == ids->end()) return std::nullopt;
    for (std::string& id : *ids)
        read.desktops.push_back(describe(platform, std::move(id)));
    return read;
}

}  // namespace koruvan
