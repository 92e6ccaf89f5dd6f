#include "store/appearance.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace koruvan {
namespace {

using ::testing::ElementsAre;
using testing::FakePlatform;

class AppearanceTest : public ::testing::Test {
  protected:
    AppearanceTest() {
        fake.setRegistry(kDesktopKey, "Wallpaper", "C:\\before.bmp");
        fake.setRegistry(kDesktopKey, "TileWallpaper", "1");
        fake.setRegistry(kDesktopKey, "WallpaperStyle", "2");
    }
    std::string desktopValue(const char* name) const {
        return fake.registryValue(kDesktopKey, name).value_or("<none>");
    }

    FakePlatform fake;
};

TEST_F(AppearanceTest, NoWallpaperRemovesItAndLeavesTheStyleValues) {
    for (const std::string& path : {std::string(), std::string("\0C:\\ignored.bmp", 15)}) {
        fake.clearCalls();
        applyWallpaper(fake, path, WallpaperStyle::Stretched);
        EXPECT_THAT(fake.calls, ElementsAre("wallpaper ", "reg Wallpaper="));
        EXPECT_EQ(desktopValue("Wallpaper"), "");
        EXPECT_EQ(desktopValue("TileWallpaper"), "1");
        EXPECT_EQ(desktopValue("WallpaperStyle"), "2");
    }
}

TEST_F(AppearanceTest, StyleTextSelectsTileAndStyleValues) {
    struct Case {
        const char* style;
        const char* tile;
        const char* wallpaperStyle;
    };
    const Case cases[] = {
        {"0", "0", "0"}, {"", "0", "0"},    {"centre", "0", "0"}, {"1", "1", "0"},   {" 1.4px", "1", "0"},
        {"2", "0", "2"}, {"2.5", "0", "2"}, {"1.5", "0", "2"},    {"0.5", "0", "0"}, {"3", "", ""},
        {"-1", "", ""},  {"65538", "", ""}, {"3.5", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        fake.clearCalls();
        applyWallpaper(fake, "C:\\a.bmp", parseWallpaperStyle(c.style));
        EXPECT_THAT(fake.calls, ElementsAre("wallpaper C:\\a.bmp", "reg Wallpaper=C:\\a.bmp",
                                            std::string("reg TileWallpaper=") + c.tile,
                                            std::string("reg WallpaperStyle=") + c.wallpaperStyle,
                                            "wallpaper C:\\a.bmp"));
        EXPECT_EQ(desktopValue("TileWallpaper"), c.tile);
        EXPECT_EQ(desktopValue("WallpaperStyle"), c.wallpaperStyle);
    }
    EXPECT_EQ(styleCode("99999999999"), 32767);
    EXPECT_EQ(styleCode("-99999"), -32768);
    EXPECT_EQ(styleCode("-0.5"), 0);
}

TEST_F(AppearanceTest, AJapanesePathIsWrittenWhole) {
    const std::string path = "D:\\壁紙\\ｻｸﾗ の 写真.bmp";
    applyWallpaper(fake, path, WallpaperStyle::Centred);
    EXPECT_EQ(desktopValue("Wallpaper"), path);
    EXPECT_EQ(fake.wallpaperInEffect, path);
    EXPECT_EQ(readWallpaper(fake), path);
}

TEST_F(AppearanceTest, AMissingDesktopKeyGetsNothingWrittenButBothWallpaperCalls) {
    fake.removeRegistryKey(kDesktopKey);
    applyWallpaper(fake, "C:\\a.bmp", WallpaperStyle::Tiled);
    EXPECT_THAT(fake.calls, ElementsAre("wallpaper C:\\a.bmp", "wallpaper C:\\a.bmp"));
    EXPECT_FALSE(fake.registryValue(kDesktopKey, "Wallpaper"));
}

TEST_F(AppearanceTest, ReadersTrimSurroundingBlanksOnly) {
    fake.setRegistry(kColorsKey, "Background", "  0 128 128  ");
    fake.setRegistry(kDesktopKey, "Pattern", " (None) ");
    fake.setRegistry(kDesktopKey, "Wallpaper", "  C:\\My Pictures\\sea side.bmp ");
    EXPECT_EQ(readBackgroundColor(fake), "0 128 128");
    EXPECT_EQ(readPattern(fake), "(None)");
    EXPECT_EQ(readWallpaper(fake), "C:\\My Pictures\\sea side.bmp");
    EXPECT_EQ(readWallpaperStyle(fake), "2");  // stored as "WallpaperStyle"

    fake.removeRegistryKey(kColorsKey);
    EXPECT_EQ(readBackgroundColor(fake), "");
    EXPECT_EQ(regReadString(fake, RegistryRoot::CurrentUser, kDesktopKey, "NoSuchValue"), "");
}

TEST_F(AppearanceTest, ValuesLongerThanTheBufferReadAsEmpty) {
    const auto read = [&](const std::string& value) {
        fake.setRegistry(kDesktopKey, "Long", value);
        return regReadString(fake, RegistryRoot::CurrentUser, kDesktopKey, "Long");
    };
    const std::string ascii(1023, 'a');
    EXPECT_EQ(read(ascii), ascii);
    EXPECT_EQ(read(ascii + "a"), "");

    std::string japanese;
    for (int i = 0; i < 1023; ++i)
        japanese += "壁";  // three UTF-8 bytes, one UTF-16 unit
    EXPECT_EQ(read(japanese), japanese);
    EXPECT_EQ(read(japanese + "壁"), "");

    std::string surrogates;
    for (int i = 0; i < 512; ++i)
        surrogates += "\xF0\x9F\x8C\xB8";  // two UTF-16 units each
    EXPECT_EQ(read(surrogates), "");
    EXPECT_EQ(read(surrogates.substr(4)), surrogates.substr(4));
}

}  // namespace
}  // namespace koruvan
