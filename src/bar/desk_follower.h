#pragma once
// Following the system's virtual desktops: which desk each desktop is tied to, what a change of the system's
// desktops asks of the bar, what a click on a desk asks, and the bar's order of desks. A model over plain
// values: it reads no registry and changes no state; the bar reads the system (readSystemDesktops), does the
// steps it is given, and changes the desks with applyToDesks.
//
// The bar calls update only while no switch runs: changes that come during a switch wait for its end and are
// then read once, so a burst of system switches ends in one switch to the last desktop.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bar/follow_action.h"
#include "store/shared_state.h"
#include "store/system_desktops.h"

namespace koruvan {

// A desktop gone from the system's list comes back within this when the system merely rewrote the list.
constexpr double kRemovalGraceSeconds = 5.0;
// The system animates each switch its keys ask for: the next key waits until the record shows the last one
// arrived, and no longer than this. Past it the system is taken to have stopped where it is (an elevated
// window in front takes no keys), and no more keys go.
constexpr double kSecondsPerKeySwitch = 1.0;
// The keys that make a desktop were pressed for a desk: a desktop new within this much time is tied to it.
constexpr double kSecondsForNewDesktop = 5.0;

class DeskFollower {
  public:
    // `clock`: monotonic seconds.
    explicit DeskFollower(std::function<double()> clock) : clock_(std::move(clock)) {}

    // Following starts (turned on, or at a start with it on): the next read ties the system's desktops to the
    // desks. Stopping forgets what was read; the ties stay.
    void start();
    void stop();
    bool following() const { return following_; }

    // A fresh read of the system's desktops, after the registry changed or when secondsUntilCheck came due.
    // Nothing read (nullopt) changes nothing.
    std::vector<FollowAction> update(const std::optional<SystemDesktops>& read, const SharedState& state);
    // A click, hotkey, tray choice or "開く" of a desk while following: the system's keys that lead to its
    // desktop, one at a time; for a desk with no desktop the keys that make one, to be tied to it. Nothing
    // read yet, or its desktop gone a moment: the Desktop's items only. Never a switch of windows.
    std::vector<FollowAction> chooseDesk(int desk, const SharedState& state);
    // Seconds until update must run again though the registry stays as it is: a removal to confirm, or a key
    // whose desktop has not come; nullopt when nothing waits. Asked after each update and chooseDesk.
    std::optional<double> secondsUntilCheck() const;

    // The named desks in the bar's order: while following, the tied ones in the system's order, then the
    // others in slot order; else all in slot order. The hotkeys count along it.
    std::vector<int> viewOrder(const DeskTable& desks, const DeskTies& ties) const;

  private:
    struct Plan;
    struct Missing {
        double since = 0;
        bool withOthers = false;  // gone in the same read as another tied desktop
    };
    // The key last pressed: where it leads, on the way from `from` to `target`.
    struct KeyOnTheWay {
        std::string target;
        std::string step;
        std::string from;
        double deadline = 0;
    };
    struct NewDesktopFor {
        int desk = -1;
        double deadline = 0;
    };
    void tieAll(const SystemDesktops& read, Plan& plan) const;
    // False while desktops that went with others may still come back: the list may be half rewritten.
    bool noteRemovals(const SystemDesktops& read, Plan& plan);
    void tieNewDesktops(const SystemDesktops& read, Plan& plan);
    void followRenames(const SystemDesktops& read, Plan& plan) const;
    void followCurrent(const SystemDesktops& read, Plan& plan);
    // True while the keys are on their way: the desktops they pass are not followed.
    bool keysOnTheWay(const SystemDesktops& read, Plan& plan);
    // The key that goes one desktop from `from` towards `target`, both in `read`.
    FollowAction pressTowards(const SystemDesktops& read, const std::string& target, const std::string& from);

    std::function<double()> clock_;
    bool following_ = false;
    std::optional<SystemDesktops> known_;      // the last read that was acted on
    std::string followed_;                     // the current desktop last followed
    std::map<std::string, Missing> missing_;   // tied desktops gone from the list
    std::optional<KeyOnTheWay> key_;           // until it arrives
    std::optional<NewDesktopFor> newDesktop_;  // the keys that make a desktop, pressed for a desk
};

}  // namespace koruvan
