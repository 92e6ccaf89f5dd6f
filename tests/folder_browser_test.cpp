#include "dialogs/folder_browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace koruvan::testing {
namespace {

using ::testing::ElementsAre;

class FolderBrowserTest : public ::testing::Test {
  protected:
    FolderBrowserTest() {
        for (const char* name :
             {"b.BMP", "a.bmp", "Z.bmp", "c.jpg", "notes.txt", "TranscodedWallpaper", "hidden.bmp"})
            platform.writeFile(std::string("C:\\pics\\") + name, "x");
        platform.makeHidden("C:\\pics\\hidden.bmp");
        EXPECT_TRUE(platform.makeFolder("C:\\pics\\sub\\"));
        EXPECT_TRUE(platform.makeFolder("C:\\pics\\Alpha\\"));
        EXPECT_TRUE(platform.makeFolder("D:\\photos\\"));
    }
    FakePlatform platform;
};

TEST_F(FolderBrowserTest, ListsAncestorsSubfoldersAndOnlyVisiblePicturesInNameOrder) {
    FolderBrowser browser(platform);
    ASSERT_TRUE(browser.moveTo("c:\\pics"));
    browser.list();
    EXPECT_EQ(browser.folder(), "C:\\pics\\");
    EXPECT_THAT(browser.entries(), ElementsAre(FolderEntry{"C:\\", 0, true}, FolderEntry{"pics", 1, true},
                                               FolderEntry{"Alpha", 2, false}, FolderEntry{"sub", 2, false}));
    EXPECT_EQ(browser.currentEntry(), 1);
    EXPECT_THAT(browser.pictures(), ElementsAre("a.bmp", "b.BMP", "c.jpg", "Z.bmp"));
    EXPECT_EQ(browser.entryFolder(0), "C:\\");
    EXPECT_EQ(browser.entryFolder(1), "C:\\pics\\");
    EXPECT_EQ(browser.entryFolder(2), "C:\\pics\\Alpha\\");
    EXPECT_EQ(browser.entryFolder(4), "");
}

TEST_F(FolderBrowserTest, DrivesRememberTheirFolderAndUnreadablePlacesAreNotEntered) {
    platform.offlineDrives = {"A:\\"};
    FolderBrowser browser(platform);
    EXPECT_THAT(browser.drives(), ElementsAre("A:\\", "C:\\", "D:\\"));
    ASSERT_TRUE(browser.moveTo("D:\\photos\\"));
    ASSERT_TRUE(browser.moveTo("C:\\pics\\"));
    EXPECT_EQ(browser.currentDrive(), 1);
    EXPECT_EQ(browser.folderOnDrive("D:\\"), "D:\\photos\\");
    EXPECT_EQ(browser.folderOnDrive("A:\\"), "A:\\");

    EXPECT_FALSE(browser.moveTo("A:\\"));
    EXPECT_FALSE(browser.moveTo("C:\\gone\\"));
    EXPECT_FALSE(browser.moveTo("relative\\"));
    EXPECT_EQ(browser.folder(), "C:\\pics\\");

    EXPECT_TRUE(platform.makeFolder("\\\\server\\share\\"));
    ASSERT_TRUE(browser.moveTo("\\\\server\\share\\"));
    EXPECT_EQ(browser.drives().back(), "\\\\server\\share\\");
}

TEST(PictureExtension, EveryWallpaperFormatInAnyCaseAndNothingElse) {
    struct Case {
        const char* name;
        bool picture;
    };
    const Case cases[] = {
        {"a.bmp", true},      {"a.DIB", true},
        {"a.jpg", true},      {"a.JPEG", true},
        {"a.jpe", true},      {"a.Jfif", true},
        {"a.png", true},      {"a.GIF", true},
        {"a.tif", true},      {"a.TiFF", true},
        {"x.txt.png", true},  {"x.bmpx", false},
        {"x.png.txt", false}, {"TranscodedWallpaper", false},
        {"jpg", false},       {"a.webp", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hasPictureExtension(c.name), c.picture) << c.name;
}

}  // namespace
}  // namespace koruvan::testing
