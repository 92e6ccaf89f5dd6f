#include "bar/win32/bar_notices_window.h"

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {

void BarNoticesWindow::attach(HWND bar, UINT trayMessage) {
    bar_ = bar;
    tray_.emplace(bar, trayMessage);
}

void BarNoticesWindow::detach() {
    tray_.reset();
}

bool BarNoticesWindow::onTaskbarCreated(UINT message) {
    if (!tray_ || !tray_->isTaskbarCreated(message)) return false;
    tray_->addAgain();
    return true;
}

void BarNoticesWindow::showTray(int deskNumber, const std::string& tip) {
    if (tray_) tray_->show(deskNumber, widen(tip));
}

void BarNoticesWindow::showTrayBalloon(const std::string& title, const std::string& text) {
    if (tray_) tray_->showBalloon(widen(title), widen(text));
}

void BarNoticesWindow::showDeskName(const std::string& name) {
    deskName_.show(widen(name), bar_);
}

}  // namespace koruvan::win32
