// The UTF-8 <-> UTF-16 pair used at every system call, and the decoding of settings files written in the
// Japanese legacy code page.
#include <gtest/gtest.h>

#include <vector>

#include "core/name_case.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace koruvan::win32 {
namespace {

// The upper case file names compare by is the system's own (RtlUpcaseUnicodeChar, whose table NTFS copies
// into each volume when it is formatted), for every character of the Basic Multilingual Plane.
TEST(FileNameCaseTest, IsTheSystemsUpperCaseOfFileNames) {
    using Upcase = WCHAR(WINAPI*)(WCHAR);
    const auto upcase = reinterpret_cast<Upcase>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
    ASSERT_NE(upcase, nullptr);
    std::vector<unsigned> differing;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (fileNameUpperCase(c) != upcase(static_cast<WCHAR>(c)))
            differing.push_back(static_cast<unsigned>(c));
    }
    EXPECT_EQ(differing, std::vector<unsigned>{});
}

TEST(WideTextTest, RoundTripsJapaneseHalfWidthKatakanaAndSurrogates) {
    for (const std::string& text :
         std::vector<std::string>{"", "C:\\KORUVAN\\", "デスクトップ", "ｷｬﾝｾﾙ", "ＭＳ Ｐゴシック", "📁 desk",
                                  std::string("a\0b", 3)}) {
        EXPECT_EQ(narrow(widen(text)), text);
    }
    EXPECT_EQ(widen("ｷｬﾝｾﾙ"), L"\uFF77\uFF6C\uFF9D\uFF7E\uFF99");
    EXPECT_EQ(widen("📁"), L"\xD83D\xDCC1");
}

TEST(WideTextTest, InvalidInputBecomesReplacementCharacter) {
    EXPECT_EQ(widen("a\xFF"
                    "b"),
              L"a\uFFFD"
              L"b");
    EXPECT_EQ(narrow(std::wstring(L"a\xD800"
                                  L"b")),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(DecodeLegacyTextTest, DecodesCodePage932) {
    Win32Platform platform{"Local\\KORUVAN.Test.Text"};
    // "デスクトップ", then half-width "ｷｬﾝｾﾙ", then a path whose 0x5C stays a backslash.
    EXPECT_EQ(platform.files.decodeLegacyText("\x83\x66\x83\x58\x83\x4E\x83\x67\x83\x62\x83\x76"),
              "デスクトップ");
    EXPECT_EQ(platform.files.decodeLegacyText("\xB7\xAC\xDD\xBE\xD9"), "ｷｬﾝｾﾙ");
    EXPECT_EQ(platform.files.decodeLegacyText("0=\x8D\xF7,C:\\\x95\x5C.bmp"), "0=桜,C:\\表.bmp");
    EXPECT_EQ(platform.files.decodeLegacyText(""), "");
}

TEST(DecodeLegacyTextTest, RefusesBytesThatAreNotCodePage932) {
    Win32Platform platform{"Local\\KORUVAN.Test.Text"};
    EXPECT_EQ(platform.files.decodeLegacyText("abc\x83"), std::nullopt);  // lead byte cut off
    EXPECT_EQ(platform.files.decodeLegacyText("\xE3\x83\x87\xE3\x82\xB9\xE3\x82\xAF"),
              std::nullopt);  // UTF-8
}

}  // namespace
}  // namespace koruvan::win32
