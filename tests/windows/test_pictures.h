#pragma once
// Small pictures of every wallpaper format, and what a test reads back from a bitmap, for the tests of the
// picture loader and of the pictures built on it.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace koruvan::win32::testing {

inline void appendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 24-bit bottom-up BMP of one colour.
inline std::string solidBitmap(int width, int height, std::uint8_t red, std::uint8_t green,
                               std::uint8_t blue) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) { appendLittleEndian(bytes, value, size); };
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

// An uncompressed RGB TIFF of one colour in one strip.
inline std::string solidTiff(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    constexpr std::uint32_t kEntries = 9;
    constexpr std::uint32_t kBitsAt = 8 + 2 + kEntries * 12 + 4;  // after the header and the one directory
    constexpr std::uint32_t kPixelsAt = kBitsAt + 6;
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    std::string bytes = "II*";
    bytes += '\0';
    appendLittleEndian(bytes, 8, 4);
    appendLittleEndian(bytes, kEntries, 2);
    const auto entry = [&](std::uint32_t tag, std::uint32_t type, std::uint32_t count, std::uint32_t value) {
        appendLittleEndian(bytes, tag, 2);
        appendLittleEndian(bytes, type, 2);
        appendLittleEndian(bytes, count, 4);
        appendLittleEndian(bytes, value, 4);
    };
    constexpr std::uint32_t kShort = 3;
    constexpr std::uint32_t kLong = 4;
    entry(256, kLong, 1, w);          // width
    entry(257, kLong, 1, h);          // height
    entry(258, kShort, 3, kBitsAt);   // 8 bits per sample
    entry(259, kShort, 1, 1);         // no compression
    entry(262, kShort, 1, 2);         // RGB
    entry(273, kLong, 1, kPixelsAt);  // where the strip starts
    entry(277, kShort, 1, 3);         // samples per pixel
    entry(278, kLong, 1, h);          // rows per strip
    entry(279, kLong, 1, w * h * 3);  // the strip's length
    appendLittleEndian(bytes, 0, 4);  // no further directory
    for (int k = 0; k < 3; ++k)
        appendLittleEndian(bytes, 8, 2);
    for (std::uint32_t k = 0; k < w * h; ++k) {
        bytes += static_cast<char>(red);
        bytes += static_cast<char>(green);
        bytes += static_cast<char>(blue);
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

inline COLORREF centrePixel(HBITMAP bitmap, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, width / 2, height / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

inline bool closeColour(COLORREF a, COLORREF b) {
    const auto close = [](int x, int y) { return x - y <= 6 && y - x <= 6; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

}  // namespace koruvan::win32::testing
