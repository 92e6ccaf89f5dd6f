#pragma once
// Rearranging which items a desk carries, as the organiser's Set does: without losing an item, without a pool
// file ever leaving the pool, and changing nothing at all when the pool's copies cannot be made.

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

// The names of a desk's items as the user sees them: the desk's own files on the Desktop for the desk on
// screen (not files another desk left there), else the files of its folder.
std::vector<std::string> deskItemNames(Platform& platform, const SharedState& state, int desk);

// A shortcut written aside, to go into the desk as `name` + ".lnk".
struct AsideShortcut {
    std::string path;
    std::string name;
};

struct ArrangeResult {
    bool changed = false;                   // false: a refusal, and nothing was changed
    std::optional<ItemProblem> refusal;     // the pool item that could not be copied, and why
    std::optional<FileError> shortcutLost;  // the shortcut written aside could not take its place
};

// Makes the desk carry exactly `wanted` (names from deskItemNames, or of pool files). First every wanted pool
// file the desk lacks is copied, whole, into the desk's folder under a temporary name: when one cannot be,
// nothing changes, the copies made go, and the refusal names the item and why. Then the items no longer
// wanted go to the pool (its own copies are never replaced by another desk's), the items kept refresh their
// copies in the pool, the new items and the shortcut take their names, and for the desk on screen the Desktop
// follows. Writes the record; adds to `report` what could not be placed on the Desktop.
ArrangeResult arrangeDesk(Platform& platform, SharedState& state, int desk,
                          const std::vector<std::string>& wanted,
                          const std::optional<AsideShortcut>& shortcut, StoreReport& report);

}  // namespace koruvan
