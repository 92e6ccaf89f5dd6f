#include "core/text.h"

#include <gtest/gtest.h>

namespace koruvan {
namespace {

TEST(Text, TrimBlanksKeepsInnerBlanksAndOtherWhitespace) {
    EXPECT_EQ(trimBlanks("  C:\\My Documents\\a b  "), "C:\\My Documents\\a b");
    EXPECT_EQ(trimBlanks("\tx\t"), "\tx\t");
    EXPECT_EQ(trimBlanks("   "), "");
}

TEST(Text, FieldLinesKeepEmptyFieldsAndTextLinesDropTheirEnds) {
    EXPECT_EQ(fieldLine({"", "a", ""}, '\t'), "\ta\t\r\n");
    EXPECT_EQ(splitFields("\ta\t", '\t'), (std::vector<std::string_view>{"", "a", ""}));
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(textLines("\xEF\xBB\xBFhead\r\none\n\r\nlast"), (Lines{"head", "one", "", "last"}));
    EXPECT_EQ(textLines("head\r\n"), (Lines{"head"}));
    EXPECT_EQ(textLines(""), Lines{});
}

TEST(Text, LeadingIntegerSkipsBlanksAndStopsAtNonDigits) {
    EXPECT_EQ(leadingInteger(" 255"), 255);
    EXPECT_EQ(leadingInteger("-12abc"), -12);
    EXPECT_EQ(leadingInteger("word"), 0);
    EXPECT_EQ(leadingInteger(""), 0);
}

TEST(Text, LeadingNumberReadsFractionsAndRoundsHalfToEven) {
    EXPECT_DOUBLE_EQ(leadingNumber("  2.5x"), 2.5);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
}

TEST(Text, Utf8DecodingCountsUtf16UnitsAndRejectsMalformedBytes) {
    EXPECT_EQ(utf16Length("デスクトップ"), 6u);
    EXPECT_EQ(utf16Length("\xF0\x9F\x98\x80"), 2u);
    EXPECT_TRUE(isValidUtf8("ｷｬﾝｾﾙ"));
    EXPECT_FALSE(isValidUtf8("\x83\x66\x83\x58"));  // "デス" in code page 932
}

}  // namespace
}  // namespace koruvan
