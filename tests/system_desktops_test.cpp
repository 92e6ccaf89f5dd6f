#include "store/system_desktops.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace koruvan {
namespace {

// {01234567-89AB-CDEF-0123-456789ABCDEF} as the system stores it, and a second id.
const std::string kFirst("\x67\x45\x23\x01\xAB\x89\xEF\xCD\x01\x23\x45\x67\x89\xAB\xCD\xEF", 16);
const std::string kSecond(16, '\x22');
const std::string kFirstId = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
const std::string kSecondId = "{22222222-2222-2222-2222-222222222222}";
const std::string kPinned(16, '\x7F');  // a window on every desktop gives an id of none
const std::vector<SystemDesktop> kBoth{{kFirstId, "", false}, {kSecondId, "仕事，私用", true}};

// Windows 10 writes its session's value at the logon's first switch: until then the desktop of a window
// (the program's own, else the one in front) is the current one, where the list has it.
TEST(SystemDesktopsTest, TheCurrentIsWindows11sElseThisSessionsElseAWindowsAndAnythingAmissReadsNothing) {
    const struct {
        const char* what;
        std::optional<std::string> list, windows11, windows10;
        std::optional<std::string> current;  // nullopt: nothing read
        std::vector<std::string> windows{kPinned, kSecond};
    } cases[] = {
        {"Windows 11", kFirst + kSecond, kSecond, kFirst, kSecondId},
        {"Windows 10", kFirst + kSecond, std::nullopt, kFirst, kFirstId},
        {"Windows 10 before the first switch", kFirst + kSecond, std::nullopt, std::nullopt, kSecondId},
        {"nor a window's", kFirst + kSecond, std::nullopt, std::nullopt, std::nullopt, {kPinned}},
        {"Windows 11's of the wrong size", kFirst + kSecond, kSecond + "x", kFirst, std::nullopt},
        {"list of the wrong size", kFirst + kSecond + "x", kSecond, std::nullopt, std::nullopt},
        {"a desktop listed twice", kSecond + kSecond, kSecond, std::nullopt, std::nullopt},
        {"an empty list", "", std::nullopt, kFirst, std::nullopt},
        {"current not in the list", kFirst, kSecond, std::nullopt, std::nullopt},
        {"no current", kFirst, std::nullopt, std::nullopt, std::nullopt, {}},
        {"no list: no virtual desktops", std::nullopt, kFirst, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        testing::FakePlatform platform;
        platform.sessionNumber = 3;
        platform.desktopsOfWindows = c.windows;
        const auto set = [&](const std::string& key, const char* value,
                             const std::optional<std::string>& bytes) {
            if (bytes) platform.setRegistryBinary(key, value, *bytes);
        };
        set(kVirtualDesktopsKey, "VirtualDesktopIDs", c.list);
        set(kVirtualDesktopsKey, "CurrentVirtualDesktop", c.windows11);
        set(std::string(kExplorerKey) + "\\SessionInfo\\3\\VirtualDesktops", "CurrentVirtualDesktop",
            c.windows10);
        const std::string second = std::string(kVirtualDesktopsKey) + "\\Desktops\\" + kSecondId;
        platform.setRegistry(second, "Name", " 仕事,私用\t ");
        platform.setRegistry(second, "Wallpaper", "sea.jpg");
        const std::optional<SystemDesktops> read = readSystemDesktops(platform);
        EXPECT_EQ(read ? std::optional(read->current) : std::nullopt, c.current) << c.what;
        EXPECT_EQ(systemHasVirtualDesktops(platform), c.list.has_value()) << c.what;
        // Each desktop's own name, as a desk can carry it, and wallpaper.
        if (read) {
            EXPECT_EQ(read->desktops, kBoth) << c.what;
        }
    }
}

}  // namespace
}  // namespace koruvan
