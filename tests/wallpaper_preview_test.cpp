#include "dialogs/wallpaper_preview.h"

#include <gtest/gtest.h>

#include <vector>

namespace koruvan {
namespace {

// A window with a frame of 16 x 39 pixels that takes every size it is given.
class FakePreviewView : public WallpaperPreviewView {
  public:
    Size<int> outer{300, 250};
    Size<int> outerSize() override { return outer; }
    Size<int> clientSize() override { return {outer.width - 16, outer.height - 39}; }
    void setOuterSize(Size<int> size) override { outer = size; }
    void placePicture(int left, int top, int width, int height) override {
        picture = {left, top, width, height};
    }
    std::vector<int> picture;
};

TEST(WallpaperPreviewTest, OpensAtTheDesignSizeWithThePictureFillingIt) {
    FakePreviewView view;
    WallpaperPreview preview(view, 96);
    preview.onLoad();
    EXPECT_EQ(view.outer, (Size<int>{269 + 16, 201 + 39}));
    EXPECT_EQ(view.picture, (std::vector<int>{0, 0, 269, 201}));
}

TEST(WallpaperPreviewTest, LeftGrowsRightShrinksOnlyWhileWiderThanTheDesignSize) {
    struct Case {
        const char* clicks;
        int startWidth;  // 0: the design size
        int width;
    };
    const Case cases[] = {
        {"R", 0, 285},     {"L", 0, 428}, {"LR", 0, 285},  {"LL", 0, 642},
        {"LLRRR", 0, 285}, {"M", 0, 285}, {"R", 333, 222}, {"RR", 333, 222},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicks);
        FakePreviewView view;
        WallpaperPreview preview(view, 96);
        preview.onLoad();
        if (c.startWidth) view.outer.width = c.startWidth;  // dragged wider by the user
        for (const char* click = c.clicks; *click; ++click) {
            preview.onMouseDown(*click == 'L'   ? MouseButton::Left
                                : *click == 'R' ? MouseButton::Right
                                                : MouseButton::Middle);
        }
        EXPECT_EQ(view.outer.width, c.width);
    }
}

}  // namespace
}  // namespace koruvan
