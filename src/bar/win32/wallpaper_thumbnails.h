#pragma once
// Wallpaper pictures at the button size, decoded by the platform's PictureLoader (every wallpaper format,
// known by content). ThumbnailCache decides when a file is decoded again.

#include <windows.h>

#include <optional>
#include <string>

#include "bar/thumbnail_cache.h"
#include "platform/win32/picture_loader.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

// Made on the user-interface thread, which it keeps in a COM apartment while it lives.
class WallpaperThumbnails final : private PictureReader<Bitmap> {
  public:
    WallpaperThumbnails() = default;
    WallpaperThumbnails(const WallpaperThumbnails&) = delete;
    WallpaperThumbnails& operator=(const WallpaperThumbnails&) = delete;
    ~WallpaperThumbnails() override = default;

    // A bitmap of exactly width x height, or nullptr when the file is missing or not a picture. Owned by the
    // cache.
    HBITMAP get(const std::string& path, int width, int height);
    int decodeCount() const { return cache_.decodeCount(); }

  private:
    std::optional<FileStamp> stamp(const std::string& path) override;
    std::optional<Bitmap> decode(const std::string& path, int width, int height) override;

    // Declared in this order so that the pictures go before the loader and its COM apartment.
    PictureLoader loader_;
    ThumbnailCache<Bitmap> cache_{*this};
};

}  // namespace koruvan::win32
