#pragma once
// What the bar shows and where it stands: one button for each named desk and the bar's size to fit them,
// their faces, the name tip, the notification-area icon, auto-hide and the watch that drives it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bar/bar_notices.h"
#include "bar/bar_view.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

constexpr const char* kBarCaption = "コルヴァン";
constexpr double kIdleSecondsBeforeHiding = 5.0;
// A wake a little late finds the idle time past the limit, never just short of it.
constexpr double kWakeMargin = 0.05;

class BarFace {
  public:
    BarFace(Platform& platform, SharedState& state, BarView& view, BarNotices& notices);

    // The screen's resolution, which the name tip's placement counts in.
    void setDotsPerInch(int dotsPerInchX, int dotsPerInchY);
    // The button size of the setting; `store` also writes it as SizeNum.
    void applyButtonSizeSetting();

    // Each named desk a button along `order`, and the bar's size to fit them.
    void fitToDesks(const std::vector<int>& order);
    // The buttons' faces: the wallpaper's picture or a box of the desktop's colour, the current one pressed.
    void drawButtonFaces();
    // The notification-area icon of the desk shown.
    void showTrayDesk(const std::vector<int>& order);
    // A clicked button is drawn pressed before its switch starts: whichever face the desk shows moves.
    void pressButton(int desk);

    void showDeskTip(int desk, double pointerX);
    void showTipText(const std::string& text);
    void hideTip();

    // Auto-hide: hidden (or placed) once the pointer has left the bar alone long enough, shown again when it
    // moves over the bar's strip or background.
    void placeOrHide();
    void hideWhenIdle();
    void onBackgroundPointerMoved();

    // While a menu, a dialog or a switch runs, the watch stops; a paused bar also leaves the top of the
    // window order.
    void setWatching(bool on);
    void pauseWatching();
    bool watching() const { return watching_; }

    int twipsPerPixelX() const { return twipsPerPixelX_; }
    int buttonSize() const { return buttonSize_; }
    int buttonCount() const { return buttonCount_; }
    int checkedSizeItem() const { return checkedSizeItem_; }

  private:
    Platform& platform_;
    SharedState& state_;
    BarView& view_;
    BarNotices& notices_;
    int twipsPerPixelX_ = 15;
    int buttonSize_ = 40;
    int buttonCount_ = 0;
    std::array<std::int16_t, kDeskCount> buttonSlot_{};
    double lastPointerTime_ = 0;  // monotonic seconds of the last pointer movement over the background
    int checkedSizeItem_ = 0;
    bool watching_ = false;
    DeskButtons buttons_{};
    TipLook tip_{};
};

}  // namespace koruvan
