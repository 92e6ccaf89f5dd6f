#pragma once
// Each desk's Desktop items where its user left them. When a switch leaves a desk, where the Desktop's view
// shows its items becomes the desk's layout for the screen. When a desk is entered (by a switch, or by a
// start that put its items on the Desktop), its items go back to their places once the view lists them, in
// one call, from checks that leave the bar free between them; a view that does not list them in time is left
// as it is. Nothing is read or moved while the view arranges its icons itself, nor with the option off: the
// view then places arriving items as it always does.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bar/bar_popups.h"
#include "bar/bar_view.h"
#include "platform/platform.h"
#include "store/icon_layout.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

// How long a desk's items wait for the view to list them, and how often the view is asked meanwhile.
constexpr double kIconWaitSeconds = 2.0;
constexpr double kIconCheckSeconds = 0.15;

class DeskIconKeeper {
  public:
    DeskIconKeeper(Platform& platform, SharedState& state, BarView& view);

    // How each put-back ended goes to the times file.
    void logTimes(bool on) { logTimes_ = on; }
    // A switch leaves `desk`, its items still on the Desktop. While the desk's own put-back still waits the
    // view shows where it placed them, not where the user did: then the desk keeps its layout.
    void leaveDesk(int desk);
    // `desk` is on screen with its items: those named in `only` (Desktop names; all of them without it) go
    // back to their places. The layouts are written at the first check, after the bar has drawn the switch.
    void enterDesk(int desk, std::optional<std::set<std::string>> only = std::nullopt);
    // The start, once the bar is shown: the items it put on the Desktop (Desktop names) go back to their
    // places, and the view is found while the bar is idle, as the first call into the shell's process costs
    // most.
    void start(const std::vector<std::string>& placed);
    // The check the view was asked for.
    void onCheck();
    // A desk given up: its layouts go with it.
    void forgetDesk(int desk);

    TrayToggle trayToggle() const;
    // The item chosen: the option turned over and the setting written.
    void onTrayToggle(StoreReport& report);

  private:
    struct PutBack {
        int desk = 0;
        std::optional<std::set<std::string>> only;  // by fileNameKey
        double startedAt = 0;
    };

    IconLayouts& layouts();
    void save();
    void replacePutBack(std::optional<PutBack> next);
    // One try: the number of items moved once it is over (done, or nothing to do); nothing while it waits, or
    // when the put-back of `round` was replaced meanwhile.
    std::optional<int> tryPutBack(const PutBack& putBack, int round);
    void endPutBack(int desk, const std::string& outcome, double waited);

    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    std::optional<IconLayouts> layouts_;  // read at first use
    bool unsaved_ = false;
    std::optional<PutBack> pending_;
    int round_ = 0;  // counts each put-back begun or ended
    bool findView_ = false;
    bool logTimes_ = false;
};

}  // namespace koruvan
