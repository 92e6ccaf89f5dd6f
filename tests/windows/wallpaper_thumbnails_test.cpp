// The bar's wallpaper pictures at the button size: decoded once per file version, so repeated redraws read
// nothing from disk and a changed file is read again. The formats are the picture loader's
// (picture_test.cpp).
#include <gtest/gtest.h>

#include <string>

#include "bar/win32/wallpaper_thumbnails.h"
#include "windows/scratch_folder.h"
#include "windows/test_pictures.h"

namespace koruvan::win32 {
namespace {

using testing::centrePixel;
using testing::ScratchFolder;
using testing::solidBitmap;
using testing::writeTestFile;

TEST(WallpaperThumbnails, DecodesOncePerFileVersionAndScalesToTheButton) {
    ScratchFolder folder;
    const std::string path = folder / "壁紙.bmp";
    ASSERT_TRUE(writeTestFile(path, solidBitmap(64, 48, 200, 40, 40)));
    WallpaperThumbnails thumbnails;

    HBITMAP first = thumbnails.get(path, 40, 30);
    ASSERT_NE(first, nullptr);
    BITMAP info{};
    GetObjectW(first, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 40);
    EXPECT_EQ(info.bmHeight, 30);
    EXPECT_EQ(centrePixel(first, 40, 30), RGB(200, 40, 40));
    for (int redraw = 0; redraw < 5; ++redraw)
        EXPECT_EQ(thumbnails.get(path, 40, 30), first);
    EXPECT_EQ(thumbnails.decodeCount(), 1);

    // Another picture under the same name, of another size: read again.
    ASSERT_TRUE(writeTestFile(path, solidBitmap(32, 24, 30, 60, 200)));
    HBITMAP changed = thumbnails.get(path, 40, 30);
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(centrePixel(changed, 40, 30), RGB(30, 60, 200));
    EXPECT_EQ(thumbnails.decodeCount(), 2);

    // A new button size scales anew.
    EXPECT_NE(thumbnails.get(path, 28, 21), nullptr);
    EXPECT_EQ(thumbnails.decodeCount(), 3);
}

TEST(WallpaperThumbnails, AMissingFileOrANonPictureGivesNoPictureAndIsNotRetriedEveryRedraw) {
    ScratchFolder folder;
    WallpaperThumbnails thumbnails;
    EXPECT_EQ(thumbnails.get(folder / "missing.bmp", 40, 30), nullptr);

    const std::string text = folder / "notes.bmp";
    ASSERT_TRUE(writeTestFile(text, "not a picture"));
    EXPECT_EQ(thumbnails.get(text, 40, 30), nullptr);
    EXPECT_EQ(thumbnails.get(text, 40, 30), nullptr);
    EXPECT_EQ(thumbnails.decodeCount(), 1);
}

}  // namespace
}  // namespace koruvan::win32
