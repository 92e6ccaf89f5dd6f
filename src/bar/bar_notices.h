#pragma once
// What the bar tells without asking anything: the notification-area icon, its balloons, and the desk's name
// shown over the screen after a switch. The Win32 view implements it; tests use a recording fake.

#include <string>

namespace koruvan {

class BarNotices {
  public:
    virtual ~BarNotices() = default;

    // The notification-area icon: the current desk's number drawn on it, the tip beside it.
    virtual void showTray(int deskNumber, const std::string& tip) = 0;
    // A balloon from the icon: it tells, asks nothing, and goes by itself.
    virtual void showTrayBalloon(const std::string& title, const std::string& text) = 0;
    // The desk's name, large, centred on the monitor of the bar, gone again after a moment (DeskNameFade); it
    // takes no focus and no click. A second call replaces the first at once.
    virtual void showDeskName(const std::string& name) = 0;
};

}  // namespace koruvan
