#pragma once
// The system's own virtual desktops (Windows 10 and 11) as Explorer records them in the user's registry:
// their order, the current one, and each one's name and whether the system keeps a wallpaper of its own for
// it. The system rewrites these values while it runs, so a read that does not add up is no read at all.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace koruvan {

inline constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr const char* kVirtualDesktopsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VirtualDesktops";

struct SystemDesktop {
    std::string id;    // the GUID in its text form: upper case, with braces
    std::string name;  // the user's name for it, as a desk name can carry it; empty when the user gave none
    bool keepsWallpaper = false;  // the system shows a wallpaper of its own there (Windows 11)
    friend bool operator==(const SystemDesktop&, const SystemDesktop&) = default;
};

struct SystemDesktops {
    std::vector<SystemDesktop> desktops;  // in the system's order, as Task View shows them
    std::string current;                  // the id of the current one, always one of `desktops`

    const SystemDesktop* find(std::string_view id) const;
    int indexOf(std::string_view id) const;  // -1 when absent
    friend bool operator==(const SystemDesktops&, const SystemDesktops&) = default;
};

// The ids of a run of binary GUIDs, 16 bytes each (Data1, Data2 and Data3 little-endian, then the 8 bytes of
// Data4), in their text form; nullopt when the size is not a positive multiple of 16 or an id repeats.
std::optional<std::vector<std::string>> parseDesktopIds(std::string_view bytes);
// Whether a text is a desktop id in the form parseDesktopIds gives.
bool isDesktopId(std::string_view text);
// The system's name for a desktop as a desk can carry it: controls and surrounding blanks gone, and a comma,
// which would split the desk's line in the settings file, as a full-width one.
std::string deskNameOf(std::string systemName);

// Where Windows 10 records the current desktop of logon session `session`.
std::string sessionDesktopsKey(std::uint32_t session);

// Whether the system records virtual desktops at all: false on older Windows, and under Wine as it comes.
bool systemHasVirtualDesktops(Platform& platform);
// The system's desktops now; nullopt when a value is missing or does not parse, or the current desktop is
// not in the list. The current one is Windows 11's value, else Windows 10's of this logon session, else the
// desktop that shows the program's own window.
std::optional<SystemDesktops> readSystemDesktops(Platform& platform);

}  // namespace koruvan
