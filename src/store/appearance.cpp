#include "store/appearance.h"

#include <algorithm>
#include <limits>

#include "core/text.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

// The value buffer holds 1024 characters; a value that leaves no room for its terminating NUL is not read.
constexpr std::size_t kRegistryBufferUnits = 1024;

struct StyleValues {
    const char* tileWallpaper;
    const char* wallpaperStyle;
};

StyleValues StyleValuesFor(std::int16_t code) {
    switch (code) {
        case 0:
            return {"0", "0"};  // centre
        case 1:
            return {"1", "0"};  // tile
        case 2:
            return {"0", "2"};  // stretch
        default:
            return {"", ""};
    }
}

std::string ReadTrimmed(Platform& platform, const char* subKey, const char* valueName) {
    return trimBlanks(RegReadString(platform, RegistryRoot::CurrentUser, subKey, valueName));
}

}  // namespace

std::string RegReadString(Platform& platform, RegistryRoot root, const std::string& subKey,
                          const std::string& valueName) {
    std::optional<std::string> value = platform.readRegistryString(root, subKey, valueName);
    if (!value || utf16Length(*value) >= kRegistryBufferUnits) return {};
    return std::move(*value);
}

bool RegWriteString(Platform& platform, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& value) {
    return platform.writeRegistryString(root, subKey, valueName, value);
}

std::int16_t StyleCode(const std::string& style) {
    // A number beyond the 16-bit range is no style code either: it saturates and so selects no style.
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    const double rounded = roundHalfEven(leadingNumber(style));
    return static_cast<std::int16_t>(std::clamp(rounded, kLowest, kHighest));
}

void ApplyWallpaper(Platform& platform, const std::string& wallpaper, const std::string& style) {
    const bool hasWallpaper = !wallpaper.empty() && wallpaper.front() != '\0';
    if (!hasWallpaper) {
        platform.setDesktopWallpaper("");
        RegWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper", "");
        return;
    }
    platform.setDesktopWallpaper(wallpaper);
    SetWallpaperStyle(platform, wallpaper, StyleCode(style));
}

void SetWallpaperStyle(Platform& platform, const std::string& path, std::int16_t code) {
    const StyleValues values = StyleValuesFor(code);
    if (platform.registryKeyExists(RegistryRoot::CurrentUser, kDesktopKey)) {
        RegWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper", path);
        RegWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "TileWallpaper",
                       values.tileWallpaper);
        RegWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "WallpaperStyle",
                       values.wallpaperStyle);
    }
    // Again after the registry writes, so that the new style takes effect.
    platform.setDesktopWallpaper(path);
}

std::string ReadWallpaper(Platform& platform) {
    std::string path = RegReadString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper");
    return RemoveBlanks(path);
}

std::string ReadPattern(Platform& platform) {
    return ReadTrimmed(platform, kDesktopKey, "Pattern");
}

std::string ReadBackgroundColor(Platform& platform) {
    return ReadTrimmed(platform, kColorsKey, "Background");
}

std::string ReadWallpaperStyle(Platform& platform) {
    return ReadTrimmed(platform, kDesktopKey, "WallPaperStyle");
}

}  // namespace koruvan
