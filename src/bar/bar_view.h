#pragma once
// What the desk bar's model needs from its window: the buttons, the name tip, placement and the watches. The
// menus, messages and dialogs are bar_popups.h, the notification-area icon and the desk's name bar_notices.h.
// The Win32 view implements both; tests use a recording fake.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bar/bar_layout.h"
#include "store/shared_state.h"

namespace koruvan {

// One desk's button: its wallpaper's picture or a plain box; at most one of the two is visible.
struct DeskButton {
    bool pictureVisible = false;
    Rect<double> pictureRect;
    std::string picturePath;  // empty: no picture loaded
    bool boxVisible = false;
    Rect<double> boxRect;
    std::int32_t boxColor = 0;  // 0x00BBGGRR
};
using DeskButtons = std::array<DeskButton, kDeskCount>;

struct TipLook {
    bool visible = false;
    std::string text;
    int left = 0;
    std::int32_t textColor = 0;
    std::int32_t backColor = 0;
};

// The bar's looks again a little later, each with a handler of its own in DeskBar.
enum class LaterCheck {
    SystemDesktops,  // onSystemDesktopsChanged
    NewWindows,      // onNewWindowsCheck
    Icons,           // onIconCheck
    Windows,         // onWindowsCheck
};

class BarView {
  public:
    virtual ~BarView() = default;

    virtual void setCaption(const std::string& caption) = 0;
    virtual BarGeometry geometry() = 0;  // pixels; outer position on the screen
    virtual void setOuterSize(int width, int height) = 0;
    virtual void moveTo(int left, int top) = 0;
    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
    virtual int tipWidth(const std::string& text) = 0;  // the tip label fitted to its text

    virtual void showButtons(const DeskButtons& buttons) = 0;
    virtual void showTip(const TipLook& tip) = 0;
    virtual void setTopmost(bool topmost) = 0;
    // While watching, the view calls DeskBar::onWatchCheck soon after it starts, whenever the desktop's
    // appearance settings, the foreground window or the display change, and when a wake comes due: a bar
    // that nothing happens to costs nothing.
    virtual void setWatching(bool on) = 0;
    // One wake, `seconds` from now, in place of any earlier one.
    virtual void wakeAfter(double seconds) = 0;
    // While on, the view calls DeskBar::onSystemDesktopsChanged whenever the system rewrites its record of
    // its virtual desktops. Off also drops a check asked for.
    virtual void watchSystemDesktops(bool on) = 0;
    // False while on but a watch could not be set up (its key gone, not yet made again): the view tries again
    // at each call of onSystemDesktopsChanged, and following asks for checks meanwhile.
    virtual bool systemDesktopsWatched() = 0;
    // While on, the view calls DeskBar::onWindowAppeared for each top-level window another program makes or
    // shows.
    virtual void watchNewWindows(bool on) = 0;
    // One call of the check's handler, `seconds` from now, in place of any earlier one of that check.
    virtual void checkAfter(LaterCheck check, double seconds) = 0;
    virtual void show() = 0;

    // Tells the system why the session cannot end yet (`reason`), or, with none, that it can.
    virtual void blockSessionEnd(const std::string& reason) = 0;
    // Ends the program (the message loop ends after the window is gone).
    virtual void close() = 0;
};

}  // namespace koruvan
