#include "store/text_cleaning.h"

#include <gtest/gtest.h>

namespace koruvan {
namespace {

std::string cleaned(std::string text) {
    blankNonPrinting(text);
    return text;
}

TEST(BlankNonPrinting, ControlAndUnprintableCharactersBecomeBlanks) {
    EXPECT_EQ(cleaned(std::string("a\tb\x7F"
                                  "c\0d",
                                  7)),
              "a b c d");
    EXPECT_EQ(cleaned("x\xC2\xA0y\xC2\x85z"), "x y z");  // U+00A0 and U+0085
    EXPECT_EQ(cleaned("  trimmed  "), "trimmed");
}

TEST(BlankNonPrinting, KeepsAccentsJapaneseAndHalfWidthKatakana) {
    EXPECT_EQ(cleaned("C:\\Users\\Zoë\\Bureau"), "C:\\Users\\Zoë\\Bureau");
    EXPECT_EQ(cleaned("デスクトップ ｷｬﾝｾﾙ àéîõü"), "デスクトップ ｷｬﾝｾﾙ àéîõü");
}

TEST(BlankNonPrinting, AFixedBufferWithTrailingNulsLeavesOnlyTrailingBlanks) {
    std::string buffer = "C:\\WINDOWS\\";
    buffer.resize(20, '\0');
    blankNonPrinting(buffer);
    EXPECT_EQ(removeBlanks(buffer), "C:\\WINDOWS\\");
}

TEST(RemoveBlanks, KeepsBlanksInsideAPath) {
    std::string path = "  C:\\Documents and Settings\\user\\Desktop ";
    EXPECT_EQ(removeBlanks(path), "C:\\Documents and Settings\\user\\Desktop");
    EXPECT_EQ(path, "C:\\Documents and Settings\\user\\Desktop");
}

}  // namespace
}  // namespace koruvan
