// The bar's drawing: the desks' buttons and the name tip, and where each button's face lies.
#include "bar/win32/bar_window.h"

#include "platform/win32/color_ref.h"
#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {

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
    paintButtons(dc);
    if (tip_.visible) paintTip(dc);
}

void BarWindow::paintButtons(HDC dc) {
    for (int d = 0; d < kDeskCount; ++d) {
        const DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        const RECT rect = faceRect(d);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (button.pictureVisible) {
            // A missing or unreadable picture leaves the bar's own background showing.
            if (HBITMAP picture = thumbnails_.get(button.picturePath, width, height)) {
                const MemoryDc source(dc);
                const Selection selected(source.get(), picture);
                BitBlt(dc, rect.left, rect.top, width, height, source.get(), 0, 0, SRCCOPY);
            }
        } else if (button.boxVisible) {
            const Brush brush(CreateSolidBrush(toColorRef(button.boxColor)));
            FillRect(dc, &rect, brush.get());
        }
    }
}

void BarWindow::paintTip(HDC dc) {
    const std::wstring text = widen(tip_.text);
    const Selection font(dc, tipFont_.get());
    const SIZE size = textExtent(dc, text);
    const RECT box{tip_.left, 0, tip_.left + size.cx + 4, size.cy + 2};
    const Brush brush(CreateSolidBrush(toColorRef(tip_.backColor)));
    FillRect(dc, &box, brush.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, toColorRef(tip_.textColor));
    TextOutW(dc, box.left + 2, 1, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace koruvan::win32
