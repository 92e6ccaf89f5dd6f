#include "store/profile_encoding.h"

#include <cstdint>

#include "core/text.h"

namespace koruvan {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    };
    const std::size_t units = bytes.size() / 2;  // an odd last byte is no character
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < units; ++i) {
        char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char32_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;
        appendUtf8(text, unit);
    }
    return text;
}

// Malformed bytes become U+FFFD, one each.
std::string repairUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size())
        appendUtf8(text, nextCodePoint(bytes, pos));
    return text;
}

std::string decodeLegacy(std::string_view bytes, FileSystem& files) {
    if (auto whole = files.decodeLegacyText(bytes)) return std::move(*whole);
    // No lead or trail byte of the code page is a line feed, so the lines can be decoded one by one.
    std::string text;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        const std::string_view line = bytes.substr(start, end - start);
        auto decoded = files.decodeLegacyText(line);
        text += decoded ? *decoded : repairUtf8(line);
        start = end;
    }
    return text;
}

void appendUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

}  // namespace

std::string decodeProfileBytes(std::string_view bytes, FileSystem& files) {
    if (bytes.starts_with(kUtf16LeMark)) return decodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
    if (bytes.starts_with(kUtf16BeMark)) return decodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
    if (bytes.starts_with(kUtf8Mark)) return repairUtf8(bytes.substr(kUtf8Mark.size()));
    // Here we part from the system's reader on purpose: without a mark it takes the bytes in the legacy code
    // page, which garbles the UTF-8 that Notepad saves by default. Japanese text in that code page is next to
    // never valid UTF-8, so valid UTF-8 is taken as UTF-8.
    if (isValidUtf8(bytes)) return std::string(bytes);
    return decodeLegacy(bytes, files);
}

std::string encodeProfileText(std::string_view text) {
    std::string out(kUtf16LeMark);
    out.reserve(2 + 2 * text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t cp = nextCodePoint(text, pos);
        if (cp >= 0x10000) {
            appendUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
            appendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            appendUnit(out, cp);
        }
    }
    return out;
}

}  // namespace koruvan
