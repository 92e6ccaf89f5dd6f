#include "store/appearance.h"

#include <algorithm>
#include <cctype>
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

StyleValues styleValuesFor(WallpaperStyle style) {
    switch (style) {
        case WallpaperStyle::Centred:
            return {"0", "0"};
        case WallpaperStyle::Tiled:
            return {"1", "0"};
        case WallpaperStyle::Stretched:
            return {"0", "2"};
    }
    return {"", ""};
}

std::string readTrimmed(Platform& platform, const char* subKey, const char* valueName) {
    return trimBlanks(regReadString(platform, RegistryRoot::CurrentUser, subKey, valueName));
}

}  // namespace

std::string regReadString(Platform& platform, RegistryRoot root, const std::string& subKey,
                          const std::string& valueName) {
    std::optional<std::string> value = platform.shell.readRegistryString(root, subKey, valueName);
    if (!value || utf16Length(*value) >= kRegistryBufferUnits) return {};
    return std::move(*value);
}

bool regWriteString(Platform& platform, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& value) {
    return platform.shell.writeRegistryString(root, subKey, valueName, value);
}

std::int16_t styleCode(const std::string& style) {
    // A number beyond the 16-bit range is no style code either: it saturates and so selects no style.
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    const double rounded = roundHalfEven(leadingNumber(style));
    return static_cast<std::int16_t>(std::clamp(rounded, kLowest, kHighest));
}

std::optional<WallpaperStyle> parseWallpaperStyle(const std::string& text) {
    const std::string trimmed = trimBlanks(text);
    const bool number = !trimmed.empty() && (std::isdigit(static_cast<unsigned char>(trimmed[0])) != 0 ||
                                             ((trimmed[0] == '-' || trimmed[0] == '+' || trimmed[0] == '.') &&
                                              trimmed.find_first_of("0123456789") == 1));
    if (!number) return std::nullopt;
    return static_cast<WallpaperStyle>(styleCode(trimmed));
}

std::string wallpaperStyleText(std::optional<WallpaperStyle> style) {
    return style ? std::to_string(static_cast<int>(*style)) : std::string();
}

void applyWallpaper(Platform& platform, const std::string& wallpaper, std::optional<WallpaperStyle> style) {
    const bool hasWallpaper = !wallpaper.empty() && wallpaper.front() != '\0';
    if (!hasWallpaper) {
        platform.shell.setDesktopWallpaper("");
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper", "");
        return;
    }
    platform.shell.setDesktopWallpaper(wallpaper);
    setWallpaperStyle(platform, wallpaper, style.value_or(WallpaperStyle::Centred));
}

void setWallpaperStyle(Platform& platform, const std::string& path, WallpaperStyle style) {
    const StyleValues values = styleValuesFor(style);
    if (platform.shell.registryKeyExists(RegistryRoot::CurrentUser, kDesktopKey)) {
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper", path);
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "TileWallpaper",
                       values.tileWallpaper);
        regWriteString(platform, RegistryRoot::CurrentUser, kDesktopKey, "WallpaperStyle",
                       values.wallpaperStyle);
    }
    // Again after the registry writes, so that the new style takes effect.
    platform.shell.setDesktopWallpaper(path);
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
