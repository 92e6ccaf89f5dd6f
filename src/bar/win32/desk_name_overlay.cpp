#include "bar/win32/desk_name_overlay.h"

#include <algorithm>

#include "bar/desk_name_fade.h"
#include "platform/win32/device_context.h"

namespace koruvan::win32 {
namespace {

constexpr const wchar_t* kOverlayClass = L"KORUVAN.DeskName";
constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kBackColour = RGB(32, 32, 32);
// A quarter of the monitor's height at most, and a margin around the text of half its height.
constexpr int kHeightShare = 8;

// Layered for its opacity, transparent to the pointer, never activated, no taskbar button, above the rest.
constexpr DWORD kExStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

}  // namespace

void DeskNameOverlay::show(const std::wstring& name, HWND bar) {
    // Unowned: an owned one would sink with the bar whenever another window comes above it. The tool
    // window's style keeps it off the taskbar (Wine's own taskbar shows it all the same).
    if (!hwnd() && !create(kOverlayClass, WS_POPUP, kExStyle, L"", 0, 0, 1, 1, nullptr, nullptr, nullptr))
        return;
    name_ = name;
    SetWindowTextW(hwnd(), name_.c_str());  // what a screen reader says of it
    place(bar);
    shownAt_ = GetTickCount64();
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(deskNameOpacity(0)), LWA_ALPHA);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd(), nullptr, TRUE);
    SetTimer(hwnd(), kFadeTimer, static_cast<UINT>(secondsToNextDeskNameFrame(0) * 1000), nullptr);
}

// The text's size follows the monitor: a DPI-scaled screen or a large one gets a large name.
void DeskNameOverlay::place(HWND bar) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(bar, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int textHeight = std::max(24, static_cast<int>((area.bottom - area.top) / kHeightShare));
    font_ = Font(CreateFontW(-textHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                             L"MS UI Gothic"));
    const SIZE text = textExtent(hwnd(), name_, font_.get());
    const int width =
        std::min(static_cast<int>(area.right - area.left), static_cast<int>(text.cx) + textHeight);
    const int height = text.cy + textHeight / 2;
    SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void DeskNameOverlay::paint(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const Brush back(CreateSolidBrush(kBackColour));
    FillRect(dc, &client, back.get());
    const Selection font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);
    DrawTextW(dc, name_.c_str(), static_cast<int>(name_.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DeskNameOverlay::onFadeStep() {
    const double elapsed = static_cast<double>(GetTickCount64() - shownAt_) / 1000.0;
    const double next = secondsToNextDeskNameFrame(elapsed);
    if (next < 0) {
        KillTimer(hwnd(), kFadeTimer);
        ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(deskNameOpacity(elapsed)), LWA_ALPHA);
    SetTimer(hwnd(), kFadeTimer, std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(next * 1000)), nullptr);
}

LRESULT DeskNameOverlay::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            const PaintDc screen(hwnd());
            paint(screen.get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_TIMER:
            if (wParam == kFadeTimer) onFadeStep();
            return 0;
        default:
            return Window::onMessage(message, wParam, lParam);
    }
}

}  // namespace koruvan::win32
