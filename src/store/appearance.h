#pragma once
// The desktop's appearance: the wallpaper put into effect, and wallpaper, pattern and colour read back.

#include <cstdint>
#include <optional>
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

// How a wallpaper is shown, as a desk keeps it. Other values may stand in the settings file (the system's own
// codes for fill and fit, or -1 from a desk dialog closed without a style): they select no style.
enum class WallpaperStyle : std::int16_t { Centred = 0, Tiled = 1, Stretched = 2 };

// A style text as a style code: the number at its start, rounded half to even; 0 when none.
std::int16_t styleCode(const std::string& style);
// A desk line's style text: its code, or nothing when the text does not begin with a number.
std::optional<WallpaperStyle> parseWallpaperStyle(const std::string& text);
// The style as the desk line writes it: the code in decimal, or nothing.
std::string wallpaperStyleText(std::optional<WallpaperStyle> style);

// A desk without a style shows its wallpaper centred.
void applyWallpaper(Platform& platform, const std::string& wallpaper, std::optional<WallpaperStyle> style);
void setWallpaperStyle(Platform& platform, const std::string& path, WallpaperStyle style);

std::string readWallpaper(Platform& platform);
std::string readPattern(Platform& platform);
std::string readBackgroundColor(Platform& platform);
std::string readWallpaperStyle(Platform& platform);

}  // namespace koruvan
