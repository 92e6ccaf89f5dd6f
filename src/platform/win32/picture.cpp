#include "platform/win32/picture.h"

#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {

bool Picture::load(const std::string& path) {
    if (path.empty()) return false;
    return take(Bitmap(static_cast<HBITMAP>(LoadImageW(nullptr, widen(path).c_str(), IMAGE_BITMAP, 0, 0,
                                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION))));
}

bool Picture::loadResource(int id) {
    return take(Bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))));
}

bool Picture::take(Bitmap loaded) {
    BITMAP info{};
    if (!loaded || !GetObjectW(loaded.get(), sizeof(info), &info)) return false;
    bitmap_ = std::move(loaded);
    size_ = {info.bmWidth, info.bmHeight};
    return true;
}

void Picture::clear() {
    bitmap_.reset();
    size_ = {};
}

void Picture::draw(HDC dc, const RECT& into) const {
    if (!bitmap_) return;
    const MemoryDc source(dc);
    const Selection selected(source.get(), bitmap_.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, into.left, into.top, into.right - into.left, into.bottom - into.top, source.get(), 0, 0,
               size_.cx, size_.cy, SRCCOPY);
}

}  // namespace koruvan::win32
