#pragma once
// The desk bar: its state and every handler's logic, over a BarView.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bar/bar_view.h"
#include "bar/desk_follower.h"
#include "bar/desk_keys.h"
#include "core/step_log.h"
#include "platform/platform.h"
#include "store/desk_swap.h"
#include "store/hidden_windows.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

constexpr const char* kBarCaption = "コルヴァン";
constexpr double kIdleSecondsBeforeHiding = 5.0;
// A wake a little late finds the idle time past the limit, never just short of it.
constexpr double kWakeMargin = 0.05;
constexpr const char* kSwitchTimesFile = "KORUVAN-timing.log";

class DeskBar {
  public:
    DeskBar(Platform& platform, SharedState& state, BarView& view);

    // The load sequence: caption, paths, settings, the current desk's items and wallpaper, layout, placement,
    // shown.
    void load(int dotsPerInchX, int dotsPerInchY);
    // The screen's resolution, which the name tip's placement counts in.
    void setDotsPerInch(int dotsPerInchX, int dotsPerInchY);
    // Each switch appends where its time went to kSwitchTimesFile beside the settings file.
    void logSwitchTimes(bool on) { logSwitchTimes_ = on; }
    // The hotkeys the program could register (another program may hold some).
    void setHeldHotkeys(const HeldHotkeys& held) { hotkeysHeld_ = held; }

    // Layout and drawing: one button for each named desk, the bar's size to fit them, and their faces.
    void fitToDesks();
    void redrawButtons();

    // Auto-hide, topmost and the appearance of the desk on screen.
    void placeOrHide();
    // While a menu or a dialog is open watching stops and the bar leaves the top of the window order.
    void pauseWatching();
    void resumeWatching();
    // Keeps the bar in front, hides it once the pointer has left it alone long enough, and takes outside
    // changes of the appearance into the current desk.
    void onWatchCheck();
    void onBackgroundPointerMoved();
    void onBackgroundClicked();
    void onBackgroundRightPressed();

    // Desk buttons and switching.
    void onDeskClicked(int desk);
    void onDeskRightPressed(int desk);
    void onDeskPointerMoved(int desk, double x);
    void switchToDesk(int desk);

    // Desks from the keyboard and the notification area: the same switch as a click, never while a menu or
    // a dialog is open.
    void onHotkey(int hotkey);
    void onTrayClicked();

    // The system's record of its virtual desktops changed, or a check it asked for came due: while following,
    // the desks follow it. During a switch, a menu or a dialog the change waits, and any number of them is
    // then read once.
    void onSystemDesktopsChanged();
    // Windows between desks (desk_windows.cpp): a window moved to another desk leaves the screen at once and
    // comes back when its desk is entered; a pinned window stays through every switch. Windows of this
    // program, of the shell and of elevated programs are left alone.
    void moveWindow(WindowHandle window, int desk);
    void togglePin(WindowHandle window);
    bool isPinned(WindowHandle window);
    // Off: every window the option hid is shown again, minimised.
    void setHideOtherDeskWindows(bool on);
    // The session ends: the windows the program hid are shown again.
    void onSessionEnding();

    // The close box: ends the program, deferred to the end of a running switch.
    void onCloseRequested();
    // The window has painted what the model last showed: the first paint after a switch ends its timing.
    void onPainted();

    // State, for the view and for tests.
    int twipsPerPixelX() const { return twipsPerPixelX_; }
    int twipsPerPixelY() const { return twipsPerPixelY_; }
    int buttonSize() const { return buttonSize_; }
    int buttonCount() const { return buttonCount_; }
    int checkedSizeItem() const { return checkedSizeItem_; }
    bool watching() const { return watching_; }
    const DeskButtons& buttons() const { return buttons_; }
    const TipLook& tip() const { return tip_; }
    bool switching() const { return switching_; }
    // The named desks in the bar's order.
    std::vector<int> deskOrder() const;

