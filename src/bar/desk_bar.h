#pragma once
// The desk bar: the coordinator of its parts, each with one concern: what it shows and where it stands
// (BarFace), each desk's windows (DeskWindowKeeper), where each desk's items stand in the Desktop's view
// (DeskIconKeeper), the switch (DeskSwitch), following the system's virtual desktops (DeskFollowing),
// programs' desks (DeskPrograms), and the menus, dialogs and messages (BarMenus). It takes the view's events
// and does the steps that reach across parts.

#include <vector>

#include "bar/bar_actions.h"
#include "bar/bar_face.h"
#include "bar/bar_menus.h"
#include "bar/bar_notices.h"
#include "bar/bar_popups.h"
#include "bar/bar_view.h"
#include "bar/desk_following.h"
#include "bar/desk_icons.h"
#include "bar/desk_keys.h"
#include "bar/desk_programs.h"
#include "bar/desk_switch.h"
#include "bar/desk_windows.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// What the system shows when the session would end during a switch.
constexpr const char* kSwitchingReason = "デスクを切り替えています";

class DeskBar final : private BarActions {
  public:
    DeskBar(Platform& platform, SharedState& state, BarView& view, BarPopups& popups, BarNotices& notices);

    // The load sequence: caption, paths, settings, the current desk's items and wallpaper, layout, placement,
    // shown.
    void load(int dotsPerInchX, int dotsPerInchY);
    void setDotsPerInch(int dotsPerInchX, int dotsPerInchY) {
        face_.setDotsPerInch(dotsPerInchX, dotsPerInchY);
    }
    void logSwitchTimes(bool on) {
        switch_.logTimes(on);
        icons_.logTimes(on);
    }
    // The hotkeys the program could register (another program may hold some).
    void setHeldHotkeys(const HeldHotkeys& held) { hotkeysHeld_ = held; }

    // One button for each named desk in the bar's order, the bar's size to fit them, and their faces.
    void fitToDesks() { face_.fitToDesks(deskOrder()); }
    void redrawButtons();
    void placeOrHide() { face_.placeOrHide(); }

    // Keeps the bar in front, hides it once the pointer has left it alone long enough, and takes outside
    // changes of the appearance into the current desk.
    void onWatchCheck();
    void onBackgroundPointerMoved() { face_.onBackgroundPointerMoved(); }
    void onBackgroundClicked() { face_.placeOrHide(); }
    void onBackgroundRightPressed();

    // A click on a desk's button, a desk's hotkey or a tray entry: the switch, or with following on the
    // system's keys for a tied desk. Never while a menu or a dialog is open.
    void onDeskClicked(int desk) { chooseDesk(desk); }
    void onDeskRightPressed(int desk);
    void onDeskPointerMoved(int desk, double x) { face_.showDeskTip(desk, x); }
    void switchToDesk(int desk) { runSwitch(desk, {}); }
    void onHotkey(int hotkey);
    void onTrayClicked();
    void onSystemDesktopsChanged() { following_.onSystemDesktopsChanged(); }
    // Another program's top-level window was made or shown; a look again at those not shown yet.
    void onWindowAppeared(WindowHandle window) { programs_.onWindowAppeared(window, busy()); }
    void onNewWindowsCheck() { programs_.onCheckDue(busy()); }
    // After a switch: the entered desk's windows are stacked and focused once their programs have shown
    // them; until then the view looks again shortly. A switch running meanwhile settles its own.
    void onWindowsCheck();
    // The check of the Desktop's view that a desk's items wait for; none while a switch runs, which leaves
    // the desk whose items wait.
    void onIconCheck() {
        if (!switch_.running()) icons_.onCheck();
    }
    // Explorer started again (TaskbarCreated).
    void onExplorerRestarted() { following_.onExplorerRestarted(); }
    // The system asks whether the session may end: not while a switch runs, which then tells the system why
    // until it has ended.
    bool onSessionEndAsked();
    // The session ends: no switch starts any more, following stops, the windows the program hid are shown
    // again.
    void onSessionEnding();
    // The close box: ends the program, deferred to the end of a running switch.
    void onCloseRequested() override;
    // The window has painted what the model last showed: the first paint after a switch ends its timing.
    void onPainted() { switch_.onPainted(); }

    // What the bar shows and where: its button size, scale and size item.
    const BarFace& face() const { return face_; }
    // The named desks in the bar's order.
    std::vector<int> deskOrder() const { return following_.deskOrder(); }

  private:
    // BarActions
    bool busy() const override { return switch_.running() || menus_.open(); }
    void chooseDesk(int desk) override;
    void followSwitch(int desk, bool setWallpaper) override;
    int giveUpDesk(int desk, StoreReport& report) override;
    void relayout() override;
    void tellUser(const StoreReport& report) override { menus_.tellUser(report); }

    // The switch of a click, drawn pressed first.
    void clickSwitch(int desk);
    void runSwitch(int desk, SwitchWork work);
    // Outside changes of the wallpaper, pattern and colour go into the current desk.
    void recordOutsideAppearance();
    void closeProgram();

    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    BarNotices& notices_;
    BarFace face_;
    DeskWindowKeeper windows_;
    DeskIconKeeper icons_;
    DeskSwitch switch_;
    DeskFollowing following_;
    DeskPrograms programs_;
    BarMenus menus_;
    HeldHotkeys hotkeysHeld_{};
    bool closeRequested_ = false;
    bool sessionEndBlocked_ = false;  // the system was told a switch runs
};

}  // namespace koruvan
