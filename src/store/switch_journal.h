#pragma once
// The journal of a desk switch: a small file beside the settings file that says which switch is moving files
// and how far it has come, so that a start after a crash can finish it. Written whole and atomically at each
// step, removed once LastUse names the new desk.

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/item_record.h"
#include "store/shared_state.h"

namespace koruvan {

// The steps of a switch's file work, in order. The steps that move items are recorded before they start.
enum class SwitchPhase : int {
    Clearing =
        1,        // written by earlier versions; finished as Storing (clearing needs no record: see swapDesk)
    Storing = 2,  // the Desktop's items are moving into their desks' folders
    Placing = 3,  // the new desk's items are being placed on the Desktop
    Placed = 4,   // the files are done; LastUse is still to be written (recorded by earlier versions)
};

struct SwitchJournal {
    int oldDesk = 0;
    int newDesk = 0;
    SwitchPhase phase = SwitchPhase::Storing;
    // The token of the switch's temporary files: a start after a crash clears these, and no other file.
    std::string token;
    // With Placing: the files storing left on the Desktop and whose they are. Every other Desktop file is
    // then one that placing put there.
    std::vector<DesktopEntry> leftBehind;
    friend bool operator==(const SwitchJournal&, const SwitchJournal&) = default;
};

std::string switchJournalPath(const SharedState& state);

FileResult writeSwitchJournal(Platform& platform, const SharedState& state, const SwitchJournal& journal);

// The journal of an unfinished switch; nullopt when there is none, or when it names no switch between two
// desks (unreadable, damaged, desks out of range or equal, an unknown step).
std::optional<SwitchJournal> readSwitchJournal(Platform& platform, const SharedState& state);

[[nodiscard]] bool clearSwitchJournal(Platform& platform, const SharedState& state);

// Renames a journal that must not be acted on to a name no start reads; the new name, or empty when it
// could not be renamed (it is then deleted, since acting on it would be worse).
std::string setSwitchJournalAside(Platform& platform, const SharedState& state);

}  // namespace koruvan
