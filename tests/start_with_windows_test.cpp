#include "store/start_with_windows.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace koruvan::testing {
namespace {

// The menu item is ticked only for this copy's value; ticking it replaces another copy's, unticking removes
// this copy's.
TEST(StartWithWindowsTest, TheRunValueIsThisCopysAnotherCopysOrNone) {
    const struct {
        std::optional<std::string> before;
        RunValue state;
        std::optional<std::string> afterToggle;
    } cases[] = {
        {std::nullopt, RunValue::Absent, "\"C:\\KORUVAN\\KORUVAN.exe\""},
        {"", RunValue::Absent, "\"C:\\KORUVAN\\KORUVAN.exe\""},
        {"\"C:\\KORUVAN\\KORUVAN.exe\"", RunValue::ThisCopy, std::nullopt},
        {" \"c:\\koruvan\\koruvan.EXE\" /min", RunValue::ThisCopy, std::nullopt},
        {"C:\\KORUVAN\\KORUVAN.exe", RunValue::ThisCopy, std::nullopt},
        {"\"D:\\old\\KORUVAN.exe\"", RunValue::OtherCopy, "\"C:\\KORUVAN\\KORUVAN.exe\""},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        if (c.before) platform.setRegistry(kRunKey, kRunValueName, *c.before);
        EXPECT_EQ(readRunValue(platform), c.state) << c.before.value_or("(none)");
        EXPECT_TRUE(toggleStartWithWindows(platform));
        EXPECT_EQ(platform.registryValue(kRunKey, kRunValueName), c.afterToggle)
            << c.before.value_or("(none)");
    }
}

// Turned off in Task Manager's Startup tab, this copy's value shows unticked; ticking it turns it on again.
TEST(StartWithWindowsTest, AValueTurnedOffInTheStartupTabShowsUntickedAndTickingTurnsItOn) {
    FakePlatform platform;
    platform.setRegistry(kRunKey, kRunValueName, "\"C:\\KORUVAN\\KORUVAN.exe\"");
    platform.setRegistryBinary(kStartupApprovedKey, kRunValueName,
                               std::string("\x03\0\0\0\x10\x20\x30\x40", 8));
    EXPECT_EQ(readRunValue(platform), RunValue::ThisCopyDisabled);
    EXPECT_TRUE(toggleStartWithWindows(platform));
    EXPECT_EQ(readRunValue(platform), RunValue::ThisCopy);
    EXPECT_EQ(platform.registryValue(kRunKey, kRunValueName), "\"C:\\KORUVAN\\KORUVAN.exe\"");
}

}  // namespace
}  // namespace koruvan::testing
