#include <algorithm>

#include "bar/desk_bar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bar_fixture.h"

namespace koruvan::testing {
namespace {

class DeskBarTest : public ::testing::Test, public BarFixture {};

TEST_F(DeskBarTest, FirstRunShowsOneMediumButtonInAHiddenBarThreeSlotsWide) {
    platform.writeFile("C:\\Users\\user\\Desktop\\memo.txt", "memo");
    bar.load(96, 96);

    EXPECT_EQ(view.caption, "コルヴァン");
    EXPECT_EQ(bar.face().twipsPerPixelX(), 15);
    EXPECT_EQ(bar.face().buttonSize(), 34);
    EXPECT_EQ(bar.face().checkedSizeItem(), 1);
    EXPECT_EQ(bar.face().buttonCount(), 3);
    EXPECT_EQ(view.bar.clientWidth, 115);  // 3.2 slots of 36 pixels
    EXPECT_EQ(view.bar.clientHeight, 28);  // 27.5 rounded
    EXPECT_EQ(view.bar.left, 0);
    EXPECT_LT(view.bar.top, 0) << "already hidden behind the top edge";
    EXPECT_TRUE(view.watching);
    EXPECT_TRUE(view.shown);
    EXPECT_TRUE(view.buttons[0].boxVisible);
    EXPECT_EQ(view.buttons[0].boxRect, (Rect<double>{2, 2, 34, 25.5}));
    EXPECT_EQ(platform.filesIn("C:\\KORUVAN\\dsk0\\"), std::vector<std::string>{"memo.txt"});
}

TEST_F(DeskBarTest, ResumedStartCopiesTheDeskSnapshotBackAndTakesACustomSize) {
    platform.writeFile(state.settingsPath(),
                       "[User]\r\nLastUse=2\r\nSizeNum=45\r\n[DeskTop]\r\n0=A\r\n2=B,,,,2\r\n");
    platform.writeFile("C:\\KORUVAN\\dsk2\\only-on-b.txt", "b");
    bar.load(120, 120);

    EXPECT_EQ(state.currentDesk, 2);
    EXPECT_EQ(bar.face().twipsPerPixelX(), 12);
    EXPECT_EQ(bar.face().buttonSize(), 45);
    EXPECT_EQ(bar.face().checkedSizeItem(), 3);
    EXPECT_TRUE(platform.exists("C:\\Users\\user\\Desktop\\only-on-b.txt"));
    EXPECT_TRUE(platform.exists("C:\\KORUVAN\\dsk2\\only-on-b.txt"));
}

TEST(DeskBarStartTest, WarnsOnceOverTheShownBarWhenTheProgramsPlaceKeepsTheDesktopsItems) {
    const std::string onDesktop =
        "コルヴァンの置き場所: コルヴァンがﾃﾞｽｸﾄｯﾌﾟに置かれています。このままではﾃﾞｽｸﾄｯﾌﾟを切り替えるたびに、"
        "コルヴァン自身と設定ﾌｧｲﾙまで移動してしまいます。";
    const std::string unwritable =
        "コルヴァンの置き場所: コルヴァンのﾌｫﾙﾀﾞに書き込めません。設定もﾃﾞｽｸﾄｯﾌﾟごとのﾌｧｲﾙも保存できません。";
    const std::string advice =
        "\n\nコルヴァンは専用のﾌｫﾙﾀﾞ（例えば %LOCALAPPDATA%\\Programs\\KORUVAN）に置いて下さい。"
        "それまではﾃﾞｽｸﾄｯﾌﾟのﾌｧｲﾙを移動しません。";
    const struct {
        const char* desktop;  // the program lies in C:\KORUVAN
        bool unwritable;
        std::string warning;  // "" for none
    } cases[] = {
        {"C:\\Users\\user\\Desktop", false, ""},
        {"C:\\", false, ""},
        {"C:\\KORUVAN", false, onDesktop + advice},
        {"c:\\koruvan\\", false, onDesktop + advice},
        {"C:\\Users\\user\\Desktop", true, unwritable + advice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.desktop) + (c.unwritable ? " unwritable" : ""));
        BarFixture start;
        start.platform.knownDesktop = c.desktop;
        start.platform.failWrites = c.unwritable;
        start.bar.load(96, 96);
        EXPECT_EQ(start.view.warnings,
                  c.warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.warning});
        EXPECT_FALSE(start.view.warnedBeforeShown);
        EXPECT_TRUE(start.view.watching);
        for (const std::string& name : start.platform.filesIn("C:\\KORUVAN\\"))
            EXPECT_THAT(name, ::testing::AnyOf("KORUVAN.ini", "KORUVAN.items"))
                << "the trial write leaves nothing behind";
    }
}

