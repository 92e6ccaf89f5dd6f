// The bar's wallpaper pictures through the system's own decoders: every format a wallpaper comes in, known by
// its content; decoded once per file version, so repeated redraws read nothing from disk and a changed file
// is read again.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

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

// Solid 8 x 8 pictures as ImageMagick writes them: JPEG #C03030, PNG #3050C0 (indexed), GIF #30A050.
constexpr std::string_view kRedJpeg(
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB\x00\x43\x00"
    "\x03\x02\x02\x02\x02\x02\x03\x02\x02\x02\x03\x03\x03\x03\x04\x06\x04\x04\x04\x04\x04\x08\x06\x06\x05"
    "\x06\x09\x08\x0A\x0A\x09\x08\x09\x09\x0A\x0C\x0F\x0C\x0A\x0B\x0E\x0B\x09\x09\x0D\x11\x0D\x0E\x0F\x10"
    "\x10\x11\x10\x0A\x0C\x12\x13\x12\x10\x13\x0F\x10\x10\x10\xFF\xDB\x00\x43\x01\x03\x03\x03\x04\x03\x04"
    "\x08\x04\x04\x08\x10\x0B\x09\x0B\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10"
    "\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10"
    "\x10\x10\x10\x10\x10\x10\x10\x10\xFF\xC0\x00\x11\x08\x00\x08\x00\x08\x03\x01\x11\x00\x02\x11\x01\x03"
    "\x11\x01\xFF\xC4\x00\x14\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x07\xFF"
    "\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xC4\x00\x15"
    "\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x07\x08\xFF\xC4\x00\x14\x11\x01"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11"
    "\x03\x11\x00\x3F\x00\x1C\x1F\xAC\x07\xFF\xD9",
    286);
constexpr std::string_view kBluePng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x08\x00\x00\x00\x08\x01"
    "\x03\x00\x00\x00\xFE\xC1\x2C\xC8\x00\x00\x00\x03\x50\x4C\x54\x45\x30\x50\xC0\xA2\xCE\x47\xAE\x00\x00"
    "\x00\x0B\x49\x44\x41\x54\x08\xD7\x63\x60\x40\x05\x00\x00\x10\x00\x01\xA1\xC5\x21\xC1\x00\x00\x00\x00"
    "\x49\x45\x4E\x44\xAE\x42\x60\x82",
    83);
constexpr std::string_view kGreenGif(
    "\x47\x49\x46\x38\x39\x61\x08\x00\x08\x00\xF0\x00\x00\x30\xA0\x50\x00\x00\x00\x21\xF9\x04\x00\x00\x00"
    "\x00\x00\x2C\x00\x00\x00\x00\x08\x00\x08\x00\x00\x02\x07\x84\x8F\xA9\xCB\xED\x5D\x00\x00\x3B",
    48);

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

bool closeColour(COLORREF a, COLORREF b) {
    const auto close = [](int x, int y) { return x - y <= 6 && y - x <= 6; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

TEST(WallpaperThumbnails, EveryWallpaperFormatIsDecodedByItsContentWhateverItsName) {
    struct Case {
        const char* name;
        std::string_view bytes;
        COLORREF colour;
    };
    const Case cases[] = {
        {"写真.jpg", kRedJpeg, RGB(0xC0, 0x30, 0x30)},
        {"TranscodedWallpaper", kRedJpeg, RGB(0xC0, 0x30, 0x30)},
        {"named.bmp", kRedJpeg, RGB(0xC0, 0x30, 0x30)},
        {"blue.png", kBluePng, RGB(0x30, 0x50, 0xC0)},
        {"green.gif", kGreenGif, RGB(0x30, 0xA0, 0x50)},
    };
    ScratchFolder folder;
    WallpaperThumbnails thumbnails;
    int decodes = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder / c.name;
        ASSERT_TRUE(writeTestFile(path, std::string(c.bytes)));
        HBITMAP picture = thumbnails.get(path, 40, 30);
        ASSERT_NE(picture, nullptr);
        BITMAP info{};
        GetObjectW(picture, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 40);
        EXPECT_EQ(info.bmHeight, 30);
        const COLORREF centre = centrePixel(picture, 40, 30);
        EXPECT_TRUE(closeColour(centre, c.colour)) << std::hex << centre << " for " << c.colour;
        EXPECT_EQ(thumbnails.get(path, 40, 30), picture);
        EXPECT_EQ(thumbnails.decodeCount(), ++decodes);
    }
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
