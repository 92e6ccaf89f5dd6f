#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "bar_fixture.h"
#include "store/system_desktops.h"

namespace koruvan::testing {
namespace {

// The system's desktop n: sixteen bytes of n, in its text form.
std::string idOf(int n) {
    char hex[3];
    std::snprintf(hex, sizeof(hex), "%02X", n);
    const auto run = [&](int bytes) {
        std::string text;
        for (int k = 0; k < bytes; ++k)
            text += hex;
        return text;
    };
    return "{" + run(4) + "-" + run(2) + "-" + run(2) + "-" + run(2) + "-" + run(6) + "}";
}

class DeskFollowingTest : public ::testing::Test, public BarFixture {
  protected:
    DeskFollowingTest() {
        nameDesk(0, "仕事", "C:\\pics\\work.bmp");
        nameDesk(1, "趣味", "C:\\pics\\sea.bmp");
        platform.writeFile("C:\\Users\\user\\Desktop\\report.doc", "desk 0");
        platform.writeFile("C:\\KORUVAN\\dsk1\\game.lnk", "desk 1");
        layOut();
    }

    void systemHas(std::initializer_list<int> desktops, int current) {
        std::string list;
        for (int n : desktops)
            list += std::string(16, static_cast<char>(n));
        platform.setRegistryBinary(kVirtualDesktopsKey, "VirtualDesktopIDs", list);
        platform.setRegistryBinary(kVirtualDesktopsKey, "CurrentVirtualDesktop",
                                   std::string(16, static_cast<char>(current)));
        bar.onSystemDesktopsChanged();
    }
    void toggleFollowing() {
        view.trayAnswers.push_back({.command = MenuCommand::FollowSystemDesks});
        bar.onTrayClicked();
        bar.onSystemDesktopsChanged();  // the check the view was asked for
    }
    bool called(const std::string& prefix) {
        return std::any_of(platform.calls.begin(), platform.calls.end(),
                           [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    }
    bool onDesktop(const std::string& name) { return platform.exists("C:\\Users\\user\\Desktop\\" + name); }
};

TEST_F(DeskFollowingTest, TurningOnTiesTheDesktopsInTheSystemsOrderAndMakesDesksForTheRest) {
    bar.onTrayClicked();
    ASSERT_EQ(view.trayToggles.size(), 1u);
    EXPECT_FALSE(view.trayToggles[0].enabled) << "no virtual desktops: nothing to follow";

    platform.setRegistry(std::string(kVirtualDesktopsKey) + "\\Desktops\\" + idOf(0x33), "Name", "旅行");
    platform.setRegistryBinary(kVirtualDesktopsKey, "VirtualDesktopIDs",
                               std::string(16, '\x11') + std::string(16, '\x22') + std::string(16, '\x33') +
                                   std::string(16, '\x44'));
    platform.setRegistryBinary(kVirtualDesktopsKey, "CurrentVirtualDesktop", std::string(16, '\x22'));
    toggleFollowing();

    EXPECT_TRUE(view.watchingSystemDesktops);
    EXPECT_EQ(setting("User", "FollowSystemDesks"), "1");
    // The ties and the new desks are written; the bar shows the system's order.
    EXPECT_EQ(setting("SystemDesks", "0"), idOf(0x22));
    EXPECT_EQ(setting("SystemDesks", "2"), idOf(0x33));
    EXPECT_EQ(setting("Desktop", "2").rfind("旅行,", 0), 0u);
    EXPECT_EQ(bar.buttonCount(), 4);
    EXPECT_EQ(view.trayNumber, 2) << "the current desk counted along the system's order";
    EXPECT_TRUE(onDesktop("report.doc")) << "turning on moves no item";

    toggleFollowing();
    EXPECT_FALSE(view.watchingSystemDesktops);
    EXPECT_EQ(setting("User", "FollowSystemDesks"), "0");
    EXPECT_EQ(setting("SystemDesks", "0"), idOf(0x22)) << "the ties stay for the next time";
    EXPECT_EQ(bar.deskOrder(), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(DeskFollowingTest, TheSystemsSwitchMovesTheItemsAndLeavesTheWindowsToTheSystem) {
    systemHas({0x11, 0x22}, 0x11);
    toggleFollowing();
    platform.clearCalls();

    systemHas({0x11, 0x22}, 0x22);
    EXPECT_EQ(state.currentDesk, 1);
    EXPECT_EQ(setting("User", "LastUse"), "1");
    EXPECT_TRUE(onDesktop("game.lnk") && !onDesktop("report.doc"));
    EXPECT_FALSE(called("minimize") || called("show ")) << "the system keeps the windows apart";
    EXPECT_TRUE(called("wallpaper C:\\pics\\sea.bmp")) << "the system keeps no wallpaper of its own";

    // Where it keeps one, the desk's is not put over it.
    platform.setRegistry(std::string(kVirtualDesktopsKey) + "\\Desktops\\" + idOf(0x11), "Wallpaper",
                         "x.jpg");
    platform.clearCalls();
    systemHas({0x11, 0x22}, 0x11);
    EXPECT_EQ(state.currentDesk, 0);
    EXPECT_FALSE(called("wallpaper"));
}

TEST_F(DeskFollowingTest, ChangesDuringASwitchAreReadOnceAfterIt) {
    systemHas({0x11, 0x22, 0x33}, 0x11);
    toggleFollowing();
    int during = 0;
    platform.onPumpPendingEvents = [&] {
        if (during++ == 0) systemHas({0x11, 0x22, 0x33}, 0x33);  // the burst goes on while the first runs
    };
    systemHas({0x11, 0x22, 0x33}, 0x22);
    platform.onPumpPendingEvents = nullptr;
    EXPECT_EQ(state.currentDesk, 1);
    EXPECT_EQ(view.systemDesktopsCheck, 0.0) << "the change that waited is asked for at once";

    bar.onSystemDesktopsChanged();
    EXPECT_EQ(state.currentDesk, 2);
    EXPECT_EQ(setting("User", "LastUse"), "2");
}

TEST_F(DeskFollowingTest, AClickOnATiedDeskAsksTheSystemAndMovesNoItem) {
    systemHas({0x11, 0x22}, 0x11);
    toggleFollowing();
    platform.clearCalls();
    bar.onDeskClicked(1);
    EXPECT_TRUE(called("desktop keys +1"));
    EXPECT_EQ(state.currentDesk, 0) << "the items move when the system has switched";
    EXPECT_TRUE(onDesktop("report.doc"));
}

}  // namespace
}  // namespace koruvan::testing
