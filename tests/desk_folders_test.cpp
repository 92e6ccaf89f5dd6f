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

// The known folder is where the shell keeps the Desktop; the legacy value is a copy of it for old programs,
// read only when the shell names none.
TEST(ReadDesktopFolder, TakesTheKnownFolderFirstAndKeepsInnerBlanks) {
    FakePlatform fake;
    fake.setRegistry(kShellFoldersKey, "Desktop", " C:\\Documents and Settings\\山田 太郎\\デスクトップ\t ");
    fake.knownDesktop = "  D:\\Moved\\Taro Yamada\\Desktop  ";
    EXPECT_EQ(readDesktopFolder(fake), "D:\\Moved\\Taro Yamada\\Desktop");

    fake.knownDesktop = "   ";
    EXPECT_EQ(readDesktopFolder(fake), "C:\\Documents and Settings\\山田 太郎\\デスクトップ");
    fake.removeRegistryKey(kShellFoldersKey);
    EXPECT_EQ(readDesktopFolder(fake), "");
}

}  // namespace
}  // namespace koruvan
