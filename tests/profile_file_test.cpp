#include "store/profile_file.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "store/profile_encoding.h"

namespace koruvan {
namespace {

constexpr const char* kPath = "C:\\KORUVAN\\KORUVAN.ini";

class ProfileFileTest : public ::testing::Test {
  protected:
    testing::FakePlatform platform;
    ProfileFile file{platform, kPath};

    void SetUp() override { ASSERT_TRUE(platform.makeFolder("C:\\KORUVAN\\")); }

    void give(std::string_view bytes) { platform.writeFile(kPath, bytes); }
    std::string text() { return decodeProfileBytes(platform.fileContent(kPath), platform); }
};

TEST_F(ProfileFileTest, RoundTripsJapaneseAndHalfWidthKatakanaAsUtf16WithCrlf) {
    ASSERT_TRUE(file.writeString("DeskTop", "0", "デスクトップ,C:\\壁紙\\ｷｬﾝｾﾙ.bmp,,,2"));
    ASSERT_TRUE(file.writeString("User", "LastUse", "3"));
    EXPECT_EQ(file.readString("DeskTop", "0", ""), "デスクトップ,C:\\壁紙\\ｷｬﾝｾﾙ.bmp,,,2");
    EXPECT_EQ(file.readString("User", "LastUse", ""), "3");

    const std::string bytes = platform.fileContent(kPath);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xFF\xFE[\0D\0", 6));
    EXPECT_EQ(text(), "[DeskTop]\r\n0=デスクトップ,C:\\壁紙\\ｷｬﾝｾﾙ.bmp,,,2\r\n[User]\r\nLastUse=3\r\n");
}

TEST_F(ProfileFileTest, NamesCompareWithoutCaseAndMissingThingsGiveTheDefault) {
    EXPECT_EQ(file.readString("User", "LastUse", "none"), "none");  // no file
    EXPECT_EQ(file.readInt("User", "LastUse", 7), 7);
    give("[user]\r\nlastuse=4\r\nNoEquals\r\n");
    EXPECT_EQ(file.readInt("USER", "LastUSE", 0), 4);
    EXPECT_EQ(file.readString("User", "Other", "d"), "d");
    EXPECT_EQ(file.readString("Color", "LastUse", "d"), "d");
    EXPECT_EQ(file.readString("User", "NoEquals", "d"), "d");

    ASSERT_TRUE(file.writeString("User", "LASTUSE", "5"));
    EXPECT_EQ(text(), "[user]\r\nlastuse=5\r\nNoEquals\r\n");  // the file's spelling stays
}

TEST_F(ProfileFileTest, ValuesAreTrimmedUnquotedAndReadWhole) {
    const std::string longValue(600, 'x');
    give("[S]\n  a =  spaced value \t\nq=\"  quoted  \"\nsingle='x'\nlone=\"\nlong=" + longValue + "\n");
    EXPECT_EQ(file.readString("S", "a", ""), "spaced value");
    EXPECT_EQ(file.readString("S", "q", ""), "  quoted  ");
    EXPECT_EQ(file.readString("S", "single", ""), "x");
    EXPECT_EQ(file.readString("S", "lone", ""), "\"");
    EXPECT_EQ(file.readString("S", "long", ""), longValue);

    // A value that reading would unquote, or that would break the line, still reads back as written.
    ASSERT_TRUE(file.writeString("S", "q", "\"kept\""));
    ASSERT_TRUE(file.writeString("S", "n", "two\r\nlines"));
    EXPECT_EQ(file.readString("S", "q", ""), "\"kept\"");
    EXPECT_EQ(file.readString("S", "n", ""), "two  lines");
}

TEST_F(ProfileFileTest, ReadIntSkipsBlanksAndReadsTheLeadingNumber) {
    give("[Color]\nA= 255\nB=255\nC=word\nD=\nE=-12abc\nF=  +7\nG=99999999999\n");
    EXPECT_EQ(file.readInt("Color", "A", 1), 255);
    EXPECT_EQ(file.readInt("Color", "B", 1), 255);
    EXPECT_EQ(file.readInt("Color", "C", 1), 0);
    EXPECT_EQ(file.readInt("Color", "D", 1), 1);
    EXPECT_EQ(file.readInt("Color", "E", 1), -12);
    EXPECT_EQ(file.readInt("Color", "F", 1), 7);
    EXPECT_EQ(file.readInt("Color", "G", 1), 2147483647);
}

// What a hand edit can leave, read as the system's own profile calls read it.
TEST_F(ProfileFileTest, ReadsLineBreaksSectionNamesAndBasePrefixesAsTheSystemDoes) {
    const struct {
        const char* file;
        const char* section;
        const char* key;
        const char* text;
        std::int32_t number;
    } cases[] = {
        // A lone CR ends a line, in a CR-only file and as one stray CR in a CRLF file.
        {"[User]\rLastUse=3\r", "User", "LastUse", "3", 3},
        {"[DeskTop]\r\n0=a,b\r1=c,d\r\n", "DeskTop", "1", "c,d", 0},
        // Blanks, tabs, VT, FF and ^Z around a section's name, not inside it.
        {"[ \t\v\fDeskTop\x1A ]\n0=x\n", "DeskTop", "0", "x", 0},
        {"[Desk Top]\n0=x\n", "DeskTop", "0", "-", 7},
        // Lower-case base prefixes after the sign; the digits stop at the first that the base lacks.
        {"[C]\nA=0x0000FF\n", "C", "A", "0x0000FF", 255},
        {"[C]\nA=-0x10\n", "C", "A", "-0x10", -16},
        {"[C]\nA=0o19\n", "C", "A", "0o19", 1},
        {"[C]\nA=0b101\n", "C", "A", "0b101", 5},
        {"[C]\nA=0X10\n", "C", "A", "0X10", 0},
        {"[C]\nA=010\n", "C", "A", "010", 10},
        {"[C]\nA=0x1FFFFFFFFFFFFFFFFFF\n", "C", "A", "0x1FFFFFFFFFFFFFFFFFF", 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        give(c.file);
        EXPECT_EQ(file.readString(c.section, c.key, "-"), c.text);
        EXPECT_EQ(file.readInt(c.section, c.key, 7), c.number);
    }
}

TEST_F(ProfileFileTest, WritingIntoAFileWithLoneCrsKeepsEveryLine) {
    give("[ DeskTop ]\r0=a,b\r1=c,d\r\n[User]\rLastUse=3\r");
    ASSERT_TRUE(file.writeString("DeskTop", "2", "e"));
    ASSERT_TRUE(file.writeString("User", "LastUse", "4"));
    EXPECT_EQ(text(), "[ DeskTop ]\r\n0=a,b\r\n1=c,d\r\n2=e\r\n[User]\r\nLastUse=4\r\n");
}

TEST_F(ProfileFileTest, WritingKeepsEveryOtherLineAndPlacesNewKeysAtTheEndOfTheirSection) {
    give(
        "; made by hand\r\n[User]\r\nLastUse=1\r\n\r\n"
        "; colours\r\n[Color]\r\nX=1\r\n[User]\r\nLastUse=9\r\n");
    ASSERT_TRUE(file.writeString("User", "SizeNum", "2"));
    ASSERT_TRUE(file.writeString("User", "LastUse", ""));
    ASSERT_TRUE(file.writeString("DeskTop", "0", ""));
    EXPECT_EQ(text(),
              "; made by hand\r\n[User]\r\nLastUse=\r\nSizeNum=2\r\n\r\n; colours\r\n[Color]\r\nX=1\r\n"
              "[User]\r\nLastUse=9\r\n[DeskTop]\r\n0=\r\n");
    EXPECT_EQ(file.readString("User", "LastUse", "d"), "");  // the first section of a name counts
    EXPECT_EQ(file.readInt("User", "LastUse", 6), 6);
}

TEST_F(ProfileFileTest, ReadsUtf8WithAndWithoutMarkAndTheLegacyCodePage) {
    give("\xEF\xBB\xBF[DeskTop]\n0=デスクトップ,ｶﾅ\n");
    EXPECT_EQ(file.readString("DeskTop", "0", ""), "デスクトップ,ｶﾅ");
    give("[DeskTop]\r\n0=デスクトップ\r\n");
    EXPECT_EQ(file.readString("DeskTop", "0", ""), "デスクトップ");
    give("[DeskTop]\r\n0=\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76,\xB6\xC5\r\n");
    EXPECT_EQ(file.readString("DeskTop", "0", ""), "デスクトップ,ｶﾅ");

    // The first write turns a legacy file into UTF-16 without losing its text.
    ASSERT_TRUE(file.writeString("User", "LastUse", "0"));
    EXPECT_EQ(text(), "[DeskTop]\r\n0=デスクトップ,ｶﾅ\r\n[User]\r\nLastUse=0\r\n");
}

TEST_F(ProfileFileTest, AFailedWriteLeavesTheOldFile) {
    give("[User]\r\nLastUse=1\r\n");
    platform.failWrites = true;
    EXPECT_FALSE(file.writeString("User", "LastUse", "2"));
    EXPECT_EQ(platform.fileContent(kPath), "[User]\r\nLastUse=1\r\n");
    EXPECT_EQ(file.readInt("User", "LastUse", 0), 1);
}

TEST_F(ProfileFileTest, AValueOfTheSameLengthIsWrittenInPlace) {
    give(encodeProfileText("[User]\r\nLastUse=1\r\n[DeskTop]\r\n0=仕事,,,,0\r\n"));
    const struct {
        const char* value;
        const char* call;
    } cases[] = {{"7", "patch"}, {"7", nullptr}, {"12", "write"}, {"34", "patch"}};
    for (const auto& c : cases) {
        platform.clearCalls();
        ASSERT_TRUE(file.writeString("User", "LastUse", c.value));
        EXPECT_EQ(file.readString("User", "LastUse", ""), c.value);
        EXPECT_EQ(platform.calls, c.call ? std::vector<std::string>{std::string(c.call) + " " + kPath}
                                         : std::vector<std::string>{});
    }
    EXPECT_EQ(text(), "[User]\r\nLastUse=34\r\n[DeskTop]\r\n0=仕事,,,,0\r\n");
}

TEST(ProfileEncoding, DecodesBothUtf16OrdersAndDamagedInput) {
    testing::FakePlatform platform;
    const std::string encoded = encodeProfileText("a=デ𝄞");  // 𝄞 needs a surrogate pair
    EXPECT_EQ(encoded, std::string("\xFF\xFE"
                                   "a\0=\0\xC7\x30\x34\xD8\x1E\xDD",
                                   12));
    EXPECT_EQ(decodeProfileBytes(encoded, platform), "a=デ𝄞");
    EXPECT_EQ(decodeProfileBytes(std::string("\xFE\xFF\0a\x30\xC7", 6), platform), "aデ");
    EXPECT_EQ(decodeProfileBytes(std::string("\xFF\xFE"
                                             "a\0\x00\xD8"
                                             "b\0",
                                             8),
                                 platform),
              "a\uFFFDb");

    // A line that is not valid in the legacy code page costs only itself.
    EXPECT_EQ(decodeProfileBytes("a=\x83\x66\nb=\x83\n", platform), "a=デ\nb=\uFFFD\n");
}

}  // namespace
}  // namespace koruvan
