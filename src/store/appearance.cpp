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

StyleValues styleValuesFor(std::int16_t code) {
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

std::string readTrimmed(Platform& platform, const char* subKey, const char* valueName) {
    return trimBlanks(regReadString(platform, RegistryRoot::CurrentUser, subKey, valueName));
}

}  // namespace

std::string regReadString(Platform& platform, RegistryRoot root, const std::string& subKey,
                          const std::string& valueName) {
    std::optional<std::string> value = platform.readRegistryString(root, subKey, valueName);
    if (!value || utf16Length(*value) >= kRegistryBufferUnits) return {};
    return std::move(*value);
}

bool regWriteString(Platform& platform, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& value) {
    return platform.writeRegistryString(root, subKey, valueName, value);
}

std::int16_t styleCode(const std::string& style) {
    // A number beyond the 16-bit range is no style code either: it saturates and so selects no style.
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    const double rounded = roundHalfEven(leadingNumber(style));
    return static_cast<std::int16_t>(std::clamp(rounded, kLowest, kHighest));
}

void applyWallpaper(Platform& platform, const std::string& wallpaper, const std::string& style) {
    const bool hasWallpaper = !wallpaper.empty() && wallpaper.front() != '\0';
    if (!hasWallpaper) {
        platform.setDesktopWallpaper("");
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper", "");
        return;
    }
    platform.setDesktopWallpaper(wallpaper);
    setWallpaperStyle(platform, wallpaper, styleCode(style));
}

void setWallpaperStyle(Platform& platform, const std::string& path, std::int16_t code) {
    const StyleValues values = styleValuesFor(code);
    if (platform.registryKeyExists(RegistryRoot::CurrentUser, kDesktopKey)) {
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper", path);
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "TileWallpaper",
                       values.tileWallpaper);
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "WallpaperStyle",
                       values.wallpaperStyle);
    }
    // Again after the registry writes, so that the new style takes effect.
    platform.setDesktopWallpaper(path);
}

std::string readWallpaper(Platform& platform) {
    std::string path = regReadString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper");
    return removeBlanks(path);
}

std::string readPattern(Platform& platform) {
    return readTrimmed(platform, kDesktopKey, "Pattern");
}

std::string readBackgroundColor(Platform& platform) {
    return readTrimmed(platform, kColorsKey, "Background");
}

std::string readWallpaperStyle(Platform& platform) {
    return readTrimmed(platform, kDesktopKey, "WallPaperStyle");
}

}  // namespace koruvan
