#pragma once
// The desk switch: the Desktop's items and the wallpaper through the store's journal, where the items stood
// in the Desktop's view, the windows, the record of the new desk, and the times of each step when they are
// logged. The bar draws around it.

#include <optional>
#include <string>

#include "bar/desk_icons.h"
#include "bar/desk_windows.h"
#include "core/step_log.h"
#include "platform/platform.h"
#include "store/desk_swap.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

// What a switch does besides the Desktop's items: the windows (unless the system keeps them apart) and the
// wallpaper (unless the system shows one of its own).
struct SwitchWork {
    bool windows = true;
    SwapWallpaper wallpaper = SwapWallpaper::Apply;
};

class DeskSwitch {
  public:
    DeskSwitch(Platform& platform, SharedState& state, DeskWindowKeeper& windows, DeskIconKeeper& icons);

    // Each switch appends where its time went to kSwitchTimesFile beside the settings file.
    void logTimes(bool on) { logTimes_ = on; }
    // From its start to its end; a second switch never interleaves with a running one.
    bool running() const { return running_; }
    // Whether a switch may start now, and one to `desk`.
    bool canStartAny() const { return !running_ && !refused_; }
    bool canStart(int desk) const;
    // The session ends: no switch starts any more.
    void refuseFromNowOn() { refused_ = true; }

    // A click asked for the switch: with logged times, the time to its painted end counts from here.
    void noteAsked();
    // The switch starts: the log it marks its steps in.
    StepLog begin();
    // The files, the windows and the record. A switch that could not start moved nothing: the bar stays at
    // the desk whose items the Desktop holds. What the store could not do goes to `report`.
    void move(int desk, SwitchWork work, StepLog& log, StoreReport& report);
    // The switch from `old` to `desk` has ended; its steps are written to the log file.
    void end(int old, int desk, SwitchWork work, const StepLog& log);
    // The bar has painted what the switch left: the first paint after it ends its timing.
    void onPainted();
    // After the switch: true once the entered desk's windows stand in their order with the focus back, or
    // none wait; their wait and stacking are logged as a line of their own.
    bool settleWindows();

  private:
    Platform& platform_;
    SharedState& state_;
    DeskWindowKeeper& windows_;
    DeskIconKeeper& icons_;
    bool logTimes_ = false;
    bool running_ = false;
    bool refused_ = false;
    // With logged times: when the last switch was asked for, until the bar has painted its end.
    std::optional<double> askedAt_;
    std::string paintedLine_;
    // With logged times: from the switch's end to its windows' order.
    StepLog settleLog_;
    std::string settleLine_;
};

}  // namespace koruvan
