#pragma once
// The Desktop's icon view as the core sees it: which items it lists, where each stands, and the screen it
// lays them out on.

#include <compare>
#include <string>
#include <vector>

namespace koruvan {

// A place in the view, in its pixels from its top left corner.
struct IconPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const IconPoint&, const IconPoint&) = default;
};

// The screen a view lays its icons out on: every monitor together, and the dots per inch. A layout fits only
// the screen it was made on.
struct IconScreen {
    int width = 0;
    int height = 0;
    int dpi = 0;
    friend auto operator<=>(const IconScreen&, const IconScreen&) = default;
};

// An item the view lists, by its name in the Desktop folder ("report.doc"), and where it stands.
struct DesktopIcon {
    std::string name;
    IconPoint at;
    friend bool operator==(const DesktopIcon&, const DesktopIcon&) = default;
};

struct DesktopIconView {
    IconScreen screen;
    // The view arranges its items itself: their places are its own, and no item can be put anywhere.
    bool autoArrange = false;
    // Empty while it arranges them.
    std::vector<DesktopIcon> icons;
};

}  // namespace koruvan
