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
        for (const char* name : {"b.BMP", "a.bmp", "Z.bmp", "notes.txt", "x.bmpx", "hidden.bmp"})
            platform.writeFile(std::string("C:\\pics\\") + name, "x");
        platform.makeHidden("C:\\pics\\hidden.bmp");
        platform.makeFolder("C:\\pics\\sub\\");
        platform.makeFolder("C:\\pics\\Alpha\\");
        platform.makeFolder("D:\\photos\\");
    }
    FakePlatform platform;
};

TEST_F(FolderBrowserTest, ListsAncestorsSubfoldersAndOnlyVisibleBitmapsInNameOrder) {
    FolderBrowser browser(platform);
    ASSERT_TRUE(browser.moveTo("c:\\pics"));
    browser.list();
    EXPECT_EQ(browser.folder(), "C:\\pics\\");
    EXPECT_THAT(browser.entries(), ElementsAre(FolderEntry{"C:\\", 0, true}, FolderEntry{"pics", 1, true},
                                               FolderEntry{"Alpha", 2, false}, FolderEntry{"sub", 2, false}));
    EXPECT_EQ(browser.currentEntry(), 1);
    EXPECT_THAT(browser.bitmaps(), ElementsAre("a.bmp", "b.BMP", "Z.bmp"));
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

    platform.makeFolder("\\\\server\\share\\");
    ASSERT_TRUE(browser.moveTo("\\\\server\\share\\"));
    EXPECT_EQ(browser.drives().back(), "\\\\server\\share\\");
}

}  // namespace
}  // namespace koruvan::testing
