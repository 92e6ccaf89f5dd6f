#pragma once
// Where each desk's items stood in the Desktop's view, kept for each screen (size and dots per inch): a
// layout made on another screen is kept apart, never stretched, and used again when that screen returns. An
// item is known by its identity where it has one, else by the name its desk stores it under, so that an item
// that comes back under a numbered name, or one renamed on the Desktop, keeps its place.

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

struct PlacedItem {
    std::string name;      // its name in its desk's folder
    std::string identity;  // empty when unknown
    IconPoint at;
    friend bool operator==(const PlacedItem&, const PlacedItem&) = default;
};
using DeskIconLayout = std::vector<PlacedItem>;
// Each desk's layouts, by the desk's key (iconLayoutKey), then by screen.
using IconLayouts = std::map<std::string, std::map<IconScreen, DeskIconLayout>>;

// One of a desk's items on the Desktop.
struct LayoutItem {
    std::string desktopName;
    std::string storedName;
    std::string identity;
};

// What the layouts of the desk in a slot are kept under: its identity, which no later desk of the slot gets;
// empty for a slot without a desk (or a desk the store has not yet given one).
std::string iconLayoutKey(const SharedState& state, int desk);
// What an item is known by besides its name, as the record of items knows it: its file's identity on its
// volume, which a rename keeps and a second name (a hard link) shares; empty where the file system gives
// none.
std::string itemIdentity(const PlainFile& file);
// The Desktop files that are the desk's in slot `desk`, as the record of items tells (`desk` is the one on
// screen).
std::vector<LayoutItem> deskItemsOnDesktop(Platform& platform, const SharedState& state, int desk);

// The layout the view shows: each of the desk's items where the view lists it; one it does not list keeps its
// earlier place; an item no longer on the Desktop is forgotten.
DeskIconLayout layoutSeen(const DeskIconLayout& before, const std::vector<LayoutItem>& items,
                          const std::vector<DesktopIcon>& listed);

struct IconPutBack {
    bool waiting = false;            // an item the layout knows is not listed yet
    std::vector<DesktopIcon> moves;  // the known items away from their places, by the names the view lists
};
// What putting the layout back takes. Items it does not know stay where the view put them.
IconPutBack putBackPlan(const DeskIconLayout& layout, const std::vector<LayoutItem>& items,
                        const std::vector<DesktopIcon>& listed);

}  // namespace koruvan
