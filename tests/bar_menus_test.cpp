#include <gtest/gtest.h>

#include "bar_fixture.h"

namespace koruvan::testing {
namespace {

class BarMenusTest : public ::testing::Test, public BarFixture {
  protected:
    BarMenusTest() {
        nameDesk(0, "A");
        nameDesk(1, "B");
        nameDesk(3, "ゲーム", "C:\\pics\\game.bmp");
        state.deskTable[3].style = WallpaperStyle::Tiled;
        platform.writeFile("C:\\KORUVAN\\dsk3\\game.lnk", "x");
        platform.writeFile("C:\\KORUVAN\\dsk3\\notes.txt", "y");
        EXPECT_TRUE(saveDeskTable(platform, state));
        layOut();
    }
};

TEST_F(BarMenusTest, OpenAndDeleteAreEnabledOnlyForOtherDesks) {
    view.menuAnswers = {MenuCommand::None, MenuCommand::Organise};
    bar.onDeskRightPressed(0);
    bar.onDeskRightPressed(3);
    EXPECT_EQ(view.deskMenuEnabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.dialogs.back(), (OpenedDialog{DialogKind::Organiser, 3}));
    EXPECT_TRUE(view.watching) << "the dismissed menu started watching again";
}

TEST_F(BarMenusTest, OpenSwitchesToTheTargetDesk) {
    view.menuAnswers = {MenuCommand::Open};
    bar.onDeskRightPressed(1);
    EXPECT_EQ(state.currentDesk, 1);
    EXPECT_EQ(setting("User", "LastUse"), "1");
}

TEST_F(BarMenusTest, DeleteAnsweredYesEmptiesTheDeskButKeepsItsFolderAndStyle) {
    view.menuAnswers = {MenuCommand::Delete};
    view.yesNoAnswers = {true};
    bar.onDeskRightPressed(3);

    EXPECT_EQ(view.questions, std::vector<std::string>{"ﾃﾞｽｸﾄｯﾌﾟ削除: ﾃﾞｽｸﾄｯﾌﾟ「ゲーム」を削除しますか"});
    EXPECT_TRUE(platform.folderExists("C:\\KORUVAN\\dsk3\\"));
    EXPECT_TRUE(platform.filesIn("C:\\KORUVAN\\dsk3\\").empty());
    EXPECT_FALSE(state.deskTable[3].exists());
    EXPECT_TRUE(state.deskTable[3].wallpaper.empty());
    EXPECT_EQ(state.deskTable[3].style, WallpaperStyle::Tiled);
    EXPECT_EQ(setting("DeskTop", "3"), "");
    EXPECT_FALSE(view.buttons[3].pictureVisible || view.buttons[3].boxVisible);
    EXPECT_TRUE(view.watching);
}

TEST_F(BarMenusTest, DeleteAnsweredNoChangesNothing) {
    view.menuAnswers = {MenuCommand::Delete};
    view.yesNoAnswers = {false};
    bar.onDeskRightPressed(3);
    EXPECT_TRUE(state.deskTable[3].exists());
    EXPECT_EQ(platform.filesIn("C:\\KORUVAN\\dsk3\\").size(), 2u);
    EXPECT_EQ(setting("DeskTop", "3"), "ゲーム,C:\\pics\\game.bmp,,0 128 128,1");
}

TEST_F(BarMenusTest, TheCurrentDeskIsNeverDeleted) {
    view.menuAnswers = {MenuCommand::Delete};
    view.yesNoAnswers = {true};
    bar.onDeskRightPressed(0);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_TRUE(state.deskTable[0].exists());
}

TEST_F(BarMenusTest, SizePresetsResizeAtOnceAndAreWritten) {
    view.menuAnswers = {MenuCommand::SizeSmall};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(bar.face().buttonSize(), 28);
    EXPECT_EQ(bar.face().checkedSizeItem(), 2);
    EXPECT_EQ(view.buttons[1].boxRect.width, 28);
    EXPECT_EQ(view.bar.clientWidth, toPixels(3.2 * 30));
    EXPECT_EQ(setting("User", "SizeNum"), "2");

    view.menuAnswers = {MenuCommand::SizeLarge};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(view.optionsMenuChecks.back(), 2) << "the menu showed the check on the size in use";
    EXPECT_EQ(bar.face().buttonSize(), 40);
    EXPECT_EQ(setting("User", "SizeNum"), "0");
}

TEST_F(BarMenusTest, CustomSizeEqualToAPresetIsStoredAsThePreset) {
    view.buttonSizeAnswer = 34;
    view.menuAnswers = {MenuCommand::SizeCustom};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(state.buttonSizeSetting, 1);
    EXPECT_EQ(bar.face().checkedSizeItem(), 1);
    EXPECT_EQ(setting("User", "SizeNum"), "1");

    view.buttonSizeAnswer = 45;
    view.menuAnswers = {MenuCommand::SizeCustom};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(bar.face().buttonSize(), 45);
    EXPECT_EQ(bar.face().checkedSizeItem(), 3);
    EXPECT_EQ(setting("User", "SizeNum"), "45");
}

TEST_F(BarMenusTest, NewDeskGoesToTheFirstFreeSlotOrToNine) {
    view.menuAnswers = {MenuCommand::NewDesk};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(view.dialogs.back(), (OpenedDialog{DialogKind::Desk, 2}));

    for (int d = 0; d <= 8; ++d)
        nameDesk(d, "D" + std::to_string(d));
    nameDesk(9, "taken");
    view.menuAnswers = {MenuCommand::NewDesk};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(view.dialogs.back(), (OpenedDialog{DialogKind::Desk, 9}));
    EXPECT_TRUE(view.watching);
}

TEST_F(BarMenusTest, DialogsRedrawTheBarOnlyWhenConfirmed) {
    struct Case {
        MenuCommand command;
        int cancelled;
        int redraws;  // fitToDesks and redrawButtons each draw
    };
    const Case cases[] = {
        {MenuCommand::Rename, 0, 1},  {MenuCommand::Rename, 1, 0},   {MenuCommand::NewDesk, 0, 2},
        {MenuCommand::NewDesk, 1, 0}, {MenuCommand::Settings, 0, 2}, {MenuCommand::Settings, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.command));
        view.onDialog = [&](DialogKind) {
            return c.cancelled ? DialogResult::Cancelled : DialogResult::Stored;
        };
        view.menuAnswers = {c.command};
        platform.clearCalls();
        if (c.command == MenuCommand::Rename) {
            bar.onDeskRightPressed(1);
        } else {
            bar.onBackgroundRightPressed();
        }
        const auto dialog = std::find(platform.calls.begin(), platform.calls.end(), "dialog");
        ASSERT_NE(dialog, platform.calls.end());
        EXPECT_EQ(std::count(dialog, platform.calls.end(), "draw"), c.redraws);
        EXPECT_EQ(view.dialogs.back().kind,
                  c.command == MenuCommand::Settings ? DialogKind::Settings : DialogKind::Desk);
        EXPECT_TRUE(view.watching);
    }
}

TEST_F(BarMenusTest, ConfirmedSettingsPlaceTheBarAtOnce) {
    view.onDialog = [&](DialogKind) {
        state.barPosition = BarPosition::TopRight;
        return DialogResult::Stored;
    };
    view.menuAnswers = {MenuCommand::Settings};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(view.bar.left, view.screenW - view.bar.outerWidth);
}

TEST_F(BarMenusTest, EndClosesWithoutWriting) {
    view.menuAnswers = {MenuCommand::End};
    platform.clearCalls();
    bar.onBackgroundRightPressed();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(std::count_if(platform.calls.begin(), platform.calls.end(),
                            [](const std::string& c) { return c.rfind("write", 0) == 0; }),
              0);
}

}  // namespace
}  // namespace koruvan::testing
