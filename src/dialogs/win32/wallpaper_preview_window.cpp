#include "dialogs/win32/wallpaper_preview_window.h"

#include "core/paths.h"
#include "resource_ids.h"

namespace koruvan::win32 {

void WallpaperPreviewWindow::open(HWND owner) {
    run(owner, IDD_ENLARGED_WALLPAPER);
}

bool WallpaperPreviewWindow::onInit() {
    picture_.load(path_);
    // The picture's name is what a screen reader announces for it.
    setItemText(IDC_ENLARGED_PICTURE, fileNameOfPath(path_));
    model_.emplace(*this, dotsPerInch());
    model_->onLoad();
    return true;
}

Size<int> WallpaperPreviewWindow::outerSize() {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

Size<int> WallpaperPreviewWindow::clientSize() {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return {r.right, r.bottom};
}

void WallpaperPreviewWindow::setOuterSize(Size<int> size) {
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WallpaperPreviewWindow::placePicture(int left, int top, int width, int height) {
    HWND picture = item(IDC_ENLARGED_PICTURE);
    MoveWindow(picture, left, top, width, height, FALSE);
    InvalidateRect(picture, nullptr, FALSE);
}

bool WallpaperPreviewWindow::onCommand(int id, int, HWND) {
    if (id != IDOK && id != IDCANCEL) return false;
    end(id);  // Esc closes the window, as its close box does
    return true;
}

bool WallpaperPreviewWindow::onDrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlID != IDC_ENLARGED_PICTURE) return false;
    if (!picture_.draw(draw.hDC, draw.rcItem)) {
        FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_3DFACE));
    }
    return true;
}

bool WallpaperPreviewWindow::onMessage(UINT message, WPARAM, LPARAM, INT_PTR&) {
    switch (message) {
        case WM_SIZE:
            if (model_) model_->onResize();
            return true;
        // The picture lets the mouse through to the window (a static without SS_NOTIFY).
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (model_) {
                model_->onMouseDown(message == WM_LBUTTONDOWN   ? MouseButton::Left
                                    : message == WM_RBUTTONDOWN ? MouseButton::Right
                                                                : MouseButton::Middle);
            }
            return true;
        default:
            return false;
    }
}

}  // namespace koruvan::win32
