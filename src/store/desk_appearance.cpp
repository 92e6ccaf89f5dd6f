#include "store/desk_appearance.h"

#include "core/text.h"
#include "store/appearance.h"

namespace koruvan {

void takeScreenAppearance(Platform& platform, Desk& desk) {
    desk.wallpaper = readWallpaper(platform);
    desk.pattern = readPattern(platform);
    desk.background = readBackgroundColor(platform);
    desk.style = parseWallpaperStyle(readWallpaperStyle(platform));
}

bool takeOutsideAppearance(Platform& platform, Desk& desk) {
    const std::string wallpaper = deskFieldValue(readWallpaper(platform), desk.wallpaper);
    const std::string pattern = deskFieldValue(readPattern(platform), desk.pattern);
    const std::string background = deskFieldValue(readBackgroundColor(platform), desk.background);
    if (wallpaper == trimBlanks(desk.wallpaper) && pattern == trimBlanks(desk.pattern) &&
        background == trimBlanks(desk.background)) {
        return false;
    }
    desk.wallpaper = wallpaper;
    desk.pattern = pattern;
    desk.background = background;
    return true;
}

std::string deskFieldValue(const std::string& read, const std::string& kept) {
    return trimBlanks(read.find(',') == std::string::npos ? read : kept);
}

}  // namespace koruvan
