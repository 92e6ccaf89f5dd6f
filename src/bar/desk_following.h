#pragma once
// Following the system's virtual desktops: the DeskFollower's model over the system's record, and the steps
// it asks for done through the bar. While following, the system's desktops keep the windows apart: the
// program hides, minimises and moves none.

#include <optional>
#include <string>
#include <vector>

#include "bar/bar_actions.h"
#include "bar/bar_face.h"
#include "bar/bar_notices.h"
#include "bar/bar_popups.h"
#include "bar/bar_view.h"
#include "bar/desk_follower.h"
#include "bar/desk_windows.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// The system changes the wallpaper with its desktop (Windows 11), its record of the current desktop coming
// before or after: a change of the appearance is the user's once it has held this long with the system on
// the current desk's desktop and no switch between.
constexpr double kAppearanceSettleSeconds = 1.0;
// A record that cannot be watched (its key gone and not yet made again) is read this often instead.
constexpr double kUnwatchedCheckSeconds = 2.0;

class DeskFollowing {
  public:
    DeskFollowing(Platform& platform, SharedState& state, BarView& view, BarNotices& notices, BarActions& bar,
                  DeskWindowKeeper& windows);

    bool active() const { return follower_.following(); }
    // Turned on or off: on reads the system's desktops at once and ties them to the desks, and shows,
    // minimised, every window the hide option hid.
    void setActive(bool on);
    // The system's record of its virtual desktops changed, or a check it asked for came due: while following,
    // the desks follow it. While the bar is busy the change waits, and any number of them is then read once.
    void onSystemDesktopsChanged();
    // A desk chosen while following: the system's keys that lead to its desktop or make one for it.
    void chooseDesk(int desk);
    // Asks the view for the next read the follower waits for: at once for a change that waited.
    void askForCheck();
    // Explorer started again: the watches are set up anew and its desktops read again.
    void onExplorerRestarted();
    // The session ends: following stops for this run; the setting stays for the next.
    void stopForSessionEnd();

    // Whether an outside change of the appearance, as `seen` holds it, is the user's and goes into the
    // current desk. While following, only once it has settled (kAppearanceSettleSeconds); until then false,
    // and a wake is asked for.
    bool isUsersAppearance(const Desk& seen);

    // The named desks in the bar's order (see DeskFollower::viewOrder).
    std::vector<int> deskOrder() const;
    // The tray menu's item that turns following on and off.
    std::vector<TrayToggle> trayToggles() const;
    // The item chosen: following turned over and the setting written.
    void onTrayToggle(StoreReport& report);

  private:
    // An outside appearance seen while following, until it settles.
    struct AppearanceSeen {
        std::string look;
        std::string desktop;
        double at = 0;
        int switches = 0;
    };

    void doAction(const FollowAction& action, StoreReport& report, std::vector<int>& lost);
    void makeDesk(const FollowAction& action, StoreReport& report);
    void deleteDesk(int desk, StoreReport& report);
    void tellUntied(const std::vector<int>& desks);

    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    BarNotices& notices_;
    BarActions& bar_;
    DeskWindowKeeper& windows_;
    DeskFollower follower_;
    bool pending_ = false;  // a change of the system's desktops waits for the bar
    int switches_ = 0;      // followed switches so far
    std::optional<AppearanceSeen> appearanceSeen_;
};

}  // namespace koruvan
