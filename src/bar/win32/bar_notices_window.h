#pragma once
// The bar's notices: the notification-area icon with its balloons, and the desk's name after a switch.

#include <windows.h>

#include <optional>

#include "bar/bar_notices.h"
#include "bar/win32/desk_name_overlay.h"
#include "bar/win32/tray_icon.h"

namespace koruvan::win32 {

class BarNoticesWindow final : public BarNotices {
  public:
    // Made with the bar's window: the icon sends its mouse messages there as `trayMessage`.
    void attach(HWND bar, UINT trayMessage);
    // At the bar's end: the icon goes.
    void detach();
    // True for Explorer's message that it started again: the icon is added anew.
    bool onTaskbarCreated(UINT message);

    void showTray(int deskNumber, const std::string& tip) override;
    void showTrayBalloon(const std::string& title, const std::string& text) override;
    void showDeskName(const std::string& name) override;

  private:
    HWND bar_ = nullptr;
    std::optional<TrayIcon> tray_;
    DeskNameOverlay deskName_;
};

}  // namespace koruvan::win32
