#include "store/hidden_windows.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace koruvan::testing {
namespace {

// Each recorded window is shown again, minimised, only while it is still hidden and still its process's;
// the record goes either way.
TEST(HiddenWindowsTest, AStartShowsTheRecordedWindowsThatAreStillHiddenAndStillTheirs) {
    FakePlatform platform;
    SharedState state;
    state.programDir = platform.programDir;
    EXPECT_TRUE(platform.makeFolder(state.programDir));
    const struct {
        const char* what;
        bool exists;
        std::uint32_t processNow;
        bool visibleNow;
        bool shown;
    } cases[] = {
        {"hidden, same process", true, 500, false, true},
        {"closed since", false, 0, false, false},
        {"handle reused by another process", true, 777, false, false},
        {"already shown again", true, 500, true, false},
    };
    HiddenWindows record;
    std::vector<WindowHandle> handles;
    for (const auto& c : cases) {
        WindowHandle window = 0x9000 + handles.size();
        if (c.exists)
            window = platform.addWindow({.visible = c.visibleNow,
                                         .title = "memo",
                                         .className = "Notepad",
                                         .rect = {},
                                         .processId = c.processNow});
        handles.push_back(window);
        record.push_back({window, 500, static_cast<int>(handles.size())});
    }
    ASSERT_TRUE(writeHiddenWindows(platform, state, record));
    std::string text = platform.fileContent(hiddenWindowsPath(state));
    EXPECT_EQ(parseHiddenWindows(text + "zz\t1\t2\r\n1\t2\t10\r\n").windows, record)
        << "damaged lines are skipped";

    EXPECT_EQ(showHiddenWindows(platform, state), 1);
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        if (!cases[k].exists) continue;
        const FakeWindow& window = platform.window(handles[k]);
        EXPECT_EQ(window.visible && window.minimized, cases[k].shown) << cases[k].what;
    }
    EXPECT_FALSE(platform.exists(hiddenWindowsPath(state)));
}

// A record of another logon (a reboot, or the user signed in again) names handles that may now be anyone's:
// nothing is shown from it. One of an earlier version names no logon and is trusted as before.
TEST(HiddenWindowsTest, OnlyARecordOfThisLogonShowsItsWindows) {
    FakePlatform platform;
    SharedState state;
    state.programDir = platform.programDir;
    const WindowHandle hidden =
        platform.addWindow({.visible = false, .title = "memo", .className = "Notepad", .rect = {0, 0, 9, 9}});
    const std::string line = formatHiddenWindows("", {{hidden, 500, 2}}).substr(8);  // the window's line
    for (const auto& [header, shown] : {std::pair{"logon 1 1000\r\n", 1}, {"logon 1 999\r\n", 0}, {"", 1}}) {
        platform.window(hidden).visible = false;
        platform.writeFile(hiddenWindowsPath(state), header + line);
        EXPECT_EQ(showHiddenWindows(platform, state), shown) << header;
        EXPECT_FALSE(platform.exists(hiddenWindowsPath(state)));
    }
}

}  // namespace
}  // namespace koruvan::testing
