#include "bar/win32/wallpaper_thumbnails.h"

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {

HBITMAP WallpaperThumbnails::get(const std::string& path, int width, int height) {
    const Bitmap* picture = cache_.get(path, width, height);
    return picture ? picture->get() : nullptr;
}

std::optional<FileStamp> WallpaperThumbnails::stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &attributes)) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return FileStamp{
        join(attributes.nFileSizeHigh, attributes.nFileSizeLow),
        join(attributes.ftLastWriteTime.dwHighDateTime, attributes.ftLastWriteTime.dwLowDateTime)};
}

std::optional<Bitmap> WallpaperThumbnails::decode(const std::string& path, int width, int height) {
    Bitmap picture = loader_.load(path, width, height);
    if (!picture) return std::nullopt;
    return picture;
}

}  // namespace koruvan::win32
