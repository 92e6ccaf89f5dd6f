// The bar's drawing: the desks' buttons and the name tip, and where each button's face lies.
#include "bar/win32/bar_window.h"

#include "platform/win32/color_ref.h"
#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

void paintButtons(HDC dc, const DeskButtons& buttons, WallpaperThumbnails& thumbnails) {
    for (const DeskButton& button : buttons) {
        const RECT rect = buttonFaceRect(button);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (button.pictureVisible) {
            // A missing or unreadable picture leaves the bar's own background showing.
            if (HBITMAP picture = thumbnails.get(button.picturePath, width, height)) {
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

void paintTip(HDC dc, const TipLook& tip, HFONT tipFont) {
    const std::wstring text = widen(tip.text);
    const Selection font(dc, tipFont);
    const SIZE size = textExtent(dc, text);
    const RECT box{tip.left, 0, tip.left + size.cx + 4, size.cy + 2};
    const Brush brush(CreateSolidBrush(toColorRef(tip.backColor)));
    FillRect(dc, &box, brush.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, toColorRef(tip.textColor));
    TextOutW(dc, box.left + 2, 1, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

RECT buttonFaceRect(const DeskButton& button) {
    const Rect<double>& r = button.pictureVisible ? button.pictureRect : button.boxRect;
    const int left = toPixels(r.left);
    const int top = toPixels(r.top);
    return {left, top, left + toPixels(r.width), top + toPixels(r.height)};
}

int BarWindow::deskAt(POINT point) const {
    for (int d = 0; d < kDeskCount; ++d) {
        const DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        if (!button.pictureVisible && !button.boxVisible) continue;
        const RECT rect = buttonFaceRect(button);
        if (PtInRect(&rect, point)) return d;
    }
    return -1;
}

void BarWindow::paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    paintButtons(dc, buttons_, thumbnails_);
    if (tip_.visible) paintTip(dc, tip_, tipFont_.get());
}

}  // namespace koruvan::win32