TEST_F(DeskBarTest, RedrawShowsPicturesBoxesAndTheCurrentDeskPressed) {
    platform.setRegistry(kColorsKey, "Background", "255 0 0");
    nameDesk(0, "A", "  C:\\pics\\a.bmp  ");
    nameDesk(3, "B");
    nameDesk(7, "C", "C:\\pics\\c.bmp");
    state.currentDesk = 3;
    layOut();

    const DeskButtons& b = view.buttons;
    EXPECT_TRUE(b[0].pictureVisible);
    EXPECT_FALSE(b[0].boxVisible);
    EXPECT_EQ(b[0].picturePath, "C:\\pics\\a.bmp");
    EXPECT_EQ(b[0].pictureRect, (Rect<double>{0, 0, 40, 30}));
    EXPECT_TRUE(b[3].boxVisible);
    EXPECT_FALSE(b[3].pictureVisible);
    EXPECT_EQ(b[3].boxColor, 255);
    EXPECT_EQ(b[3].boxRect, (Rect<double>{44, 2, 40, 30}));
    EXPECT_EQ(b[7].pictureRect, (Rect<double>{84, 0, 40, 30}));
    for (int unnamed : {1, 2, 4, 5, 6, 8, 9}) {
        EXPECT_FALSE(b[static_cast<std::size_t>(unnamed)].pictureVisible ||
                     b[static_cast<std::size_t>(unnamed)].boxVisible);
    }
}

TEST_F(DeskBarTest, WatchCheckKeepsTopmostAndHidesOnlyAfterFiveIdleSeconds) {
    nameDesk(0, "A");
    state.autoHide = 1;
    layOut();
    view.bar.top = 0;

    bar.onBackgroundPointerMoved();
    EXPECT_NEAR(*view.wake, 5.05, 1e-9) << "a wake for when the bar may hide";
    platform.clock += 4.9;
    bar.onWatchCheck();
    EXPECT_TRUE(view.topmost);
    EXPECT_EQ(view.bar.top, 0) << "the pointer left less than five seconds ago";
    EXPECT_NEAR(*view.wake, 0.15, 1e-9);

    platform.clock += 0.2;
    view.wake.reset();
    bar.onWatchCheck();
    EXPECT_LT(view.bar.top, 0);
    EXPECT_FALSE(view.wake) << "a hidden bar that nothing happens to sleeps";

    state.alwaysOnTop = 0;
    bar.onWatchCheck();
    EXPECT_FALSE(view.topmost);
}

TEST_F(DeskBarTest, PointerOverTheBackgroundRevealsTheHiddenBarAndHidesTheTip) {
    nameDesk(0, "A");
    state.autoHide = 1;
    layOut();
    bar.placeOrHide();
    bar.onDeskPointerMoved(0, 3);
    ASSERT_TRUE(view.tip.visible);

    bar.onBackgroundPointerMoved();
    EXPECT_EQ(view.bar.top, 0);
    EXPECT_FALSE(view.tip.visible);
}

TEST_F(DeskBarTest, AppearancePollStoresOutsideChangesAndWritesNothingWhenEqual) {
    nameDesk(0, "A", "C:\\pics\\a.bmp");
    state.deskTable[0].pattern = "(None)";
    platform.setRegistry(kDesktopKey, "Wallpaper", "C:\\pics\\a.bmp");
    platform.setRegistry(kDesktopKey, "Pattern", " (None) ");
    layOut();

    bar.onWatchCheck();
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "write " + state.settingsPath()), 0);

    platform.setRegistry(kDesktopKey, "WallpaperStyle", "2");
    bar.onWatchCheck();
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "write " + state.settingsPath()), 0)
        << "the style is not watched";

    platform.setRegistry(kDesktopKey, "Wallpaper", "C:\\My Pictures\\new one.bmp");
    bar.onWatchCheck();
    EXPECT_EQ(state.deskTable[0].wallpaper, "C:\\My Pictures\\new one.bmp");
    EXPECT_EQ(view.buttons[0].picturePath, "C:\\My Pictures\\new one.bmp");
    EXPECT_EQ(setting("DeskTop", "0"), "A,C:\\My Pictures\\new one.bmp,(None),0 128 128,");
}

TEST_F(DeskBarTest, AppearancePollNeverTakesAValueWithAComma) {
    nameDesk(0, "A", "C:\\pics\\a.bmp");
    platform.setRegistry(kDesktopKey, "Wallpaper", "C:\\pics\\one,two.bmp");
    layOut();
    bar.onWatchCheck();
    EXPECT_EQ(state.deskTable[0].wallpaper, "C:\\pics\\a.bmp");
}

TEST_F(DeskBarTest, BackgroundMenuStopsTheTimerAndADismissedMenuStartsItAgain) {
    nameDesk(0, "A");
    layOut();
    bar.onWatchCheck();
    ASSERT_TRUE(view.topmost);

    view.menuAnswers = {MenuCommand::None};
    platform.clearCalls();
    bar.onBackgroundRightPressed();
    EXPECT_EQ(view.optionsMenuChecks, std::vector<int>{0});
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"watching off", "notopmost", "watching on"}));
    EXPECT_TRUE(view.watching);
}

TEST_F(DeskBarTest, CloseBoxEndsAtOnceWithoutWritingAnything) {
    nameDesk(0, "A");
    layOut();
    bar.onCloseRequested();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(std::count_if(platform.calls.begin(), platform.calls.end(),
                            [](const std::string& c) { return c.rfind("write", 0) == 0; }),
              0);
}

}  // namespace
}  // namespace koruvan::testing
