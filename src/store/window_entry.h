#pragma once
// One captured application window, and the per-desk table of them. Memory only.

#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace koruvan {

struct WindowEntry {
    WindowHandle window = 0;
    WindowHandle owner = 0;
    std::string showState;  // "show" or "hide"
    std::string title;
    std::string className;  // empty ends a desk's list
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int16_t zoomed = 0;
};

constexpr int kMaxCapturedWindows = 100;
// Entries 0..100 per desk: at most 100 windows and their terminator.
using DeskWindows = std::array<WindowEntry, kMaxCapturedWindows + 1>;
using WindowTable = std::array<DeskWindows, 10>;  // one per desk

}  // namespace koruvan
