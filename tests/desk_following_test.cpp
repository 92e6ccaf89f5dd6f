#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "bar/desk_keys.h"
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
    bool windowTouched() { return called("minimize") || called("hide") || called("show "); }
};

TEST_F(DeskFollowingTest, TurningOnTiesTheDesktopsInTheSystemsOrderAndMakesDesksForTheRest) {
    bar.onTrayClicked();
    ASSERT_EQ(view.trayToggles.size(), 3u);  // the icons' places, following, the desk's name on a switch
    EXPECT_EQ(view.trayToggles[1].command, MenuCommand::FollowSystemDesks);
    EXPECT_FALSE(view.trayToggles[1].enabled) << "no virtual desktops: nothing to follow";

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
    EXPECT_EQ(bar.face().buttonCount(), 4);
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

// The system's desktops keep the windows apart: with the hide option on, turning following on shows what the
// option hid; then no switch, key or tray command hides, minimises, moves or pins a window, and a desk with
// no desktop gets one from the system's keys instead of a switch of windows.
TEST_F(DeskFollowingTest, WhileFollowingNoWindowIsHiddenMinimisedMovedOrPinned) {
    const WindowHandle editor =
        platform.addWindow({.title = "memo - Notepad", .className = "Notepad", .rect = {10, 20, 500, 400}});
    state.hideOtherDeskWindows = true;
    bar.onDeskClicked(1);
    ASSERT_FALSE(platform.window(editor).visible);
    systemHas({0x11, 0x22}, 0x22);
    toggleFollowing();
    EXPECT_TRUE(platform.window(editor).visible && platform.window(editor).minimized) << "shown, minimised";

    platform.window(editor).minimized = false;
    platform.foreground = editor;
    nameDesk(2, "旅行");
    platform.clearCalls();
    bar.onHotkey(kFirstMoveHotkey);
    bar.onHotkey(kPinHotkey);
    view.trayAnswers = {
        {.moveToDesk = 0}, {.command = MenuCommand::HideOtherDeskWindows}, {.programDesk = 0}};
    bar.onTrayClicked();
    bar.onTrayClicked();
    bar.onTrayClicked();
    EXPECT_FALSE(view.trayWindowMenus.back().enabled) << "the window group greyed";
    EXPECT_FALSE(view.trayWindowMenus.back().programEnabled);
    EXPECT_TRUE(state.programRules.empty()) << "no rule from a greyed item";
    state.deskTable[0].id = 5;
    state.programRules = {{"notepad.exe", 5}};
    bar.onWatchCheck();
    EXPECT_FALSE(view.watchingNewWindows);
    bar.onWindowAppeared(editor);  // one the watch had posted before
    EXPECT_TRUE(state.hideOtherDeskWindows) << "the option stays as it was, for when following stops";
    systemHas({0x11, 0x22}, 0x11);
    EXPECT_EQ(state.currentDesk, 0);
    bar.onDeskClicked(2);  // no desktop of its own: the system's keys make one
    EXPECT_TRUE(called("new desktop keys"));
    EXPECT_FALSE(windowTouched());
}

TEST_F(DeskFollowingTest, ARemovedDesktopsDeskGoesAndABalloonSaysWhereItsItemsAre) {
    nameDesk(2, "旅行");
    nameDesk(3, "会議");
    platform.writeFile("C:\\KORUVAN\\dsk2\\map.lnk", "desk 2");
    systemHas({0x11, 0x22, 0x33, 0x44}, 0x11);
    toggleFollowing();

    systemHas({0x11, 0x22, 0x44}, 0x11);
    platform.clock += kRemovalGraceSeconds;
    bar.onSystemDesktopsChanged();
    EXPECT_FALSE(state.deskTable[2].exists());
    EXPECT_EQ(platform.filesIn("C:\\KORUVAN\\DskTop"), std::vector<std::string>{"map.lnk"});
    ASSERT_EQ(view.balloons.size(), 1u);
    EXPECT_NE(view.balloons[0].find("「旅行」"), std::string::npos) << view.balloons[0];
    EXPECT_NE(view.balloons[0].find("その項目 1 個は、どのﾃﾞｽｸﾄｯﾌﾟでも「ﾃﾞｽｸﾄｯﾌﾟの整理」から戻せます"),
              std::string::npos)
        << view.balloons[0];

    // Several at once are no user's doing: kept, untied, told once.
    systemHas({0x11}, 0x11);
    platform.clock += kRemovalGraceSeconds;
    bar.onSystemDesktopsChanged();
    EXPECT_TRUE(state.deskTable[1].exists() && state.deskTable[3].exists());
    EXPECT_EQ(setting("SystemDesks", "1") + setting("SystemDesks", "3"), "");
    ASSERT_EQ(view.balloons.size(), 2u);
    EXPECT_NE(view.balloons[1].find("「趣味」「会議」は削除せずに連動だけを解きました"), std::string::npos)
        << view.balloons[1];
}

// Windows 11 puts the next desktop's wallpaper up with the switch, its record of the current desktop coming
// before or after: only a change that holds on the current desk's own desktop is the user's.
TEST_F(DeskFollowingTest, AWallpaperThatComesWithASystemSwitchIsNeverTheLeavingDesks) {
    for (const int desktop : {0x11, 0x22})
        platform.setRegistry(std::string(kVirtualDesktopsKey) + "\\Desktops\\" + idOf(desktop), "Wallpaper",
                             "");
    systemHas({0x11, 0x22}, 0x11);
    toggleFollowing();
    for (const bool recordFirst : {false, true}) {
        platform.setRegistry(kDesktopKey, "Wallpaper", recordFirst ? "C:\\pics\\b.jpg" : "C:\\pics\\a.jpg");
        if (recordFirst) systemHas({0x11, 0x22}, 0x22);
        bar.onWatchCheck();
        EXPECT_EQ(view.wake, kAppearanceSettleSeconds + kWakeMargin);
        if (!recordFirst) systemHas({0x11, 0x22}, 0x22);
        platform.clock += kAppearanceSettleSeconds + kWakeMargin;
        bar.onWatchCheck();
        EXPECT_EQ(state.deskTable[0].wallpaper, "C:\\pics\\work.bmp") << recordFirst;
        platform.clock += kAppearanceSettleSeconds + kWakeMargin;
        bar.onWatchCheck();
        EXPECT_EQ(state.deskTable[1].wallpaper, platform.registryValue(kDesktopKey, "Wallpaper"))
            << recordFirst;
        systemHas({0x11, 0x22}, 0x11);
    }
    // Changed by the user and held: the current desk's.
    platform.setRegistry(kDesktopKey, "Wallpaper", "C:\\pics\\mine.bmp");
    bar.onWatchCheck();
    platform.clock += kAppearanceSettleSeconds + kWakeMargin;
    bar.onWatchCheck();
    EXPECT_EQ(state.deskTable[0].wallpaper, "C:\\pics\\mine.bmp");
}

// Explorer started afresh: the record is read again through new watches; a record that cannot be watched
// is read every kUnwatchedCheckSeconds, so following never stops unseen.
TEST_F(DeskFollowingTest, ExplorerRestartingOrAWatchLostSetsTheWatchesUpAgainAndKeepsReading) {
    systemHas({0x11, 0x22}, 0x11);
    toggleFollowing();
    const int watches = view.systemDesktopWatchesMade;
    view.systemDesktopsWatchable = false;
    platform.setRegistryBinary(kVirtualDesktopsKey, "CurrentVirtualDesktop", std::string(16, '\x22'));
    bar.onExplorerRestarted();
    EXPECT_EQ(view.systemDesktopWatchesMade, watches + 1);
    EXPECT_EQ(state.currentDesk, 1);
    EXPECT_EQ(view.systemDesktopsCheck, kUnwatchedCheckSeconds + kWakeMargin);
}

// The session may not end in the middle of a switch: the system is told why until it ends. After the end
// no switch starts and following stops.
TEST_F(DeskFollowingTest, LoggingOffWaitsForARunningSwitchAndNoneStartsAfter) {
    systemHas({0x11, 0x22}, 0x11);
    toggleFollowing();
    std::optional<bool> mayEnd;
    platform.onPumpPendingEvents = [&] {
        if (!mayEnd) mayEnd = bar.onSessionEndAsked();
    };
    systemHas({0x11, 0x22}, 0x22);
    platform.onPumpPendingEvents = nullptr;
    EXPECT_EQ(mayEnd, false);
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(),
                         "block session end: デスクを切り替えています"),
              1);
    EXPECT_EQ(view.sessionEndBlock, "") << "until the switch ended";
    EXPECT_TRUE(bar.onSessionEndAsked());

    bar.onSessionEnding();
    EXPECT_FALSE(view.watchingSystemDesktops);
    EXPECT_EQ(setting("User", "FollowSystemDesks"), "1") << "for the next logon";
    systemHas({0x11, 0x22}, 0x11);
    bar.onDeskClicked(0);
    EXPECT_EQ(state.currentDesk, 1);
}

}  // namespace
}  // namespace koruvan::testing
