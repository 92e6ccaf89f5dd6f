// The one picture loader of the bar's buttons and of the dialogs' previews: every wallpaper format, known by
// its content whatever the file's name, decoded at the size asked. And the windows' Picture over it, which
// fills the rectangle it is drawn into and is decoded again when that rectangle changes size.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/device_context.h"
#include "platform/win32/picture.h"
#include "platform/win32/picture_loader.h"
#include "windows/scratch_folder.h"
#include "windows/test_pictures.h"

namespace koruvan::win32::testing {
namespace {

constexpr COLORREF kJpegRed = RGB(0xC0, 0x30, 0x30);
constexpr COLORREF kPngBlue = RGB(0x30, 0x50, 0xC0);

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
        BITMAP info{};
        GetObjectW(picture.get(), sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 40);
        EXPECT_EQ(info.bmHeight, 30);
        const COLORREF centre = centrePixel(picture.get(), 40, 30);
        EXPECT_TRUE(closeColour(centre, c.colour)) << std::hex << centre << " for " << c.colour;
    }
    ASSERT_TRUE(writeTestFile(folder / "notes.jpg", "not a picture"));
    for (const char* name : {"notes.jpg", "missing.jpg"}) {
        EXPECT_FALSE(loader.isPicture(folder / name)) << name;
        EXPECT_FALSE(loader.load(folder / name, 40, 30)) << name;
    }
}

TEST(Picture, FillsItsRectangleAndIsDecodedAgainWhenTheRectangleGrows) {
    ScratchFolder folder;
    ASSERT_TRUE(writeTestFile(folder / "写真.jpg", kRedJpeg));
    ASSERT_TRUE(writeTestFile(folder / "TranscodedWallpaper", kBluePng));
    ASSERT_TRUE(writeTestFile(folder / "notes.bmp", "not a picture"));
    const WindowDc screen(nullptr);
    const MemoryDc dc(screen.get());
    const Bitmap canvas(CreateCompatibleBitmap(screen.get(), 100, 80));
    const Selection selected(dc.get(), canvas.get());
    PatBlt(dc.get(), 0, 0, 100, 80, WHITENESS);
    Picture picture;

    ASSERT_TRUE(picture.load(folder / "写真.jpg"));
    ASSERT_TRUE(picture.draw(dc.get(), {10, 10, 50, 40}));
    EXPECT_TRUE(closeColour(GetPixel(dc.get(), 49, 39), kJpegRed));
    EXPECT_EQ(GetPixel(dc.get(), 50, 40), RGB(255, 255, 255));
    ASSERT_TRUE(picture.draw(dc.get(), {0, 0, 100, 80}));
    EXPECT_TRUE(closeColour(GetPixel(dc.get(), 99, 79), kJpegRed));

    EXPECT_FALSE(picture.load(folder / "notes.bmp"));
    ASSERT_TRUE(picture.load(folder / "TranscodedWallpaper"));
    ASSERT_TRUE(picture.draw(dc.get(), {0, 0, 100, 80}));
    EXPECT_TRUE(closeColour(GetPixel(dc.get(), 50, 40), kPngBlue));
}

}  // namespace
}  // namespace koruvan::win32::testing
