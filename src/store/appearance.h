#pragma once
// The desktop's appearance: the wallpaper put into effect, and wallpaper, pattern and colour read back.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace koruvan {

inline constexpr const char* kDesktopKey = "Control Panel\\desktop";
inline constexpr const char* kColorsKey = "Control Panel\\Colors";
inline constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// One string value of a registry key: empty on any failure, and for values too long for the 1024-byte buffer.
std::string regReadString(Platform& platform, RegistryRoot root, const std::string& subKey,
                          const std::string& valueName);
// Creates or opens the key and writes the value; true when written.
bool regWriteString(Platform& platform, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& value);

// The desk's `Style` text as a style code: the number at its start, rounded half to even; 0 when none.
std::int16_t styleCode(const std::string& style);

void applyWallpaper(Platform& platform, const std::string& wallpaper, const std::string& style);
void setWallpaperStyle(Platform& platform, const std::string& path, std::int16_t code);

std::string readWallpaper(Platform& platform);
std::string readPattern(Platform& platform);
std::string readBackgroundColor(Platform& platform);
std::string readWallpaperStyle(Platform& platform);

}  // namespace koruvan
