#include "dialogs/win32/about_window.h"

#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"
#include "resource_ids.h"

namespace koruvan::win32 {
namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr COLORREF kFigureKey = RGB(255, 0, 255);  // the figure's transparent colour
constexpr int kTitleOffset = 2;

Bitmap loadBitmap(int id) {
    return Bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

void AboutWindow::open(HWND owner) {
    run(owner, IDD_ABOUT);
}

bool AboutWindow::onInit() {
    for (int k = 0; k < kAboutPictureCount; ++k)
        pictures_[static_cast<std::size_t>(k)] = loadBitmap(IDB_ABOUT_PICTURE0 + k);
    figures_[0] = loadBitmap(IDB_ABOUT_FIGURE1);
    figures_[1] = loadBitmap(IDB_ABOUT_FIGURE2);
    for (int k = 0; k < 3; ++k) {
        icons_[static_cast<std::size_t>(k)] = loadBitmap(IDB_ABOUT_ICON0 + k);
        SendDlgItemMessageW(hwnd(), IDC_ABOUT_ICON0 + k, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(icons_[static_cast<std::size_t>(k)].get()));
    }
    titleFont_ = Font(CreateFontW(-MulDiv(20, dotsPerInch(), 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  ANTIALIASED_QUALITY, DEFAULT_PITCH, widen("MS UI Gothic").c_str()));
    setItemText(IDC_ABOUT_RELEASE, std::string(KORUVAN_VERSION_TEXT) + "版  " + KORUVAN_RELEASE_DATE);

    // OK in the middle, whatever width the dialog font gives the window.
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT button{};
    GetWindowRect(item(IDOK), &button);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&button), 2);
    SetWindowPos(item(IDOK), nullptr, (client.right - (button.right - button.left)) / 2, button.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    model_.onOpen();
    SetTimer(hwnd(), kTickTimer, kAboutTickMilliseconds, nullptr);
    return true;
}

void AboutWindow::showPicture(int picture) {
    picture_ = picture;
    InvalidateRect(item(IDC_ABOUT_PICTURE), nullptr, FALSE);
}

void AboutWindow::showFigure(int frame) {
    figure_ = frame;
    InvalidateRect(item(IDC_ABOUT_PICTURE), nullptr, FALSE);
}

void AboutWindow::close() {
    KillTimer(hwnd(), kTickTimer);
    end(IDOK);
}

bool AboutWindow::onCommand(int id, int code, HWND) {
    switch (id) {
        case IDOK:
        case IDCANCEL:  // Esc and the close box, as OK
            model_.onOk();
            return true;
        case IDC_ABOUT_PICTURE:
            if (code == STN_CLICKED) model_.onPictureMouseDown(GetKeyState(VK_CONTROL) < 0);
            if (code == STN_DBLCLK) model_.onPictureDoubleClick();
            return true;
        default:
            return false;
    }
}

bool AboutWindow::onMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR&) {
    if (message != WM_TIMER || wParam != kTickTimer) return false;
    model_.onTimer();
    return true;
}

bool AboutWindow::onDrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlID == IDC_ABOUT_PICTURE) {
        drawPicture(draw);
    } else if (draw.CtlID == IDC_ABOUT_TITLE) {
        drawTitle(draw);
    } else {
        return false;
    }
    return true;
}

void AboutWindow::drawPicture(const DRAWITEMSTRUCT& draw) const {
    RECT frame = draw.rcItem;
    DrawEdge(draw.hDC, &frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const MemoryDc source(draw.hDC);
    if (HBITMAP picture = pictures_[static_cast<std::size_t>(picture_)].get()) {
        const SIZE size = bitmapSize(picture);
        const Selection selected(source.get(), picture);
        SetStretchBltMode(draw.hDC, HALFTONE);
        SetBrushOrgEx(draw.hDC, 0, 0, nullptr);
        StretchBlt(draw.hDC, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                   source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
    }
    if (HBITMAP figure = figure_ != 0 ? figures_[static_cast<std::size_t>(figure_ - 1)].get() : nullptr) {
        // In the picture's lower right corner, scaled with the screen like the dialog.
        const int side = MulDiv(32, dotsPerInch(), 96);
        const Selection selected(source.get(), figure);
        TransparentBlt(draw.hDC, frame.right - side - 2, frame.bottom - side - 2, side, side, source.get(), 0,
                       0, 32, 32, kFigureKey);
    }
}

void AboutWindow::drawTitle(const DRAWITEMSTRUCT& draw) const {
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_3DFACE));
    const std::wstring title = windowText(draw.hwndItem);
    const Selection font(draw.hDC, titleFont_.get());
    SetBkMode(draw.hDC, TRANSPARENT);
    RECT shadow = draw.rcItem;
    OffsetRect(&shadow, kTitleOffset, kTitleOffset);
    SetTextColor(draw.hDC, RGB(64, 64, 64));
    DrawTextW(draw.hDC, title.c_str(), static_cast<int>(title.size()), &shadow,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RECT front = draw.rcItem;
    SetTextColor(draw.hDC, RGB(255, 0, 0));
    DrawTextW(draw.hDC, title.c_str(), static_cast<int>(title.size()), &front,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace koruvan::win32
