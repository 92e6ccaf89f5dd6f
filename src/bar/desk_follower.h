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
// The system animates each switch the keys ask for; past this much time per key the desktop they aimed at is
// no longer waited for.
constexpr double kSecondsPerKeySwitch = 1.0;

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
    // A click, hotkey or tray choice of a desk: the system's keys for a desk whose desktop is there, else the
    // switch of today.
    std::vector<FollowAction> chooseDesk(int desk, const SharedState& state);
    // Seconds until update must run again though the registry stays as it is: a removal to confirm, or keys
    // whose desktop has not come; nullopt when nothing waits. Asked after each update and chooseDesk.
    std::optional<double> secondsUntilCheck() const;

    // The named desks in the bar's order: while following, the tied ones in the system's order, then the
    // others in slot order; else all in slot order. The hotkeys count along it.
    std::vector<int> viewOrder(const DeskTable& desks, const DeskTies& ties) const;

  private:
    struct Plan;
    struct Awaited {
        std::string desktop;
        double deadline = 0;
    };
    void tieAll(const SystemDesktops& read, Plan& plan) const;
    void noteRemovals(const SystemDesktops& read, Plan& plan);
    void tieNewDesktops(const SystemDesktops& read, Plan& plan) const;
    void followRenames(const SystemDesktops& read, Plan& plan) const;
    void followCurrent(const SystemDesktops& read, Plan& plan);

    std::function<double()> clock_;
    bool following_ = false;
    std::optional<SystemDesktops> known_;         // the last read that was acted on
    std::string followed_;                        // the current desktop last followed
    std::map<std::string, double> missingSince_;  // tied desktops gone from the list, since when
    std::optional<Awaited> awaited_;              // where the keys last pressed lead
};

}  // namespace koruvan
