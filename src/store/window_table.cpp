#include "store/window_table.h"

#include <algorithm>
#include <string_view>

#include "core/text.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

constexpr std::string_view kOwnDisplayName = "コルヴァン";
// Coordinates from here on are off any screen the bar was made for.
constexpr std::int32_t kFarEdge = 3000;

bool isExcludedUnownedClass(const std::string& upperClass) {
    return upperClass == "THUNDERRTMAIN" || upperClass == "THUNDERFORM" || upperClass == "INDICATOR" ||
           upperClass == "SHELL_TRAYWND" || upperClass == "PROGMAN";
}

std::string cleaned(std::string text) {
    blankNonPrinting(text);
    return text;
}

// The application windows a desk keeps: not the shell's own windows, not system classes ("#32770" dialogs and
// the like), not this program's windows, and only windows with an area that begins on the screen.
bool isCapturedWindow(const WindowEntry& entry) {
    const std::string upperClass = toUpperAscii(entry.className);
    if (entry.owner != 0) {
        if (upperClass != "THUNDERFORM") return false;
    } else if (isExcludedUnownedClass(upperClass)) {
        return false;
    }
    if (entry.className.starts_with('#')) return false;
    if (entry.title.find(kOwnDisplayName) != std::string::npos) return false;
    if (upperClass == "THUNDERMAIN") return true;
    const ScreenRect& r = entry.rect;
    return r.left != r.right && r.top != r.bottom && r.left < kFarEdge && r.top < kFarEdge;
}

}  // namespace

std::optional<WindowEntry> capturedEntry(const TopLevelWindow& window) {
    if (!window.visible || window.hasParent) return std::nullopt;
    WindowEntry entry{window.window, window.owner, cleaned(window.title), cleaned(window.className),
                      window.rect,   window.zoomed};
    if (!isCapturedWindow(entry)) return std::nullopt;
    return entry;
}

DeskWindows captureDeskWindows(const std::vector<TopLevelWindow>& windows) {
    DeskWindows desk;
    for (const TopLevelWindow& window : windows) {
        if (desk.size() == kMaxCapturedWindows) break;
        // A minimised window is parked off the desk's area (Windows 95 put it at 3000,3000, which the size
        // test drops; later systems put it at -32000 or at the screen's edge): it belongs to no desk.
        if (window.iconic) continue;
        if (std::optional<WindowEntry> entry = capturedEntry(window)) desk.push_back(std::move(*entry));
    }
    return desk;
}

std::size_t captureWindows(WindowSystem& windows, SharedState& state) {
    if (!isDeskIndex(state.currentDesk)) return 0;
    DeskWindows& desk = state.windowTable[static_cast<std::size_t>(state.currentDesk)];
    desk = captureDeskWindows(windows.listTopLevelWindows());
    return desk.size();
}

std::optional<WindowEntry> deskWindowEntry(WindowSystem& windows, WindowHandle window) {
    TopLevelWindow listed;
    listed.window = window;
    listed.visible = windows.isWindowVisible(window);
    listed.hasParent = windows.parentWindow(window) != 0;
    listed.owner = windows.ownerWindow(window);
    listed.title = windows.windowTitle(window);
    listed.className = windows.windowClassName(window);
    listed.rect = windows.windowRect(window);
    std::optional<WindowEntry> entry = capturedEntry(listed);
    if (entry) entry->zoomed = windows.isWindowZoomed(window);
    return entry;
}

void removeDeskWindow(DeskWindows& entries, WindowHandle window) {
    std::erase_if(entries, [&](const WindowEntry& entry) { return entry.window == window; });
}

}  // namespace koruvan
