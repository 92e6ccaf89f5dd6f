#pragma once
// Desks as the tests state them: the five fields of their desk line, the style as the line writes it.

#include <array>
#include <string>

#include "store/appearance.h"
#include "store/shared_state.h"

namespace koruvan::testing {

using DeskFields = std::array<std::string, 5>;

inline Desk makeDesk(std::string name, std::string wallpaper, std::string pattern, std::string background,
                     const std::string& style) {
    return {std::move(name), std::move(wallpaper), std::move(pattern), std::move(background),
            parseWallpaperStyle(style)};
}

inline DeskFields fieldsOf(const Desk& desk) {
    return {desk.name, desk.wallpaper, desk.pattern, desk.background, wallpaperStyleText(desk.style)};
}

}  // namespace koruvan::testing
