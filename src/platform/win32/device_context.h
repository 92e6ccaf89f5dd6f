#pragma once
// Guards for device contexts and the objects selected into them: each gives back what it took exactly once,
// in the reverse order of their making, however the drawing code leaves its scope.

#include <windows.h>

#include <string_view>

namespace koruvan::win32 {

// The device context of a window's client area (nullptr: the screen's), released when the guard goes.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// The device context of a WM_PAINT: BeginPaint now, EndPaint when the guard goes.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory device context compatible with `dc` (nullptr: the screen), deleted when the guard goes.
class MemoryDc {
  public:
    explicit MemoryDc(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// A font, brush or bitmap selected into a device context while the guard lives; the object it replaced is
// selected again when the guard goes. A null object selects nothing.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// The size of `text` in the font selected into `dc`.
SIZE textExtent(HDC dc, std::wstring_view text);

// Measures texts as `window` draws them: in `font`, or by default in the window's own font (WM_GETFONT).
// Holds the window's device context while it lives, for measuring many texts at once.
class TextMeasure {
  public:
    explicit TextMeasure(HWND window, HFONT font = nullptr);
    SIZE extent(std::wstring_view text) const { return textExtent(dc_.get(), text); }

  private:
    WindowDc dc_;
    Selection font_;
};

// The size of one text as `window` draws it, as TextMeasure measures it.
inline SIZE textExtent(HWND window, std::wstring_view text, HFONT font = nullptr) {
    return TextMeasure(window, font).extent(text);
}

}  // namespace koruvan::win32
