#pragma once
// The picture of a window's control: a picture file of any wallpaper format, or a bitmap of the program's
// own, decoded by PictureLoader at the size of the rectangle it is drawn into and decoded again only when
// that size changes, so a grown window shows a sharp picture and a repaint costs a copy.

#include <windows.h>

#include <string>

#include "platform/win32/picture_loader.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class Picture {
  public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Takes a picture file, known by its content; false (a missing file, or no picture) keeps the picture
    // held before.
    bool load(const std::string& path);
    // Takes a bitmap of the program's resources; false keeps the picture held before.
    bool loadResource(int id);
    void clear();
    bool empty() const { return path_.empty() && !resource_; }
    // Fills `into` with the whole picture; false when there is nothing to draw (empty, or the file no longer
    // holds a picture), leaving the background to the caller.
    bool draw(HDC dc, const RECT& into);

  private:
    void forgetShown();

    PictureLoader loader_;
    std::string path_;  // the file; empty for a resource or no picture
    Bitmap resource_;   // the resource at its own size
    Bitmap shown_;      // the picture at shownSize_; empty when it could not be decoded at that size
    SIZE shownSize_{};
};

}  // namespace koruvan::win32
