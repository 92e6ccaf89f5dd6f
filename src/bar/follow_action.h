#pragma once
// What following the system's virtual desktops asks of the bar: plain steps, done in the order given.

#include <string>

#include "store/shared_state.h"

namespace koruvan {

enum class FollowStep {
    TieDesk,     // `desk` follows the system's desktop `desktop`
    UntieDesk,   // `desk` follows no desktop any more
    MakeDesk,    // a new desk in the free slot `desk`, named `name`, tied to `desktop`, with no items
    DeleteDesk,  // `desk` goes as the desk menu's delete takes it: its items into the pool; the user is told
    UntieLostDesk,  // `desk`'s desktop went with others in one read, which no user does: the desk stays,
                    // untied; the user is told once for all of them
    RenameDesk,     // `desk` takes the name `name`
    FollowSwitch,  // the Desktop's items become `desk`'s; the windows stay the system's; the desk's wallpaper
                   // only with `setWallpaper`
    PressKeys,     // the system's keys for the next desktop once (`presses` 1) or the previous one (-1)
    MakeDesktop,   // the system's keys that make a desktop and go to it, for `desk` to be tied to
};

struct FollowAction {
    FollowStep step = FollowStep::TieDesk;
    int desk = -1;
    std::string desktop;
    std::string name;
    int presses = 0;
    bool setWallpaper = false;
    friend bool operator==(const FollowAction&, const FollowAction&) = default;

    static FollowAction tieDesk(int desk, std::string desktop);
    static FollowAction untieDesk(int desk);
    static FollowAction makeDesk(int desk, std::string name, std::string desktop);
    static FollowAction deleteDesk(int desk);
    static FollowAction renameDesk(int desk, std::string name);
    static FollowAction followSwitch(int desk, bool setWallpaper);
    static FollowAction pressKeys(int presses);
    static FollowAction makeDesktop(int desk);
    static FollowAction untieLostDesk(int desk);
};

// What an action changes in the desk table and the ties: names and ties only. The rest is the bar's: the
// settings file, the desk's appearance, the pool, the switch, the keys.
void applyToDesks(const FollowAction& action, DeskTable& desks, DeskTies& ties);

}  // namespace koruvan
