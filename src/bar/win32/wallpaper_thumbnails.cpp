#include "bar/win32/wallpaper_thumbnails.h"

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

HBITMAP scaledCopy(HBITMAP source, int width, int height) {
    BITMAP info{};
    if (!GetObjectW(source, sizeof(info), &info)) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP result = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, result);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return result;
}

}  // namespace

WallpaperThumbnails::~WallpaperThumbnails() {
    for (auto& [path, entry] : entries_) {
        if (entry.bitmap) DeleteObject(entry.bitmap);
    }
}

HBITMAP WallpaperThumbnails::get(const std::string& path, int width, int height) {
    if (path.empty() || width <= 0 || height <= 0) return nullptr;
    const std::wstring widePath = widen(path);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(widePath.c_str(), GetFileExInfoStandard, &attributes)) return nullptr;
    const ULONGLONG size = (static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;

    Entry& entry = entries_[path];
    if (entry.decoded && entry.fileSize == size &&
        CompareFileTime(&entry.writeTime, &attributes.ftLastWriteTime) == 0 && entry.width == width &&
        entry.height == height) {
        return entry.bitmap;
    }
    if (entry.bitmap) DeleteObject(entry.bitmap);
    // A file that is not a picture is remembered too, so it is not decoded again on every paint.
    entry = Entry{size, attributes.ftLastWriteTime, width, height, nullptr, true};
    ++decodes_;
    auto* full = static_cast<HBITMAP>(
        LoadImageW(nullptr, widePath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!full) return nullptr;
    entry.bitmap = scaledCopy(full, width, height);
    DeleteObject(full);
    return entry.bitmap;
}

}  // namespace koruvan::win32
