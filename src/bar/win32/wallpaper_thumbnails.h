#pragma once
// Wallpaper pictures scaled to the button size, cached by path, file size and modification time: a changed
// file is read again, an unchanged one is not.

#include <windows.h>

#include <map>
#include <string>

namespace koruvan::win32 {

class WallpaperThumbnails {
  public:
    WallpaperThumbnails() = default;
    WallpaperThumbnails(const WallpaperThumbnails&) = delete;
    WallpaperThumbnails& operator=(const WallpaperThumbnails&) = delete;
    ~WallpaperThumbnails();

    // A bitmap of exactly width x height, or nullptr when the file is missing or not a picture. Owned by the
    // cache.
    HBITMAP get(const std::string& path, int width, int height);
    int decodeCount() const { return decodes_; }

  private:
    struct Entry {
        ULONGLONG fileSize = 0;
        FILETIME writeTime{};
        int width = 0;
        int height = 0;
        HBITMAP bitmap = nullptr;
        bool decoded = false;
    };
    std::map<std::string, Entry> entries_;
    int decodes_ = 0;
};

}  // namespace koruvan::win32
