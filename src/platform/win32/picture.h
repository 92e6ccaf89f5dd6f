#pragma once
// A picture file held for drawing: loaded once, drawn stretched into any rectangle with halftone scaling.

#include <windows.h>

#include <string>

namespace koruvan::win32 {

class Picture {
  public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture() { clear(); }

    // Loads a bitmap file; false (a missing file, or no bitmap) keeps the picture held before.
    bool load(const std::string& path);
    // Loads a bitmap of the program's resources.
    bool loadResource(int id);
    void clear();
    bool empty() const { return bitmap_ == nullptr; }
    // Stretches the whole picture over `into`; draws nothing while empty.
    void draw(HDC dc, const RECT& into) const;

  private:
    bool take(HBITMAP loaded);

    HBITMAP bitmap_ = nullptr;
    SIZE size_{};
};

}  // namespace koruvan::win32
