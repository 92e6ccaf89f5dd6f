#pragma once
// A picture file held for drawing: loaded once, drawn stretched into any rectangle with halftone scaling.

#include <windows.h>

#include <string>

#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class Picture {
  public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Loads a bitmap file; false (a missing file, or no bitmap) keeps the picture held before.
    bool load(const std::string& path);
    // Loads a bitmap of the program's resources.
    bool loadResource(int id);
    void clear();
    bool empty() const { return !bitmap_; }
    // Stretches the whole picture over `into`; draws nothing while empty.
    void draw(HDC dc, const RECT& into) const;

  private:
    // Holds a loaded bitmap; false (none loaded) keeps the picture held before.
    bool take(Bitmap loaded);

    Bitmap bitmap_;
    SIZE size_{};
};

}  // namespace koruvan::win32
