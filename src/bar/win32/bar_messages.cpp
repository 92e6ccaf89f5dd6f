// The bar's messages, each turned into the DeskBar model's event by a handler of its own.
#include "bar/win32/bar_window.h"

#include "platform/win32/device_context.h"
#include "platform/win32/win32_session.h"
#include "platform/win32/win32_window_system.h"

namespace koruvan::win32 {

LRESULT BarWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (onMouseMessage(message, lParam)) return 0;
    switch (message) {
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_SETCURSOR:
            if (onSetCursor(LOWORD(lParam))) return TRUE;
            break;
        case WM_NCMOUSEMOVE:
            // Most of the strip a hidden bar leaves on the screen is its frame: the pointer there brings it
            // back.
            model_.onBackgroundPointerMoved();
            break;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case kSystemDesktopsMessage:
            if (systemDesktops_) systemDesktops_->rearm();
            model_.onSystemDesktopsChanged();
            return 0;
        case kChangeMessage:
            onChange();
            return 0;
        case kNewWindowMessage:
            model_.onWindowAppeared(toWindowHandle(reinterpret_cast<HWND>(lParam)));
            return 0;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_DISPLAYCHANGE:
            askForCheck();
            break;
        case WM_DPICHANGED:
            onDpiChanged(LOWORD(wParam), HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            model_.onCloseRequested();
            return 0;
        case WM_QUERYENDSESSION:
            return model_.onSessionEndAsked() ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam) model_.onSessionEnding();
            return 0;
        case WM_HOTKEY:
            onHotkey(wParam);
            return 0;
        case kTrayMessage:
            onTrayMessage(lParam);
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        default:
            if (notices_.onTaskbarCreated(message)) model_.onExplorerRestarted();
            break;
    }
    return Window::onMessage(message, wParam, lParam);
}

// The client area's mouse messages; false for any other message.
bool BarWindow::onMouseMessage(UINT message, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_MOUSEMOVE:
            onMouseMove(point);
            return true;
        case WM_LBUTTONDOWN:
            pressedDesk_ = deskAt(point);
            return true;
        case WM_LBUTTONUP:
            onLeftButtonUp(point);
            return true;
        case WM_RBUTTONDOWN:
            onRightButtonDown(point);
            return true;
        default:
            return false;
    }
}

void BarWindow::onTimer(WPARAM timer) {
    if (timer == kWakeTimer || timer == kCheckTimer) {
        KillTimer(hwnd(), timer);  // each comes once
        if (watching_) model_.onWatchCheck();
    } else if (timer == kIconTimer) {
        KillTimer(hwnd(), timer);
        model_.onIconCheck();
    } else if (timer == kFollowTimer) {
        KillTimer(hwnd(), timer);
        if (systemDesktops_) systemDesktops_->rearm();  // a watch that could not be set up is tried again
        model_.onSystemDesktopsChanged();
    } else if (timer == kNewWindowsTimer) {
        KillTimer(hwnd(), timer);
        model_.onNewWindowsCheck();
    } else if (timer == kWindowsTimer) {
        KillTimer(hwnd(), timer);
        model_.onWindowsCheck();
    }
}

void BarWindow::onPaint() {
    {
        const PaintDc screen(hwnd());
        // Painted off-screen first so that a redraw never flickers.
        RECT client{};
        GetClientRect(hwnd(), &client);
        const MemoryDc buffer(screen.get());
        const Bitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        const Selection selected(buffer.get(), bitmap.get());
        paint(buffer.get());
        BitBlt(screen.get(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
    }
    model_.onPainted();
}

bool BarWindow::onSetCursor(int hitTest) {
    if (hitTest != HTCLIENT) return false;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(hwnd(), &cursor);
    const LPCWSTR shape = busyPointerActive() ? IDC_WAIT : deskAt(cursor) >= 0 ? IDC_UPARROW : IDC_ARROW;
    SetCursor(LoadCursorW(nullptr, shape));
    return true;
}

void BarWindow::onMouseMove(POINT point) {
    const int desk = deskAt(point);
    if (desk < 0) {
        model_.onBackgroundPointerMoved();
        return;
    }
    const RECT rect = buttonFaceRect(buttons_[static_cast<std::size_t>(desk)]);
    model_.onDeskPointerMoved(desk, point.x - rect.left);
}

void BarWindow::onLeftButtonUp(POINT point) {
    // A click is a press and release over the same button, as a button control would have it.
    const int desk = deskAt(point);
    const int pressed = pressedDesk_;
    pressedDesk_ = -1;
    if (desk >= 0 && desk == pressed) {
        model_.onDeskClicked(desk);
    } else if (desk < 0 && pressed < 0) {
        model_.onBackgroundClicked();
    }
}

void BarWindow::onRightButtonDown(POINT point) {
    const int desk = deskAt(point);
    if (desk >= 0) {
        model_.onDeskRightPressed(desk);
    } else {
        model_.onBackgroundRightPressed();
    }
}

void BarWindow::onDpiChanged(int dpiX, int dpiY, const RECT& suggested) {
    // Button sizes are pixels and stay; the frame and the tip's font follow the new screen.
    tipFont_ = tipFontFor(dpiY);
    model_.setDotsPerInch(dpiX, dpiY);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    model_.fitToDesks();
    model_.placeOrHide();
}

void BarWindow::onHotkey(WPARAM id) {
    if (const int hotkey = DeskHotkeys::hotkeyOf(id); hotkey >= 0) model_.onHotkey(hotkey);
}

void BarWindow::onTrayMessage(LPARAM mouseMessage) {
    // The icon's own mouse messages come in lParam.
    if (mouseMessage == WM_LBUTTONUP || mouseMessage == WM_RBUTTONUP) model_.onTrayClicked();
}

void BarWindow::onChange() {
    if (changes_) changes_->rearm();
    askForCheck();
}

void BarWindow::onDestroy() {
    changes_.reset();
    systemDesktops_.reset();
    notices_.detach();
    hotkeys_.reset();
    PostQuitMessage(0);
}

}  // namespace koruvan::win32
