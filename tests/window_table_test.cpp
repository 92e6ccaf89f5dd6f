#include "store/window_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "fake/fake_platform.h"

namespace koruvan {
namespace {

using ::testing::ElementsAre;
using testing::FakePlatform;
using testing::FakeWindow;

FakeWindow topLevel(std::string title, std::string className, ScreenRect rect = {10, 20, 500, 400}) {
    FakeWindow window;
    window.title = std::move(title);
    window.className = std::move(className);
    window.rect = rect;
    return window;
}

// A window placed in the tree under `parent` that has no parent for GetParent, so its line is kept at any
// depth.
FakeWindow nested(WindowHandle parent, std::string title) {
    FakeWindow window = topLevel(std::move(title), "Nested");
    window.parent = parent;
    return window;
}

// A listed window as the system's listing gives it.
TopLevelWindow listed(WindowHandle handle, WindowHandle owner, std::string title, std::string className,
                      ScreenRect rect = {10, 20, 500, 400}) {
    TopLevelWindow window;
    window.window = handle;
    window.owner = owner;
    window.visible = true;
    window.title = std::move(title);
    window.className = std::move(className);
    window.rect = rect;
    return window;
}

std::vector<std::string> capturedTitles(FakePlatform& platform) {
    std::vector<std::string> titles;
    for (const WindowEntry& entry : captureDeskWindows(platform.listTopLevelWindows(), platform.screen))
        titles.push_back(entry.title);
    return titles;
}

// Only the desktop's own windows are captured: a window inside another, a child and an owned pop-up never
// are.
TEST(CaptureDeskWindows, TakesTheDesktopsOwnVisibleWindowsOnly) {
    FakePlatform platform;
    const WindowHandle a = platform.addWindow(topLevel("A", "AppMain"));
    platform.addWindow(nested(a, "inside A"));
    FakeWindow hidden = topLevel("hidden", "AppMain");
    hidden.visible = false;
    platform.addWindow(hidden);
    const WindowHandle b = platform.addWindow(topLevel("B", "AppMain"));
    FakeWindow control = nested(b, "control");
    control.childStyle = true;
    platform.addWindow(control);
    FakeWindow owned = topLevel("owned", "AppMain");
    owned.owner = a;  // GetParent gives the owner
    platform.addWindow(owned);
    platform.addWindow(topLevel("C", "AppMain"));
    platform.addWindow(topLevel("tab\there", "AppMain"));
    EXPECT_THAT(capturedTitles(platform), ElementsAre("A", "B", "C", "tab here"));
}

class CaptureWindowsTest : public ::testing::Test {
  protected:
    std::vector<std::string> titlesOfDesk(int desk) const {
        std::vector<std::string> titles;
        for (const WindowEntry& entry : state.windowTable[desk])
            titles.push_back(entry.title);
        return titles;
    }
    FakePlatform platform;
    SharedState state;
};

TEST_F(CaptureWindowsTest, KeepsOnlyVisibleTopLevelApplicationWindows) {
    TopLevelWindow hidden = listed(0x2, 0, "hidden", "Notepad");
    hidden.visible = false;
    const std::vector<TopLevelWindow> windows = {
        listed(0x1, 0, "app", "Notepad"),
        hidden,
        listed(0x3, 0x1, "owned", "Notepad"),
        listed(0x4, 0x1, "owned form", "ThunderForm"),
        listed(0x5, 0, "unowned form", "ThunderForm"),
        listed(0x6, 0, "vb", "ThunderRT6Main"),
        listed(0x7, 0, "rt", "ThunderRTMain"),
        listed(0x8, 0, "ime", "Indicator"),
        listed(0x9, 0, "", "Shell_TrayWnd"),
        listed(0xA, 0, "Program Manager", "Progman"),
        listed(0xB, 0, "dialog", "#32770"),
        listed(0xC, 0, "コルヴァン", "ThunderRT6FormDC"),
        listed(0xD, 0, "設定 - コルヴァン", "Dialog"),
        listed(0xE, 0, "flat", "Notepad", {10, 20, 10, 400}),
        listed(0xF, 0, "thin", "Notepad", {10, 20, 500, 20}),
        listed(0x10, 0, "vb main", "ThunderMain", {0, 0, 0, 0}),
        listed(0x11, 0, "vb main far", "thundermain", {5000, 5000, 5000, 5000}),
        listed(0x12, 0, "right of screen", "Notepad", {3000, 20, 3500, 400}),
        listed(0x13, 0, "below screen", "Notepad", {10, 3000, 500, 3400}),
        listed(0x14, 0, "last pixel", "Notepad", {2999, 2999, 3500, 3400}),
        listed(0x15, 0, "maximised", "Notepad", {-4, -4, 1924, 1084}),
    };

    state.windowTable[4] = captureDeskWindows(windows, {0, 0, 3000, 3000});
    const std::size_t count = state.windowTable[4].size();

    EXPECT_THAT(titlesOfDesk(4),
                ElementsAre("app", "owned form", "vb", "vb main", "vb main far", "last pixel", "maximised"));
    EXPECT_EQ(count, 7u);
    EXPECT_EQ(state.windowTable[4][1].owner, 1u);
    EXPECT_EQ(state.windowTable[4][6].rect.left, -4);
}

// What a real Windows 10 or 11 has: windows the DWM keeps out of sight, tool windows, the shell's own, and
// more monitors than one.
TEST(CaptureRule, LeavesCloakedToolAndShellWindowsAndTakesEveryMonitor) {
    const ScreenRect primary{0, 0, 1920, 1080};
    const ScreenRect twoMonitors{-1920, 0, 1920, 1080};  // a second monitor to the left
    const ScreenRect wide{0, 0, 4096, 768};
    struct Case {
        const char* what;
        TopLevelWindow window;
        ScreenRect screen;
        bool captured;
    };
    const auto with = [](TopLevelWindow window, auto change) {
        change(window);
        return window;
    };
    const TopLevelWindow app = listed(0x1, 0, "app", "Notepad", {100, 100, 600, 500});
    const Case cases[] = {
        {"an application window", app, primary, true},
        {"cloaked", with(app, [](TopLevelWindow& w) { w.cloaked = true; }), primary, false},
        {"a tool window", with(app, [](TopLevelWindow& w) { w.toolWindow = true; }), primary, false},
        {"the second taskbar", listed(0x2, 0, "", "Shell_SecondaryTrayWnd", {0, 1040, 1920, 1080}), primary,
         false},
        {"the desktop behind the icons", listed(0x3, 0, "", "WorkerW"), primary, false},
        {"a hidden app frame", listed(0x4, 0, "Settings", "Windows.UI.Core.CoreWindow"), primary, false},
        {"maximised", listed(0x5, 0, "big", "Notepad", {-8, -8, 1928, 1088}), primary, true},
        {"on a second monitor to the right", listed(0x6, 0, "right", "Notepad", {3200, 100, 3800, 500}), wide,
         true},
        {"past every monitor", listed(0x7, 0, "far", "Notepad", {4100, 100, 4600, 500}), wide, false},
        {"on a monitor to the left", listed(0x8, 0, "left", "Notepad", {-1500, 100, -900, 500}), twoMonitors,
         true},
        {"parked minimised", listed(0x9, 0, "parked", "Notepad", {-32000, -32000, -31840, -31976}),
         twoMonitors, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(capturedEntry(c.window, c.screen).has_value(), c.captured) << c.what;
}

TEST_F(CaptureWindowsTest, CapturesRealWindowsWithTheirZoomState) {
    state.currentDesk = 0;
    platform.addWindow(topLevel("editor", "Notepad"));
    FakeWindow hidden = topLevel("hidden", "Notepad");
    hidden.visible = false;
    platform.addWindow(hidden);
    FakeWindow big = topLevel("big", "Notepad", {-4, -4, 1924, 1084});
    big.zoomed = true;
    const WindowHandle bigHandle = platform.addWindow(big);
    platform.addWindow(topLevel("", "Notepad", {0, 0, 0, 0}));
    platform.addWindow(topLevel("", "Shell_TrayWnd", {0, 738, 1024, 768}));
    platform.addWindow(topLevel("コルヴァン", "KoruvanBar"));
    // Minimised by an earlier switch (or by the user): parked at the screen's edge, it belongs to no desk.
    FakeWindow parked = topLevel("parked", "Notepad", {160, 744, 320, 768});
    parked.minimized = true;
    platform.addWindow(parked);

    const std::size_t count = captureWindows(platform, state);

    ASSERT_EQ(count, 2u);
    EXPECT_EQ(state.windowTable[0][0].title, "editor");
    EXPECT_EQ(state.windowTable[0][0].zoomed, false);
    EXPECT_EQ(state.windowTable[0][1].window, bigHandle);
    EXPECT_EQ(state.windowTable[0][1].zoomed, true);
}

TEST_F(CaptureWindowsTest, KeepsTheFirstHundredAndReplacesTheDesksList) {
    state.currentDesk = 9;
    state.windowTable[9].assign(3, WindowEntry{0x9, 0, "stale", "Notepad", {}, false});
    for (int i = 0; i < 130; ++i)
        platform.addWindow(topLevel("w" + std::to_string(i), "Notepad"));

    EXPECT_EQ(captureWindows(platform, state), 100u);
    EXPECT_EQ(state.windowTable[9][0].title, "w0");
    EXPECT_EQ(state.windowTable[9][99].title, "w99");
    EXPECT_EQ(state.windowTable[9].size(), 100u);
    EXPECT_TRUE(state.windowTable[1].empty());  // other desks untouched

    for (const std::int16_t outOfRange : {std::int16_t{-1}, std::int16_t{10}}) {
        state.currentDesk = outOfRange;
        EXPECT_EQ(captureWindows(platform, state), 0u);
    }
}

}  // namespace
}  // namespace koruvan
