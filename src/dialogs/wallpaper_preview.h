#pragma once
// The enlarged wallpaper preview: a picture that fills the window, grown by a left click and
// shrunk by a right click.

#include "core/geometry.h"

namespace koruvan {

enum class MouseButton { Left, Right, Middle };

class WallpaperPreviewView {
  public:
    virtual ~WallpaperPreviewView() = default;
    virtual Size<int> outerSize() = 0;  // pixels, frame included
    virtual Size<int> clientSize() = 0;
    virtual void setOuterSize(Size<int> size) = 0;  // the window then reports its new size (onResize)
    virtual void placePicture(int left, int top, int width, int height) = 0;
};

class WallpaperPreview {
  public:
    // The picture area's design size: 4035 x 3015 twips.
    static constexpr int kDesignClientWidthTwips = 4035;
    static constexpr int kDesignClientHeightTwips = 3015;
    static constexpr double kGrowth = 1.5;

    WallpaperPreview(WallpaperPreviewView& view, int dotsPerInch);

    // Gives the window its design size.
    void onLoad();
    // Every change of size: the picture takes the whole client area.
    void onResize();
    void onMouseDown(MouseButton button);

  private:
    WallpaperPreviewView& view_;
    int dotsPerInch_;
    int designOuterWidth_ = 0;
};

}  // namespace koruvan