  private:
    void setWatching(bool running);
    // The two halves of redrawButtons: the buttons' faces, and the notification-area icon of the desk shown.
    void drawButtonFaces();
    void showTrayDesk();
    void warnOfPlacement();
    void applyButtonSizeSetting();
    void storeButtonSizeSetting(int setting);
    void onDeskMenuCommand(int desk, MenuCommand command);
    void onOptionsMenuCommand(MenuCommand command);
    void editDesk(int desk);
    void makeNewDesk();
    void changeSettings();
    void deleteDesk(int desk);
    // The desk's items into the pool, its name, wallpaper and tie gone.
    void giveUpDesk(int desk);
    void recordAppearanceChanges();
    void enterDesk(int old, int desk, StepLog& log);
    // Tells the user, once, what the store could not do.
    void tellUser(const StoreReport& report);
    void warnModally(const std::string& text, const char* title);
    void showDeskWindows(int desk);
    // A desk chosen on the bar, by a key or in the tray: the system's keys when it follows one of the
    // system's desktops, else the switch.
    void chooseDesk(int desk);
    void clickSwitch(int desk);
    // A switch of the Desktop's items and wallpaper and, unless the system keeps them, the windows.
    struct SwitchWork {
        bool windows = true;
        SwapWallpaper wallpaper = SwapWallpaper::Apply;
    };
    void runSwitch(int desk, SwitchWork work);
    // desk_following.cpp
    void setFollowing(bool on);
    void doFollowAction(const FollowAction& action);
    void makeFollowingDesk(const FollowAction& action);
    // The Desktop's items become `desk`'s; the windows stay where the system keeps them.
    void followSwitch(int desk, bool setWallpaper);
    void askForFollowCheck();
    std::vector<TrayToggle> trayToggles() const;
    void onTrayToggle(MenuCommand command);
    // desk_windows.cpp
    std::optional<WindowEntry> movableWindow(WindowHandle window);
    // With the option on, the record's write is logged as the step "hidden".
    void takeOffScreen(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk, StepLog* log);
    bool recordHidden(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk);
    int dropPinned(DeskWindows& entries);
    void forgetGonePins();
    void showHiddenAgain();
    void releaseDeskWindows(int desk);
    void noteActiveWindow();
    TrayWindowItems trayWindowItems();
    bool onTrayWindowCommand(const TrayChoice& choice);
    void onWindowHotkey(int hotkey);
    void closeProgram();

    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    int twipsPerPixelX_ = 15;
    int twipsPerPixelY_ = 15;
    int buttonSize_ = 40;
    int buttonCount_ = 0;
    std::array<std::int16_t, kDeskCount> buttonSlot_{};
    double lastPointerTime_ = 0;  // monotonic seconds of the last pointer movement over the background
    int checkedSizeItem_ = 0;
    bool watching_ = false;
    bool logSwitchTimes_ = false;
    HeldHotkeys hotkeysHeld_{};
    DeskButtons buttons_{};
    TipLook tip_{};
    bool switching_ = false;
    bool menuOpen_ = false;  // from a pop-up menu's opening to the end of its command and any dialog
    bool closeRequested_ = false;
    DeskFollower follower_;
    bool followPending_ = false;  // a change of the system's desktops waits for the end of a switch or menu
    // With logged switch times: when the last switch was asked for, until the bar has painted its end.
    std::optional<double> switchAskedAt_;
    std::string paintedLine_;
    // Windows between desks: what the record of hidden windows holds, the pinned windows (a handle is only
    // the same window while the same process owns it) and the last application window that was active.
    struct PinnedWindow {
        WindowHandle window = 0;
        std::uint32_t processId = 0;
    };
    HiddenWindows hidden_;
    std::vector<PinnedWindow> pinned_;
    WindowHandle lastActiveWindow_ = 0;
    WindowHandle trayWindow_ = 0;  // the window the open tray menu's window commands act on
};

}  // namespace koruvan
