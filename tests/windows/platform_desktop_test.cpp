// The desktop operations of the real platform: the wallpaper call and the system folders.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "windows/scratch_folder.h"

namespace koruvan::win32 {
namespace {

using testing::ScratchFolder;
using testing::writeTestFile;

std::wstring wallpaperInEffect() {
    wchar_t path[MAX_PATH + 1] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

// A 1x1 24-bit bitmap: file header, info header, one pixel with its row padding.
const std::string kTinyBitmap(
    "BM"
    "\x3A\0\0\0"
    "\0\0\0\0"
    "\x36\0\0\0"
    "\x28\0\0\0"
    "\x01\0\0\0"
    "\x01\0\0\0"
    "\x01\0"
    "\x18\0"
    "\0\0\0\0"
    "\x04\0\0\0"
    "\x13\x0B\0\0"
    "\x13\x0B\0\0"
    "\0\0\0\0"
    "\0\0\0\0"
    "\x20\x40\xE0\0",
    58);

class PlatformWallpaperTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = wallpaperInEffect(); }
    void TearDown() override {
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, saved_.data(), SPIF_SENDWININICHANGE);
    }

    Win32Platform platform{"Local\\KORUVAN.Test.Desktop"};
    ScratchFolder scratch;

  private:
    std::wstring saved_;
};

TEST_F(PlatformWallpaperTest, PutsJapaneseNamedBitmapIntoEffect) {
    const std::string bitmap = scratch / "夜桜 の壁紙.bmp";
    ASSERT_TRUE(writeTestFile(bitmap, kTinyBitmap));
    EXPECT_TRUE(platform.shell.setDesktopWallpaper(bitmap));
    EXPECT_EQ(narrow(wallpaperInEffect()), bitmap);
}

TEST_F(PlatformWallpaperTest, EmptyPathRemovesWallpaper) {
    const std::string bitmap = scratch / "a.bmp";
    ASSERT_TRUE(writeTestFile(bitmap, kTinyBitmap));
    ASSERT_TRUE(platform.shell.setDesktopWallpaper(bitmap));

    EXPECT_TRUE(platform.shell.setDesktopWallpaper(""));
    EXPECT_EQ(wallpaperInEffect(), L"");
}

TEST(PlatformFoldersTest, SystemFoldersExist) {
    Win32Platform platform{"Local\\KORUVAN.Test.Desktop"};
    const std::string windows = platform.shell.windowsDirectory();
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.find('\0'), std::string::npos);
    EXPECT_NE(windows.back(), ' ');
    EXPECT_TRUE(platform.files.folderExists(windows));

    const std::string desktop = platform.shell.knownDesktopFolder();
    ASSERT_FALSE(desktop.empty());
    EXPECT_TRUE(platform.files.folderExists(desktop)) << desktop;
}

}  // namespace
}  // namespace koruvan::win32
