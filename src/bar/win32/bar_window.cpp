#include "bar/win32/bar_window.h"

#include "bar/win32/popup_menus.h"

#include "bar/win32/button_size_window.h"
#include "dialogs/win32/about_window.h"
#include "dialogs/win32/make_desk_window.h"
#include "dialogs/win32/settings_window.h"
#include "organiser/win32/arrange_window.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace koruvan::win32 {
namespace {

constexpr UINT_PTR kWaitTimer = 1;
constexpr UINT kWaitTimerInterval = 500;

constexpr UINT kTrayMessage = WM_APP + 1;

COLORREF colour(std::int32_t value) {
    return static_cast<COLORREF>(value) & 0x00FFFFFF;
}

}  // namespace

BarWindow::BarWindow(Platform& platform, SharedState& state)
    : platform_(platform), state_(state), model_(platform, state, *this) {}

BarWindow::~BarWindow() {
    if (tipFont_) DeleteObject(tipFont_);
}

bool BarWindow::start() {
    // A fixed-size tool window with a caption and a close box; no taskbar button of its own.
    if (!create(kBarWindowClass, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, L"", 0, 0, 200, 60,
                nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW))) {
        return false;
    }
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    makeTipFont(dpiY);
    tray_.emplace(hwnd(), kTrayMessage);
    hotkeys_.emplace(hwnd());
    model_.setHeldHotkeys(hotkeys_->held());
    model_.load(dpiX, dpiY);
    return true;
}

void BarWindow::makeTipFont(int dpi) {
    if (tipFont_) DeleteObject(tipFont_);
    tipFont_ = CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           widen("ＭＳ Ｐゴシック").c_str());
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
    const std::wstring wide = widen(text);
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, tipFont_);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    return size.cx + 4;
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

void BarWindow::setTimerRunning(bool running) {
    if (running) {
        SetTimer(hwnd(), kWaitTimer, kWaitTimerInterval, nullptr);
    } else {
        KillTimer(hwnd(), kWaitTimer);
    }
}

void BarWindow::show() {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd());
}

MenuCommand BarWindow::popupDeskMenu(bool openAndDeleteEnabled) {
    return commandOf(trackMenuAtPointer(hwnd(), makeDeskMenu(openAndDeleteEnabled)));
}

MenuCommand BarWindow::popupOptionsMenu(int checkedSizeItem) {
    return commandOf(trackMenuAtPointer(hwnd(), makeOptionsMenu(checkedSizeItem)));
}

void BarWindow::showTray(int deskNumber, const std::string& tip) {
    if (tray_) tray_->show(deskNumber, widen(tip));
}

TrayChoice BarWindow::popupTrayMenu(const std::vector<TrayDesk>& desks, int checkedSizeItem) {
    const UINT item = trackMenuAtPointer(hwnd(), makeTrayMenu(desks, checkedSizeItem));
    return {trayDeskOf(item), commandOf(item)};
}

bool BarWindow::askYesNo(const std::string& text, const std::string& title) {
    return MessageBoxW(hwnd(), widen(text).c_str(), widen(title).c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

void BarWindow::warn(const std::string& text, const std::string& title) {
    MessageBoxW(hwnd(), widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONWARNING);
}

DialogResult BarWindow::openDeskDialog(int slot) {
    return MakeDeskWindow(platform_, state_, slot).open(hwnd());
}

DialogResult BarWindow::openSettingsDialog() {
    return SettingsWindow(platform_, state_).open(hwnd());
}

void BarWindow::openOrganiser(int desk) {
    ArrangeWindow(platform_, state_, desk).open(hwnd());
}

std::optional<int> BarWindow::openButtonSizeDialog() {
    return ButtonSizeWindow(state_).open(hwnd());
}

void BarWindow::openAbout() {
    AboutWindow(platform_).open(hwnd());
}

void BarWindow::close() {
    DestroyWindow(hwnd());
}

RECT BarWindow::faceRect(int desk) const {
    const DeskButton& button = buttons_[static_cast<std::size_t>(desk)];
    const Rect<double>& r = button.pictureVisible ? button.pictureRect : button.boxRect;
    const int left = toPixels(r.left);
    const int top = toPixels(r.top);
    return {left, top, left + toPixels(r.width), top + toPixels(r.height)};
}

int BarWindow::deskAt(POINT point) const {
    for (int d = 0; d < kDeskCount; ++d) {
        const DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        if (!button.pictureVisible && !button.boxVisible) continue;
        const RECT rect = faceRect(d);
        if (PtInRect(&rect, point)) return d;
    }
    return -1;
}

void BarWindow::paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (int d = 0; d < kDeskCount; ++d) {
        const DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        const RECT rect = faceRect(d);
        if (button.pictureVisible) {
            // A missing or unreadable picture leaves the bar's own background showing.
            if (HBITMAP picture =
                    thumbnails_.get(button.picturePath, rect.right - rect.left, rect.bottom - rect.top)) {
                HDC source = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(source, picture);
                BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0,
                       SRCCOPY);
                SelectObject(source, old);
                DeleteDC(source);
            }
        } else if (button.boxVisible) {
            HBRUSH brush = CreateSolidBrush(colour(button.boxColor));
            FillRect(dc, &rect, brush);
            DeleteObject(brush);
        }
    }
    if (tip_.visible) {
        const std::wstring text = widen(tip_.text);
        HGDIOBJ oldFont = SelectObject(dc, tipFont_);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        RECT box{tip_.left, 0, tip_.left + size.cx + 4, size.cy + 2};
        HBRUSH brush = CreateSolidBrush(colour(tip_.backColor));
        FillRect(dc, &box, brush);
        DeleteObject(brush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour(tip_.textColor));
        TextOutW(dc, box.left + 2, 1, text.c_str(), static_cast<int>(text.size()));
        SelectObject(dc, oldFont);
    }
}

