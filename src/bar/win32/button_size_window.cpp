#include "bar/win32/button_size_window.h"

#include "bar/bar_layout.h"
#include "platform/win32/color_ref.h"
#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"
#include "resource_ids.h"

namespace koruvan::win32 {

std::optional<int> ButtonSizeWindow::open(HWND owner) {
    run(owner, IDD_BUTTON_SIZE);
    return model_.chosenWidth();
}

bool ButtonSizeWindow::onInit() {
    picture_.loadResource(IDB_BUTTON_PREVIEW);
    RECT preview{};
    GetWindowRect(item(IDC_BUTTON_PREVIEW), &preview);
    previewOrigin_ = {preview.left, preview.top};
    ScreenToClient(hwnd(), &previewOrigin_);
    model_.onLoad();
    return true;  // the focus goes to the scroll bar, the first control that takes it
}

// --- ButtonSizeView ---

void ButtonSizeWindow::loadPreviewPicture(const std::string& path) {
    picture_.load(path);  // a file that is no picture leaves the built-in one
    InvalidateRect(item(IDC_BUTTON_PREVIEW), nullptr, FALSE);
}

void ButtonSizeWindow::setScrollRange(int smallest, int largest, int) {
    SetScrollRange(item(IDC_SIZE_SCROLL), SB_CTL, smallest, largest, TRUE);
}

void ButtonSizeWindow::showScrollValue(int value) {
    SetScrollPos(item(IDC_SIZE_SCROLL), SB_CTL, value, TRUE);
}

void ButtonSizeWindow::showSizeNumber(const std::string& text) {
    setItemText(IDC_SIZE_NUMBER, text);
}

void ButtonSizeWindow::setPreviewSize(int width, double height) {
    HWND preview = item(IDC_BUTTON_PREVIEW);
    MoveWindow(preview, previewOrigin_.x, previewOrigin_.y, width, toPixels(height), FALSE);
    // The dialog's background shows again where a larger preview was.
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ButtonSizeWindow::showPresetName(bool shown, const std::string& name) {
    setItemText(IDC_PRESET_NAME, name);
    ShowWindow(item(IDC_PRESET_NAME), shown ? SW_SHOWNA : SW_HIDE);
}

void ButtonSizeWindow::setTipLook(const std::string& text, std::int32_t textColor, std::int32_t backColor) {
    tipText_ = toColorRef(textColor);
    tipBack_ = toColorRef(backColor);
    tipBrush_ = Brush(CreateSolidBrush(tipBack_));
    HWND tip = item(IDC_PREVIEW_TIP);
    setItemText(IDC_PREVIEW_TIP, text);
    // Sized to its text, as the bar's tip is.
    const SIZE size = textExtent(tip, widen(text));
    RECT rect{};
    GetWindowRect(tip, &rect);
    SetWindowPos(tip, nullptr, 0, 0, size.cx + 2, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ButtonSizeWindow::showTip(bool shown) {
    HWND tip = item(IDC_PREVIEW_TIP);
    if ((IsWindowVisible(tip) != FALSE) != shown) ShowWindow(tip, shown ? SW_SHOWNA : SW_HIDE);
}

void ButtonSizeWindow::close() {
    end(IDOK);
}

// --- events ---

bool ButtonSizeWindow::onCommand(int id, int, HWND) {
    switch (id) {
        case IDOK:
            model_.onSet();
            return true;
        case IDCANCEL:  // the cancel button, Esc and the close box
            model_.onCancel();
            return true;
        default:
            return false;
    }
}

void ButtonSizeWindow::onScroll(int code) {
    switch (code) {
        case SB_LINELEFT:
            model_.onScroll(ScrollMove::LineLess);
            break;
        case SB_LINERIGHT:
            model_.onScroll(ScrollMove::LineMore);
            break;
        case SB_PAGELEFT:
            model_.onScroll(ScrollMove::PageLess);
            break;
        case SB_PAGERIGHT:
            model_.onScroll(ScrollMove::PageMore);
            break;
        case SB_LEFT:
            model_.onScroll(ScrollMove::Least);
            break;
        case SB_RIGHT:
            model_.onScroll(ScrollMove::Most);
            break;
        case SB_THUMBTRACK:  // the preview follows the thumb while it is dragged
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(item(IDC_SIZE_SCROLL), SB_CTL, &info);
            model_.onScroll(ScrollMove::To, info.nTrackPos);
            break;
        }
        default:
            break;
    }
}

// Static controls let the pointer through to the dialog, which tells the preview, the "ﾌﾟﾚﾋﾞｭｰ" label and its
// own background from the other controls.
void ButtonSizeWindow::onPointerMoved(POINT point) {
    HWND under = ChildWindowFromPointEx(hwnd(), point, CWP_SKIPINVISIBLE);
    if (under == item(IDC_BUTTON_PREVIEW)) {
        model_.onPointerMoved(PointerPlace::Preview);
    } else if (!under || under == hwnd() || under == item(IDC_PREVIEW_CAPTION)) {
        model_.onPointerMoved(PointerPlace::Background);
    } else {
        model_.onPointerMoved(PointerPlace::OtherControl);
    }
}

bool ButtonSizeWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) != item(IDC_SIZE_SCROLL)) return false;
            onScroll(LOWORD(wParam));
            result = 0;
            return true;
        case WM_MOUSEMOVE:
            onPointerMoved({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            result = 0;
            return true;
        case WM_CTLCOLORSTATIC: {
            const auto control = reinterpret_cast<HWND>(lParam);
            const auto dc = reinterpret_cast<HDC>(wParam);
            if (control == item(IDC_PREVIEW_TIP) && tipBrush_) {
                SetTextColor(dc, tipText_);
                SetBkColor(dc, tipBack_);
                result = reinterpret_cast<INT_PTR>(tipBrush_.get());
            } else if (control == item(IDC_SIZE_NUMBER)) {
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(dc, RGB(255, 255, 255));
                result = reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
            } else {
                return false;
            }
            return true;
        }
        case WM_DRAWITEM: {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (draw.CtlID != IDC_BUTTON_PREVIEW) return false;
            if (!picture_.draw(draw.hDC, draw.rcItem)) {
                FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_3DFACE));
            }
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace koruvan::win32
