#include "store/window_table.h"

#include <algorithm>
#include <string_view>

#include "core/text.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

constexpr std::string_view kOwnDisplayName = "コルヴァン";

// The shell's own windows (the taskbars, the desktop behind the icons, its hidden app frames) and the
// run-time's hidden main windows, by class in capitals.
bool isExcludedUnownedClass(const std::string& upperClass) {
    for (const char* excluded :
         {"THUNDERRTMAIN", "THUNDERFORM", "INDICATOR", "SHELL_TRAYWND", "SHELL_SECONDARYTRAYWND", "PROGMAN",
          "WORKERW", "WINDOWS.UI.CORE.COREWINDOW"}) {
        if (upperClass == excluded) return true;
    }
    return false;
}

// On the screen: some of it lies on a monitor. A minimised window parked at -32000 lies on none.
bool isOnScreen(const ScreenRect& r, const ScreenRect& screen) {
    if (screen.left >= screen.right || screen.top >= screen.bottom) return true;
    return r.left < screen.right && r.right > screen.left && r.top < screen.bottom && r.bottom > screen.top;
}

std::string cleaned(std::string text) {
    blankNonPrinting(text);
    return text;
}

// The application windows a desk keeps: not the shell's own windows, not system classes ("#32770" dialogs and
// the like), not this program's windows, and only windows with an area on the screen.
bool isCapturedWindow(const WindowEntry& entry, const ScreenRect& screen) {
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
    return r.left != r.right && r.top != r.bottom && isOnScreen(r, screen);
}

}  // namespace

std::optional<WindowEntry> capturedEntry(const TopLevelWindow& window, const ScreenRect& screen) {
    // Cloaked: on another of the system's desktops, whose windows the system keeps apart itself.
    if (!window.visible || window.hasParent || window.cloaked || window.toolWindow) return std::nullopt;
    WindowEntry entry{window.window, window.owner, cleaned(window.title), cleaned(window.className),
                      window.rect,   window.zoomed};
    if (!isCapturedWindow(entry, screen)) return std::nullopt;
    return entry;
}

DeskWindows captureDeskWindows(const std::vector<TopLevelWindow>& windows, const ScreenRect& screen) {
    DeskWindows desk;
    for (const TopLevelWindow& window : windows) {
        if (desk.size() == kMaxCapturedWindows) break;
        // A minimised window is parked off the desk's area (Windows 95 put it at 3000,3000, which the size
        // test drops; later systems put it at -32000 or at the screen's edge): it belongs to no desk.
        if (window.iconic) continue;
        if (std::optional<WindowEntry> entry = capturedEntry(window, screen))
            desk.push_back(std::move(*entry));
    }
    return desk;
}

std::size_t captureWindows(WindowSystem& windows, SharedState& state) {
    if (!isDeskIndex(state.currentDesk)) return 0;
    DeskWindows& desk = state.windowTable[static_cast<std::size_t>(state.currentDesk)];
    desk = captureDeskWindows(windows.listTopLevelWindows(), windows.virtualScreen());
    return desk.size();
}

std::optional<WindowEntry> deskWindowEntry(WindowSystem& windows, WindowHandle window) {
    return capturedEntry(windows.describeWindow(window), windows.virtualScreen());
}

void removeDeskWindow(DeskWindows& entries, WindowHandle window) {
    std::erase_if(entries, [&](const WindowEntry& entry) { return entry.window == window; });
}

}  // namespace koruvan