void BarWindow::onMouseMove(POINT point) {
    const int desk = deskAt(point);
    if (desk < 0) {
        model_.onBackgroundPointerMoved();
        return;
    }
    const RECT rect = faceRect(desk);
    model_.onDeskPointerMoved(desk, point.x - rect.left);
}

LRESULT BarWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            // Painted off-screen first so that a redraw never flickers.
            RECT client{};
            GetClientRect(hwnd(), &client);
            HDC buffer = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            HGDIOBJ old = SelectObject(buffer, bitmap);
            paint(buffer);
            BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
            SelectObject(buffer, old);
            DeleteObject(bitmap);
            DeleteDC(buffer);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT cursor{};
                GetCursorPos(&cursor);
                ScreenToClient(hwnd(), &cursor);
                const LPCWSTR shape = busyPointerActive()   ? IDC_WAIT
                                      : deskAt(cursor) >= 0 ? IDC_UPARROW
                                                            : IDC_ARROW;
                SetCursor(LoadCursorW(nullptr, shape));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            onMouseMove(point);
            return 0;
        case WM_NCMOUSEMOVE:
            // Most of the strip a hidden bar leaves on the screen is its frame: the pointer there brings it
            // back.
            model_.onBackgroundPointerMoved();
            break;
        case WM_LBUTTONDOWN:
            pressedDesk_ = deskAt(point);
            return 0;
        case WM_LBUTTONUP: {
            // A click is a press and release over the same button, as a button control would have it.
            const int desk = deskAt(point);
            const int pressed = pressedDesk_;
            pressedDesk_ = -1;
            if (desk >= 0 && desk == pressed) {
                model_.onDeskClicked(desk);
            } else if (desk < 0 && pressed < 0) {
                model_.onBackgroundClicked();
            }
            return 0;
        }
        case WM_RBUTTONDOWN: {
            const int desk = deskAt(point);
            if (desk >= 0) {
                model_.onDeskRightPressed(desk);
            } else {
                model_.onBackgroundRightPressed();
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == kWaitTimer) model_.onTimerTick();
            return 0;
        case WM_DPICHANGED: {
            // Button sizes are pixels and stay; the frame and the tip's font follow the new screen.
            const int dpiX = LOWORD(wParam);
            const int dpiY = HIWORD(wParam);
            makeTipFont(dpiY);
            model_.setDotsPerInch(dpiX, dpiY);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            model_.fitToDesks();
            model_.placeOrHide();
            return 0;
        }
        case WM_CLOSE:
            model_.onCloseRequested();
            return 0;
        case WM_HOTKEY:
            if (const int hotkey = DeskHotkeys::hotkeyOf(wParam); hotkey >= 0) model_.onHotkey(hotkey);
            return 0;
        case kTrayMessage:
            // The icon's own mouse messages come in lParam.
            if (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP) model_.onTrayClicked();
            return 0;
        case WM_DESTROY:
            tray_.reset();
            hotkeys_.reset();
            PostQuitMessage(0);
            return 0;
        default:
            if (tray_ && tray_->isTaskbarCreated(message)) tray_->addAgain();
            break;
    }
    return Window::onMessage(message, wParam, lParam);
}

}  // namespace koruvan::win32
