#pragma once
// One captured application window, and the per-desk table of them. Memory only.

#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace koruvan {

struct WindowEntry {
    WindowHandle hWnd = 0;
    WindowHandle hOwner = 0;
    std::string ShowState;  // "show" or "hide"
    std::string Title;
    std::string ClassName;  // empty ends a desk's list
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::int16_t Zoomed = 0;
};

constexpr int kMaxCapturedWindows = 100;
// Entries 0..100 per desk: at most 100 windows and their terminator.
using DeskWindows = std::array<WindowEntry, kMaxCapturedWindows + 1>;
using WindowTable = std::array<DeskWindows, 10>;

}  // namespace koruvan
