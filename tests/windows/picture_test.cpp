// The one picture loader of the bar's buttons and of the dialogs' previews: every wallpaper format, known by
// its content whatever the file's name, decoded at the size asked. And the windows' Picture over it, which
// fills the rectangle it is drawn into and is decoded again when that rectangle changes size.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/device_context.h"
#include "platform/win32/picture.h"
#include "platform/win32/picture_loader.h"
#include "resource_ids.h"
#include "windows/scratch_folder.h"
#include "windows/test_pictures.h"

namespace koruvan::win32::testing {
namespace {

constexpr COLORREF kJpegRed = RGB(0xC0, 0x30, 0x30);
constexpr COLORREF kPngBlue = RGB(0x30, 0x50, 0xC0);

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(PictureLoader, EveryWallpaperFormatIsDecodedByItsContentAtTheSizeAsked) {
    struct Case {
        const char* name;
        std::string bytes;
        COLORREF colour;
    };
    const Case cases[] = {
        {"写真.jpg", std::string(kRedJpeg), kJpegRed},
        {"TranscodedWallpaper", std::string(kRedJpeg), kJpegRed},
        {"named.bmp", std::string(kRedJpeg), kJpegRed},
        {"壁紙", std::string(kBluePng), kPngBlue},
        {"green.gif", std::string(kGreenGif), RGB(0x30, 0xA0, 0x50)},
        {"scan.tif", solidTiff(8, 6, 0xD0, 0xC0, 0x20), RGB(0xD0, 0xC0, 0x20)},
        {"plain.bmp", solidBitmap(64, 48, 200, 40, 40), RGB(200, 40, 40)},
    };
    ScratchFolder folder;
    PictureLoader loader;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder / c.name;
        ASSERT_TRUE(writeTestFile(path, c.bytes));
        EXPECT_TRUE(loader.isPicture(path));
        const Bitmap picture = loader.load(path, 40, 30);
        ASSERT_TRUE(picture);
        const SIZE size = bitmapSize(picture.get());
        EXPECT_EQ(size.cx, 40);
        EXPECT_EQ(size.cy, 30);
        const COLORREF centre = centrePixel(picture.get(), 40, 30);
        EXPECT_TRUE(closeColour(centre, c.colour)) << std::hex << centre << " for " << c.colour;
    }
    ASSERT_TRUE(writeTestFile(folder / "notes.jpg", "not a picture"));
    for (const char* name : {"notes.jpg", "missing.jpg"}) {
        EXPECT_FALSE(loader.isPicture(folder / name)) << name;
        EXPECT_FALSE(loader.load(folder / name, 40, 30)) << name;
    }
}

// A white 32-bit canvas to draw pictures on, read back pixel by pixel.
class Canvas {
  public:
    Canvas(int width, int height) : dc_(nullptr) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        selected_.emplace(dc_.get(), bitmap_.get());
        const RECT all{0, 0, width, height};
        FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    HDC dc() const { return dc_.get(); }
    COLORREF at(int x, int y) const { return GetPixel(dc_.get(), x, y); }

  private:
    MemoryDc dc_;
    Bitmap bitmap_;
    std::optional<Selection> selected_;
};

TEST(Picture, FillsItsRectangleAndIsDecodedAgainWhenTheRectangleGrows) {
    ScratchFolder folder;
    ASSERT_TRUE(writeTestFile(folder / "写真.jpg", kRedJpeg));
    ASSERT_TRUE(writeTestFile(folder / "TranscodedWallpaper", kBluePng));
    ASSERT_TRUE(writeTestFile(folder / "notes.bmp", "not a picture"));
    Canvas canvas(100, 80);
    Picture picture;

    ASSERT_TRUE(picture.load(folder / "写真.jpg"));
    ASSERT_TRUE(picture.draw(canvas.dc(), {10, 10, 50, 40}));
    EXPECT_TRUE(closeColour(canvas.at(10, 10), kJpegRed));
    EXPECT_TRUE(closeColour(canvas.at(49, 39), kJpegRed));
    EXPECT_EQ(canvas.at(50, 40), RGB(255, 255, 255));
    ASSERT_TRUE(picture.draw(canvas.dc(), {0, 0, 100, 80}));
    EXPECT_TRUE(closeColour(canvas.at(99, 79), kJpegRed));

    // A file that holds no picture leaves the one shown; a picture without an extension replaces it.
    EXPECT_FALSE(picture.load(folder / "notes.bmp"));
    EXPECT_TRUE(picture.draw(canvas.dc(), {0, 0, 100, 80}));
    ASSERT_TRUE(picture.load(folder / "TranscodedWallpaper"));
    ASSERT_TRUE(picture.draw(canvas.dc(), {0, 0, 100, 80}));
    EXPECT_TRUE(closeColour(canvas.at(50, 40), kPngBlue));

    picture.clear();
    EXPECT_FALSE(picture.draw(canvas.dc(), {0, 0, 100, 80}));
}

TEST(Picture, TheProgramsOwnBitmapIsScaledLikeAFile) {
    const Bitmap resource(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BUTTON_PREVIEW),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(resource);
    const SIZE size = bitmapSize(resource.get());
    Canvas canvas(size.cx * 2, size.cy * 2);
    Picture picture;
    ASSERT_TRUE(picture.loadResource(IDB_BUTTON_PREVIEW));
    ASSERT_TRUE(picture.draw(canvas.dc(), {0, 0, size.cx, size.cy}));
    EXPECT_TRUE(
        closeColour(canvas.at(size.cx / 2, size.cy / 2), centrePixel(resource.get(), size.cx, size.cy)));
    ASSERT_TRUE(picture.draw(canvas.dc(), {0, 0, size.cx * 2, size.cy * 2}));
    EXPECT_TRUE(closeColour(canvas.at(size.cx, size.cy), centrePixel(resource.get(), size.cx, size.cy)));
}

}  // namespace
}  // namespace koruvan::win32::testing
