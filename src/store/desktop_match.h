#pragma once
// Whose each plain file of the Desktop is, as the record of items tells. A file is known first by its
// identity (volume and file ID), which follows it through a rename; then by its name, which a program keeps
// when it saves by writing a new file in the old one's place; any other file is new, the desk on screen's.

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// One plain file of the Desktop, and whose it is.
struct DesktopItem {
    PlainFile file;
    DeskId desk = 0;  // a desk deleted since leaves the file to the pool
    // Its name in the desk's folder; empty when no free name is left there.
    std::string storedName;
    // The stored name before the user renamed the file on the Desktop (empty when not renamed): the
    // desk's folder still holds the item under it.
    std::string renamedFrom;
    bool isNew = false;  // the record does not know it: made since, the desk on screen's
};

struct DesktopMatch {
    std::vector<DesktopItem> items;
    // Recorded files that are no longer on the Desktop: the user removed them.
    std::vector<DesktopEntry> gone;
};

// Matches the Desktop's files to the record. A renamed file keeps its desk and is stored under its new name;
// a new file of `current` is stored under its own name, or, where that desk's folder already holds another
// item of that name, under the first free numbered one, so that it never replaces an item. Without a record
// (a store kept by an earlier version) every file is `current`'s under its own name.
DesktopMatch matchDesktop(Platform& platform, const SharedState& state, DeskId current,
                          const std::vector<PlainFile>& files);
// The same for the Desktop as it is listed now (a Desktop that cannot be listed holds nothing).
DesktopMatch matchDesktop(Platform& platform, const SharedState& state, DeskId current);

// Gives the stored copies of the items the user renamed on the Desktop their new names, so that each desk's
// folder names its items as the Desktop does; an item whose copy cannot be renamed keeps its stored name.
void followRenames(Platform& platform, const SharedState& state, DesktopMatch& match);

// The record's entry for a Desktop item, with the file's identity.
DesktopEntry entryFor(const DesktopItem& item);
// Makes the record name exactly these Desktop items.
void recordItems(SharedState& state, const std::vector<DesktopItem>& items);

}  // namespace koruvan
