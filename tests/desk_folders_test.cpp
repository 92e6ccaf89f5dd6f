#include "store/desk_folders.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "store/appearance.h"

namespace koruvan {
namespace {

using testing::FakePlatform;

TEST(ReadWindowsDirectory, EndsInExactlyOneBackslash) {
    FakePlatform fake;
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS\\"},
        {"C:\\WINDOWS\\", "C:\\WINDOWS\\"},
        {std::string("C:\\WINDOWS\0\0\0    ", 18), "C:\\WINDOWS\\"},
        {"  C:\\Program Files\\Windows\\\\  ", "C:\\Program Files\\Windows\\"},
        {"", "\\"},
    };
    for (const auto& [system, expected] : cases) {
        fake.windowsDir = system;
        EXPECT_EQ(readWindowsDirectory(fake), expected);
    }
}

TEST(ReadDesktopFolder, KeepsInnerBlanksAndFallsBackToTheKnownFolder) {
    FakePlatform fake;
    fake.setRegistry(kShellFoldersKey, "Desktop", " C:\\Documents and Settings\\山田 太郎\\デスクトップ\t ");
    EXPECT_EQ(readDesktopFolder(fake), "C:\\Documents and Settings\\山田 太郎\\デスクトップ");

    fake.knownDesktop = "  C:\\Users\\Taro Yamada\\Desktop  ";
    fake.setRegistry(kShellFoldersKey, "Desktop", "   ");
    EXPECT_EQ(readDesktopFolder(fake), "C:\\Users\\Taro Yamada\\Desktop");
    fake.removeRegistryKey(kShellFoldersKey);
    EXPECT_EQ(readDesktopFolder(fake), "C:\\Users\\Taro Yamada\\Desktop");
}

}  // namespace
}  // namespace koruvan
