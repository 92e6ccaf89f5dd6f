#pragma once
// The desk bar frmMAIN: its state and every handler's logic, over a BarView.

#include <array>
#include <cstdint>
#include <string>

#include "bar/bar_view.h"
#include "bar/desk_keys.h"
#include "core/step_log.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

constexpr const char* kBarCaption = "コルヴァン";
constexpr double kIdleSecondsBeforeHiding = 5.0;
constexpr const char* kSwitchTimesFile = "KORUVAN-timing.log";

class DeskBar {
  public:
    DeskBar(Platform& platform, SharedState& state, BarView& view);

    // The load sequence: caption, paths, settings, the current desk's items and wallpaper, layout, placement,
    // shown. twipsPerPixel comes from the screen's dots per inch.
    void Load(int dotsPerInchX, int dotsPerInchY);
    // twipsPerPixel of a screen of the given dots per inch (15 at 96).
    void SetDotsPerInch(int dotsPerInchX, int dotsPerInchY);

    // Layout and drawing.
    void SizeAdjust();
    void SetWaku();
    void SetWinWidth();

    // Auto-hide, topmost and the wait timer.
    void FormHide();
    void TopWinONOFF(int on);
    void OnTimerTick();
    void OnBackgroundMouseMove();
    void OnBackgroundClick();
    void OnBackgroundRightDown();

    // Desk buttons and switching.
    void btnWALLclick(int desk);
    void btnWALLmousedown(int desk);
    void btnWALLmousemove(int desk, double x);
    void ChgDsk(int desk);

    // Menu commands.
    void OnDeskMenuCommand(MenuCommand command);
    void OnOptionsMenuCommand(MenuCommand command);

    // Desks from the keyboard and the notification area: the same switch as a click, never while a menu or
    // a dialog is open.
    void OnHotkey(int hotkey);
    void OnTrayClick();

    // The close box: ends the program, deferred to the end of a running switch.
    void OnCloseRequest();

    // State, for the view and for tests.
    std::int16_t twipsPerPixelX = 15;
    std::int16_t twipsPerPixelY = 15;
    std::int16_t buttonSize = 40;
    std::int16_t buttonCount = 0;
    std::array<std::int16_t, kDeskCount> buttonSlot{};
    double lastPointerTime = 0;  // monotonic seconds of the last pointer movement over the background
    int checkedSizeItem = 0;
    bool timerRunning = false;
    // The wallpaper the desk dialog stored last: it starts browsing there for a desk without one.
    std::string lblBEFOREWALL;
    // Each switch appends where its time went to kSwitchTimesFile beside the settings file.
    bool logSwitchTimes = false;
    // The hotkeys the program could register (another program may hold some).
    HeldHotkeys hotkeysHeld{};
    const DeskButtons& buttons() const { return buttons_; }
    const TipLook& tip() const { return tip_; }
    bool switching() const { return switching_; }

  private:
    void setTimer(bool running);
    void applySizeNum();
    void applySizePreset(int index);
    void deleteTargetDesk();
    void openSizeDialog();
    void pollAppearance();
    void enterDesk(int old, int desk, StepLog& log);
    void showDeskWindows(int desk);
    bool busyWithSwitch() const { return switching_; }

    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    DeskButtons buttons_{};
    TipLook tip_{};
    bool switching_ = false;
    bool menuOpen_ = false;  // from a pop-up menu's opening to the end of its command and any dialog
    bool closeRequested_ = false;
};

}  // namespace koruvan
