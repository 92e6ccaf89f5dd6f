#include "dialogs/wallpaper_preview.h"

#include <cmath>

namespace koruvan {
namespace {

int scaled(int pixels, double factor) {
    return static_cast<int>(std::lround(pixels * factor));
}

}  // namespace

WallpaperPreview::WallpaperPreview(WallpaperPreviewView& view, int dotsPerInch)
    : view_(view), dotsPerInch_(dotsPerInch) {}

void WallpaperPreview::onLoad() {
    const Size<int> outer = view_.outerSize();
    const Size<int> client = view_.clientSize();
    designOuterWidth_ = outer.width - client.width + twipsToPixels(kDesignClientWidthTwips, dotsPerInch_);
    const int designOuterHeight =
        outer.height - client.height + twipsToPixels(kDesignClientHeightTwips, dotsPerInch_);
    view_.setOuterSize({designOuterWidth_, designOuterHeight});
    onResize();
}

void WallpaperPreview::onResize() {
    const Size<int> client = view_.clientSize();
    view_.placePicture(0, 0, client.width, client.height);
}

void WallpaperPreview::onMouseDown(MouseButton button) {
    const Size<int> outer = view_.outerSize();
    if (button == MouseButton::Left) {
        // No limit of its own: the system keeps a window within the largest size it allows.
        view_.setOuterSize({scaled(outer.width, kGrowth), scaled(outer.height, kGrowth)});
    } else if (button == MouseButton::Right && outer.width > designOuterWidth_) {
        // Only while wider than the design size (whatever the frame's thickness on this system).
        view_.setOuterSize({scaled(outer.width, 1 / kGrowth), scaled(outer.height, 1 / kGrowth)});
    }
}

}  // namespace koruvan
