#include "bar/desk_icons.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "bar_fixture.h"
#include "store/desk_identity.h"
#include "store/icon_layout_file.h"

namespace koruvan::testing {
namespace {

constexpr const char* kDesktop = "C:\\Users\\user\\Desktop\\";

// Desk 0 with a.txt and b.txt on the Desktop beside a folder that stays on every desk; desk 2 with x.txt.
class DeskIconsTest : public ::testing::Test, public BarFixture {
  protected:
    DeskIconsTest() {
        nameDesk(0, "仕事");
        nameDesk(2, "趣味");
        platform.writeFile(std::string(kDesktop) + "a.txt", "a");
        platform.writeFile(std::string(kDesktop) + "b.txt", "b");
        EXPECT_TRUE(platform.makeFolder(std::string(kDesktop) + "フォルダ"));
        platform.writeFile("C:\\KORUVAN\\dsk2\\x.txt", "x");
        giveDeskIdentities(state);  // as the settings give them at the start
        layOut();
    }

    // The view notices what the Desktop holds, and the user drags the items.
    void arrange(std::initializer_list<std::pair<const char*, IconPoint>> places) {
        (void)platform.readDesktopIcons();
        for (const auto& [name, at] : places)
            platform.iconView.drag(name, at);
    }
    // The checks the bar asks the view for, each when it comes due; how many ran.
    int runChecks() {
        int checks = 0;
        while (view.iconCheck && checks < 100) {
            platform.clock += *view.iconCheck;
            view.iconCheck.reset();
            bar.onIconCheck();
            ++checks;
        }
        return checks;
    }
    void switchTo(int desk) {
        bar.onDeskClicked(desk);
        runChecks();
    }
    IconPoint at(const std::string& name) {
        return platform.iconView.placeOf(name).value_or(IconPoint{-1, -1});
    }
    int count(const std::string& prefix) {
        return static_cast<int>(
            std::count_if(platform.calls.begin(), platform.calls.end(),
                          [&](const std::string& call) { return call.starts_with(prefix); }));
    }
    std::size_t indexOf(const std::string& part) {
        const auto it =
            std::find_if(platform.calls.begin(), platform.calls.end(),
                         [&](const std::string& call) { return call.find(part) != std::string::npos; });
        EXPECT_NE(it, platform.calls.end()) << part;
        return static_cast<std::size_t>(it - platform.calls.begin());
    }
};

TEST_F(DeskIconsTest, EachDeskComesBackArrangedAndEachScreenKeepsItsOwnLayout) {
    arrange({{"a.txt", {880, 0}}, {"b.txt", {880, 96}}});
    switchTo(2);
    arrange({});
    EXPECT_EQ(at("x.txt"), (IconPoint{0, 0})) << "a desk not arranged yet: where the view put it";
    arrange({{"x.txt", {400, 300}}});
    for (int trip = 0; trip < 2; ++trip) {
        switchTo(0);
        EXPECT_EQ(at("a.txt"), (IconPoint{880, 0}));
        EXPECT_EQ(at("b.txt"), (IconPoint{880, 96}));
        EXPECT_EQ(at("フォルダ"), (IconPoint{0, 192})) << "the folder stays where it is";
        switchTo(2);
        EXPECT_EQ(at("x.txt"), (IconPoint{400, 300}));
    }

    platform.iconView.screen = {1920, 1080, 144};
    platform.clearCalls();
    switchTo(0);
    EXPECT_EQ(count("icons placed"), 0) << "a layout of another screen is never stretched";
    arrange({{"a.txt", {1800, 0}}});
    switchTo(2);
    platform.iconView.screen = {1024, 768, 96};
    switchTo(0);
    EXPECT_EQ(at("a.txt"), (IconPoint{880, 0})) << "the first screen's layout, kept apart";
    switchTo(2);
    platform.iconView.screen = {1920, 1080, 144};
    switchTo(0);
    EXPECT_EQ(at("a.txt"), (IconPoint{1800, 0}));
}

// The switch reads where the items stand before they leave, and puts the new desk's back only after LastUse,
// from checks that wait for the view to list them: in one call once it does, or not at all after the wait.
TEST_F(DeskIconsTest, PuttingBackWaitsForTheViewAfterTheSwitchAndGivesUpInTime) {
    arrange({{"a.txt", {880, 0}}, {"b.txt", {880, 96}}});
    switchTo(2);
    platform.iconView.lag = 3;
    platform.clearCalls();
    bar.onDeskClicked(0);

    EXPECT_LT(indexOf("icons read"), indexOf("C:\\Users\\user\\Desktop\\x.txt")) << "before x.txt left";
    EXPECT_EQ(count("icons placed"), 0);
    EXPECT_EQ(setting("User", "LastUse"), "0");
    EXPECT_EQ(view.iconCheck, kIconCheckSeconds);
    EXPECT_EQ(runChecks(), 4) << "three checks see the items unlisted";
    EXPECT_EQ(count("icons placed"), 1);
    EXPECT_EQ(at("b.txt"), (IconPoint{880, 96}));

    switchTo(2);
    platform.iconView.lag = 1000;
    platform.clearCalls();
    const double start = platform.clock;
    switchTo(0);
    EXPECT_EQ(count("icons placed"), 0);
    EXPECT_NEAR(platform.clock - start, kIconWaitSeconds, kIconCheckSeconds);
    EXPECT_FALSE(view.iconCheck) << "no more checks once the wait is over";
}

TEST_F(DeskIconsTest, NothingIsReadOrMovedWhileTheViewArrangesItsIcons) {
    arrange({{"a.txt", {880, 0}}});
    switchTo(2);
    platform.iconView.autoArrange = true;
    switchTo(0);
    EXPECT_EQ(count("icons placed"), 0);
    platform.iconView.drag("a.txt", {300, 300});
    switchTo(2);
    platform.iconView.autoArrange = false;
    switchTo(0);
    EXPECT_EQ(at("a.txt"), (IconPoint{880, 0})) << "the layout read before the view arranged the icons";
}

// Leaving a desk whose items still wait to go back (keys pressed quickly) would take the view's placement for
// the user's.
TEST_F(DeskIconsTest, ADeskLeftBeforeItsItemsWentBackKeepsItsLayout) {
    arrange({{"a.txt", {880, 0}}});
    switchTo(2);
    bar.onDeskClicked(0);
    bar.onDeskClicked(2);
    switchTo(0);
    EXPECT_EQ(at("a.txt"), (IconPoint{880, 0}));
}

// The shell's calls may let a key's switch run inside a check: the check then leaves the new desk's items
// alone.
TEST_F(DeskIconsTest, ASwitchDuringACheckEndsItsPutBack) {
    arrange({{"a.txt", {880, 0}}});
    switchTo(2);
    arrange({{"x.txt", {400, 300}}});
    switchTo(0);
    bar.onDeskClicked(2);
    arrange({});  // the view notices desk 2's items
    platform.iconView.duringNextRead = [&] { bar.onDeskClicked(0); };
    platform.clearCalls();
    runChecks();
    EXPECT_EQ(count("icons placed"), 1);
    EXPECT_EQ(count("icons placed x.txt"), 0);
    EXPECT_EQ(at("a.txt"), (IconPoint{880, 0}));
}

TEST_F(DeskIconsTest, WithTheOptionOffTheViewPlacesTheItemsAsItAlwaysDoes) {
    arrange({{"a.txt", {880, 0}}});
    switchTo(2);
    view.trayAnswers = {{.command = MenuCommand::KeepIconPositions}};
    bar.onTrayClicked();
    EXPECT_EQ(view.trayToggles.front().text, "アイコンの位置をデスクごとに保存");
    EXPECT_TRUE(view.trayToggles.front().checked);
    EXPECT_EQ(setting("User", kKeepIconPositionsKey), "0");
    platform.clearCalls();
    switchTo(0);
    switchTo(2);
    EXPECT_EQ(count("icons"), 0);

    view.trayAnswers = {{.command = MenuCommand::KeepIconPositions}};
    bar.onTrayClicked();
    EXPECT_EQ(setting("User", kKeepIconPositionsKey), "1");
}

// The Desktop keeps the current desk's items while the program is not running, and the view its own
// arrangement of them: a start puts back only what it put on the Desktop itself.
TEST_F(DeskIconsTest, AStartPutsBackOnlyTheItemsItPlaced) {
    platform.writeFile(state.settingsPath(),
                       "[User]\r\nLastUse=0\r\n[DeskTop]\r\n0=A\r\n[DeskIds]\r\n0=7\r\n");
    platform.writeFile("C:\\KORUVAN\\dsk0\\a.txt", "a");
    platform.writeFile("C:\\KORUVAN\\dsk0\\b.txt", "b");
    (void)platform.deleteFile(std::string(kDesktop) + "b.txt");  // the user deleted it; it comes back
    arrange({{"a.txt", {500, 500}}});
    IconLayouts layouts;
    layouts["7"][platform.iconView.screen] = {{"a.txt", "", {880, 0}}, {"b.txt", "", {880, 96}}};
    ASSERT_TRUE(writeIconLayouts(platform, iconLayoutPath(state), layouts));

    bar.load(96, 96);
    runChecks();
    EXPECT_EQ(at("a.txt"), (IconPoint{500, 500}));
    EXPECT_EQ(at("b.txt"), (IconPoint{880, 96}));
}

TEST_F(DeskIconsTest, ADeletedDesksLayoutsGoWithIt) {
    switchTo(2);
    arrange({{"x.txt", {400, 300}}});
    switchTo(0);
    const std::string desk2 = iconLayoutKey(state, 2);
    ASSERT_TRUE(readIconLayouts(platform, iconLayoutPath(state)).contains(desk2));
    view.menuAnswers = {MenuCommand::Delete};
    view.yesNoAnswers = {true};
    bar.onDeskRightPressed(2);
    EXPECT_FALSE(readIconLayouts(platform, iconLayoutPath(state)).contains(desk2));
}

}  // namespace
}  // namespace koruvan::testing
