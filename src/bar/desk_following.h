#pragma once
// Following the system's virtual desktops: the DeskFollower's model over the system's record, and the steps
// it asks for done through the bar.

#include <optional>
#include <vector>

#include "bar/bar_actions.h"
#include "bar/bar_face.h"
#include "bar/bar_popups.h"
#include "bar/bar_view.h"
#include "bar/desk_follower.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

class DeskFollowing {
  public:
    DeskFollowing(Platform& platform, SharedState& state, BarView& view, BarActions& bar);

    bool active() const { return follower_.following(); }
    // Turned on or off: on reads the system's desktops at once and ties them to the desks.
    void setActive(bool on);
    // The system's record of its virtual desktops changed, or a check it asked for came due: while following,
    // the desks follow it. While the bar is busy the change waits, and any number of them is then read once.
    void onSystemDesktopsChanged();
    // A desk chosen while following: the system's keys for a tied desk, else the switch.
    void chooseDesk(int desk);
    // Asks the view for the next read the follower waits for: at once for a change that waited.
    void askForCheck();

    // The named desks in the bar's order (see DeskFollower::viewOrder).
    std::vector<int> deskOrder() const;
    // The tray menu's item that turns following on and off.
    std::vector<TrayToggle> trayToggles() const;
    // The item chosen: following turned over and the setting written.
    void onTrayToggle(StoreReport& report);

  private:
    void doAction(const FollowAction& action, StoreReport& report);
    void makeDesk(const FollowAction& action, StoreReport& report);

    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    BarActions& bar_;
    DeskFollower follower_;
    bool pending_ = false;  // a change of the system's desktops waits for the bar
};

}  // namespace koruvan
