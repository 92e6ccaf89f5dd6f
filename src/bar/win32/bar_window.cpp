#include "bar/win32/bar_window.h"

#include <algorithm>
#include <array>

#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

// One message of `timer`, in place of any earlier one; the system rounds shorter times up to its least.
void setTimerAfter(HWND window, UINT_PTR timer, double seconds) {
    const double milliseconds = std::max(seconds * 1000 + 0.5, static_cast<double>(USER_TIMER_MINIMUM));
    SetTimer(window, timer, static_cast<UINT>(milliseconds), nullptr);
}

// The screen's dots per inch, across and down.
SIZE screenDotsPerInch() {
    const WindowDc screen(nullptr);
    return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

}  // namespace

BarWindow::BarWindow(Platform& platform, SharedState& state)
    : popups_(platform, state), model_(platform, state, *this, popups_, notices_) {}

bool BarWindow::start() {
    // A fixed-size tool window with a caption and a close box; no taskbar button of its own.
    if (!create(kBarWindowClass, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, L"", 0, 0, 200, 60,
                nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW))) {
        return false;
    }
    popups_.setOwner(hwnd());
    const SIZE dpi = screenDotsPerInch();
    tipFont_ = tipFontFor(dpi.cy);
    notices_.attach(hwnd(), kTrayMessage);
    hotkeys_.emplace(hwnd());
    changes_.emplace(hwnd(), kChangeMessage);
    model_.setHeldHotkeys(hotkeys_->held());
    model_.load(dpi.cx, dpi.cy);
    return true;
}

Font tipFontFor(int dpi) {
    return Font(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            widen("ＭＳ Ｐゴシック").c_str()));
}

void BarWindow::setCaption(const std::string& caption) {
    SetWindowTextW(hwnd(), widen(caption).c_str());
}

BarGeometry BarWindow::geometry() {
    RECT outer{};
    RECT client{};
    GetWindowRect(hwnd(), &outer);
    GetClientRect(hwnd(), &client);
    return {outer.left,
            outer.top,
            outer.right - outer.left,
            outer.bottom - outer.top,
            client.right - client.left,
            client.bottom - client.top};
}

void BarWindow::setOuterSize(int width, int height) {
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BarWindow::moveTo(int left, int top) {
    SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int BarWindow::screenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int BarWindow::screenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

int BarWindow::tipWidth(const std::string& text) {
    return textExtent(hwnd(), widen(text), tipFont_.get()).cx + 4;
}

void BarWindow::showButtons(const DeskButtons& buttons) {
    buttons_ = buttons;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void BarWindow::showTip(const TipLook& tip) {
    tip_ = tip;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void BarWindow::setTopmost(bool topmost) {
    SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void BarWindow::setWatching(bool on) {
    watching_ = on;
    if (on) {
        askForCheck();  // what changed while it was off
    } else {
        KillTimer(hwnd(), kWakeTimer);
        KillTimer(hwnd(), kCheckTimer);
    }
}

void BarWindow::wakeAfter(double seconds) {
    SetTimer(hwnd(), kWakeTimer, static_cast<UINT>(seconds * 1000 + 0.5), nullptr);
}

void BarWindow::watchSystemDesktops(bool on) {
    if (on) {
        systemDesktops_.emplace(hwnd(), kSystemDesktopsMessage);
    } else {
        systemDesktops_.reset();
        KillTimer(hwnd(), kFollowTimer);
    }
}

void BarWindow::checkAfter(LaterCheck check, double seconds) {
    // In the order of LaterCheck.
    constexpr std::array<UINT_PTR, 4> kTimers{kFollowTimer, kNewWindowsTimer, kIconTimer, kWindowsTimer};
    const UINT_PTR timer = kTimers[static_cast<std::size_t>(check)];
    setTimerAfter(hwnd(), timer, seconds);
}

bool BarWindow::systemDesktopsWatched() {
    return systemDesktops_ && systemDesktops_->live();
}

void BarWindow::watchNewWindows(bool on) {
    if (on && !newWindows_) {
        newWindows_.emplace(hwnd(), kNewWindowMessage);
    } else if (!on && newWindows_) {
        newWindows_.reset();
        KillTimer(hwnd(), kNewWindowsTimer);
    }
}

void BarWindow::askForCheck() {
    SetTimer(hwnd(), kCheckTimer, USER_TIMER_MINIMUM, nullptr);
}

void BarWindow::show() {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd());
}

void BarWindow::blockSessionEnd(const std::string& reason) {
    if (reason.empty()) {
        ShutdownBlockReasonDestroy(hwnd());
    } else {
        ShutdownBlockReasonCreate(hwnd(), widen(reason).c_str());
    }
}

void BarWindow::close() {
    DestroyWindow(hwnd());
}

}  // namespace koruvan::win32
