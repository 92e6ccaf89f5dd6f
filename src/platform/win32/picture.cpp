#include "platform/win32/picture.h"

#include <utility>

#include "platform/win32/device_context.h"

namespace koruvan::win32 {

bool Picture::load(const std::string& path) {
    if (!loader_.isPicture(path)) return false;
    path_ = path;
    resource_.reset();
    forgetShown();
    return true;
}

bool Picture::loadResource(int id) {
    Bitmap loaded(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded) return false;
    resource_ = std::move(loaded);
    path_.clear();
    forgetShown();
    return true;
}

void Picture::clear() {
    path_.clear();
    resource_.reset();
    forgetShown();
}

void Picture::forgetShown() {
    shown_.reset();
    shownSize_ = {};
}

bool Picture::draw(HDC dc, const RECT& into) {
    if (empty()) return false;
    const SIZE size{into.right - into.left, into.bottom - into.top};
    if (size.cx <= 0 || size.cy <= 0) return false;
    // One attempt per size: a file that fails to decode is not read again at every repaint.
    if (size.cx != shownSize_.cx || size.cy != shownSize_.cy) {
        shown_ = resource_ ? loader_.scale(resource_.get(), size.cx, size.cy)
                           : loader_.load(path_, size.cx, size.cy);
        shownSize_ = size;
    }
    if (!shown_) return false;
    const MemoryDc source(dc);
    const Selection selected(source.get(), shown_.get());
    BitBlt(dc, into.left, into.top, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
    return true;
}

}  // namespace koruvan::win32
