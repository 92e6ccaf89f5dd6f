#pragma once
// One captured application window, and each desk's list of them. Memory only.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/window_system.h"
#include "store/desk_index.h"

namespace koruvan {

struct WindowEntry {
    WindowHandle window = 0;
    WindowHandle owner = 0;
    std::string title;
    std::string className;
    ScreenRect rect;
    bool zoomed = false;  // maximised: it comes back maximised
    friend bool operator==(const WindowEntry&, const WindowEntry&) = default;
};

// A desk keeps at most this many windows; the ones behind them stay where they are.
constexpr std::size_t kMaxCapturedWindows = 100;
// A desk's windows, front to back as they stood when the desk was left.
using DeskWindows = std::vector<WindowEntry>;
using WindowTable = std::array<DeskWindows, kDeskCount>;

}  // namespace koruvan
