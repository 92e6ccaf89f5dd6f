#pragma once
// KORUVAN.icons beside the settings file: every desk's icon layouts, written whole and atomically, UTF-8.
// After a header line, a line "desk", key, width, height, dpi opens a layout and lines "icon", x, y,
// identity, name follow it, fields separated by tabs. A line that does not parse is skipped.

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "store/icon_layout.h"
#include "store/shared_state.h"

namespace koruvan {

std::string iconLayoutPath(const SharedState& state);

std::string formatIconLayouts(const IconLayouts& layouts);
IconLayouts parseIconLayouts(std::string_view text);
// Nothing kept when there is no file or it cannot be read.
IconLayouts readIconLayouts(FileSystem& files, const std::string& path);
[[nodiscard]] FileResult writeIconLayouts(FileSystem& files, const std::string& path,
                                          const IconLayouts& layouts);

}  // namespace koruvan
