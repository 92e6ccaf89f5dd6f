#pragma once
// The Desktop's icon view for native tests, kept as Explorer keeps it: each item of the Desktop folder at a
// place; an item that leaves the folder is forgotten, one that arrives takes the first free cell of the grid,
// column by column from the top left, and is listed only from its `lag`-th read after its arrival.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_icons.h"

namespace koruvan::testing {

class FakeIconView {
  public:
    bool running = true;  // there is a view to ask
    bool autoArrange = false;
    bool refuseMoves = false;
    IconScreen screen{1024, 768, 96};
    int lag = 0;
    // Runs once, in the next read: the events the shell's calls let run.
    std::function<void()> duringNextRead;
    static constexpr int kCellWidth = 80;
    static constexpr int kCellHeight = 96;

    // The view as it is after the folder's items `names` (files and folders) have been noticed.
    std::optional<DesktopIconView> read(const std::vector<std::string>& names);
    // Moves the listed items among `icons`; false when there is no view or it refuses.
    bool position(const std::vector<DesktopIcon>& icons);
    // The user drags an item the view knows.
    void drag(const std::string& name, IconPoint to) { icons_.at(name).at = to; }
    std::optional<IconPoint> placeOf(const std::string& name) const;

  private:
    struct Icon {
        IconPoint at;
        int unlistedReads = 0;
    };
    IconPoint firstFreeCell() const;

    std::map<std::string, Icon> icons_;  // by name as the folder spells it
};

}  // namespace koruvan::testing
