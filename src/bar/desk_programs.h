#pragma once
// Programs that know their desk: a new window of a program with a rule goes to the rule's desk the moment it
// appears, and after a restart a window finds the desk it had when the program last ended, as the move keys
// move a window (minimised, or hidden with the option). Nothing moves while the system's own desktops keep
// the windows apart (following), and no window is watched while no rule and no remembered window waits.

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bar/bar_notices.h"
#include "bar/bar_popups.h"
#include "bar/bar_view.h"
#include "bar/desk_windows.h"
#include "platform/platform.h"
#include "store/program_desks.h"
#include "store/shared_state.h"

namespace koruvan {

// A window created may be shown a moment later: it is looked at again this often, for this long.
constexpr double kNewWindowCheckSeconds = 0.1;
constexpr double kNewWindowPatienceSeconds = 2.0;
// Windows decided on are kept by handle; past this many, those gone are let go.
constexpr std::size_t kDecidedKept = 256;

class DeskPrograms {
  public:
    DeskPrograms(Platform& platform, SharedState& state, BarView& view, BarNotices& notices,
                 DeskWindowKeeper& windows);

    // At the start: the windows the last run remembered, and those open now sent to their desks.
    void start();
    // A top-level window of another program was made or shown. While the bar is `busy` (a switch, a menu)
    // windows only wait, to be placed once it is done.
    void onWindowAppeared(WindowHandle window, bool busy);
    // The windows waiting are looked at again.
    void onCheckDue(bool busy);
    // At the end of the program (the first call of a run): each desk's windows, by program and title, for
    // the next start.
    void remember();
    // Following turned on or off, a rule set or dropped: the watch of new windows as it needs to be.
    void updateWatch();

    // The tray's "このプログラムを開くデスク" for the program of `window` (0 for none), along `order`.
    void fillTrayItems(TrayWindowItems& items, WindowHandle window, const std::vector<int>& order) const;
    // A desk (or "(決めない)") chosen for the program of `window`.
    void onTrayChoice(int slot, WindowHandle window, StoreReport& report);
    // A deleted desk drops its rules and remembered windows.
    void forgetDesk(DeskId desk, StoreReport& report);

  private:
    struct Waiting {
        WindowHandle window = 0;
        double since = 0;
    };
    // What a window may go by: its remembered title only, any remembered entry, or also its program's rule.
    enum class Match { SameTitle, Remembered, RememberedOrRule };
    // False when `match` is SameTitle and no remembered window had the title.
    bool place(WindowHandle window, Match match);
    bool isKnown(WindowHandle window) const;
    bool active() const { return !windows_.windowsLeftToSystem(); }

    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    BarNotices& notices_;
    DeskWindowKeeper& windows_;
    RememberedWindows remembered_;
    std::optional<std::string> startText_;  // the record as the start found it
    std::vector<Waiting> waiting_;
    std::set<WindowHandle> decided_;  // new windows are decided on once
    bool watching_ = false;
    bool ended_ = false;  // remembered for the next start: nothing moves any more
};

}  // namespace koruvan
