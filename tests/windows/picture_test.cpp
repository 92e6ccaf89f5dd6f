// The one picture loader of the bar's buttons and of the dialogs' previews: every wallpaper format, known by
// its content whatever the file's name, decoded at the size asked.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/picture_loader.h"
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

}  // namespace
}  // namespace koruvan::win32::testing
