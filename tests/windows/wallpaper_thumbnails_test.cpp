// The bar's wallpaper pictures are decoded once per file version: repeated redraws read nothing from disk, a
// changed file is read again.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "bar/win32/wallpaper_thumbnails.h"
#include "windows/scratch_folder.h"

namespace koruvan::win32 {
namespace {

using testing::ScratchFolder;
using testing::writeTestFile;

// A 24-bit bottom-up BMP of one colour.
std::string solidBitmap(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes += "BM";
    put(54 + pixelBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixelBytes, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bytes += static_cast<char>(blue);
            bytes += static_cast<char>(green);
            bytes += static_cast<char>(red);
        }
        bytes.append(static_cast<std::size_t>(rowBytes - width * 3), '\0');
    }
    return bytes;
}

COLORREF centrePixel(HBITMAP bitmap, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, width / 2, height / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

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
