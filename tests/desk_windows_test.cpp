#include <gtest/gtest.h>

#include <algorithm>

#include "bar_fixture.h"
#include "store/hidden_windows.h"
#include "store/window_table.h"

namespace koruvan::testing {
namespace {

class DeskWindowsTest : public ::testing::Test, public BarFixture {
  protected:
    DeskWindowsTest() {
        nameDesk(0, "仕事");
        nameDesk(2, "趣味");
        editor = platform.addWindow(
            {.title = "memo - Notepad", .className = "Notepad", .rect = {10, 20, 500, 400}});
        clock = platform.addWindow({.title = "Clock", .className = "ClockFrame", .rect = {0, 0, 90, 90}});
        layOut();
    }

    std::size_t indexOf(const std::string& prefix) {
        const auto it = std::find_if(platform.calls.begin(), platform.calls.end(),
                                     [&](const std::string& call) { return call.starts_with(prefix); });
        return static_cast<std::size_t>(it - platform.calls.begin());
    }

    WindowHandle editor = 0;
    WindowHandle clock = 0;
};

// Off: minimised as ever. On: recorded, then hidden, and shown again on return and at the end. A pinned
// window stays through both.
TEST_F(DeskWindowsTest, ASwitchMinimisesOrHidesTheLeavingDesksWindowsButNotAPinnedOne) {
    for (const bool hide : {false, true}) {
        for (const WindowHandle window : {editor, clock}) {
            platform.window(window).minimized = false;
            platform.window(window).visible = true;
        }
        state.hideOtherDeskWindows = hide;
        platform.foreground = clock;
        bar.onHotkey(kPinHotkey);
        platform.clearCalls();

        bar.onDeskClicked(2);
        const FakeWindow& shown = platform.window(editor);

        EXPECT_EQ(shown.minimized, !hide);
        EXPECT_EQ(shown.visible, !hide);
        EXPECT_EQ(platform.exists(hiddenWindowsPath(state)), hide);
        if (hide) {
            EXPECT_LT(indexOf("write " + hiddenWindowsPath(state)), indexOf("hide "));
        }
        EXPECT_FALSE(platform.window(clock).minimized || !platform.window(clock).visible) << "pinned";

        bar.onDeskClicked(0);
        EXPECT_TRUE(shown.visible && !shown.minimized);
        bar.onDeskClicked(2);
        bar.onCloseRequested();
        EXPECT_TRUE(shown.visible && shown.minimized) << "the end shows it, minimised";
        EXPECT_FALSE(platform.exists(hiddenWindowsPath(state)));
        platform.foreground = clock;  // coming back gave the editor the focus
        bar.onHotkey(kPinHotkey);     // unpinned for the next round
        bar.onDeskClicked(0);
    }
}

// Ctrl+Alt+Shift+2 moves the active window to the second desk; its own windows, the shell's and an elevated
// program's stay, and so does a window moved to the desk it is on.
TEST_F(DeskWindowsTest, TheMoveKeysSendOnlyAnotherProgramsApplicationWindowToAnotherDesk) {
    const struct {
        FakeWindow window;
        int hotkey;
        bool moves;
    } cases[] = {
        {{.title = "memo - Notepad", .className = "Notepad", .rect = {1, 1, 90, 90}},
         kFirstMoveHotkey + 1,
         true},
        {{.title = "memo - Notepad", .className = "Notepad", .rect = {1, 1, 90, 90}},
         kFirstMoveHotkey,
         false},
        {{.title = "コルヴァン", .className = "KORUVAN.frmMAIN", .rect = {1, 1, 90, 90}},
         kFirstMoveHotkey + 1,
         false},
        {{.title = "", .className = "Shell_TrayWnd", .rect = {1, 1, 90, 90}}, kFirstMoveHotkey + 1, false},
        {{.title = "admin", .className = "Notepad", .rect = {1, 1, 90, 90}, .elevated = true},
         kFirstMoveHotkey + 1,
         false},
    };
    for (const auto& c : cases) {
        const WindowHandle window = platform.addWindow(c.window);
        platform.foreground = window;
        bar.onHotkey(c.hotkey);
        EXPECT_EQ(platform.window(window).minimized, c.moves) << c.window.title << " " << c.hotkey;
        EXPECT_EQ(state.windowTable[2].size(), c.moves ? 1u : 0u) << c.window.title;
        state.windowTable[2] = {};
    }
}

TEST_F(DeskWindowsTest, DeletingADeskShowsTheWindowsHiddenOnIt) {
    state.hideOtherDeskWindows = true;
    platform.foreground = editor;
    bar.onHotkey(kFirstMoveHotkey + 1);
    ASSERT_FALSE(platform.window(editor).visible);
    view.menuAnswers = {MenuCommand::Delete};
    view.yesNoAnswers = {true};
    bar.onDeskRightPressed(2);
    EXPECT_TRUE(platform.window(editor).visible && platform.window(editor).minimized);
    EXPECT_FALSE(platform.exists(hiddenWindowsPath(state)));
}

// The tray menu's commands act on the window that was active before it opened (the click made the shell's
// window the active one); turning the option off shows what it hid.
TEST_F(DeskWindowsTest, TheTrayMenuMovesTheWindowActiveBeforeItAndTurnsTheOptionOff) {
    platform.foreground = editor;
    bar.onWatchCheck();
    platform.foreground =
        platform.addWindow({.title = "", .className = "Shell_TrayWnd", .rect = {0, 740, 1024, 768}});
    view.trayAnswers = {{.command = MenuCommand::HideOtherDeskWindows},
                        {.moveToDesk = 2},
                        {.desk = 2},
                        {.command = MenuCommand::HideOtherDeskWindows}};
    for (int k = 0; k < 4; ++k)
        bar.onTrayClicked();

    ASSERT_EQ(view.trayWindowMenus.size(), 4u);
    EXPECT_TRUE(view.trayWindowMenus[1].windowChosen && view.trayWindowMenus[1].hideOtherDeskWindows);
    EXPECT_EQ(view.trayWindowMenus[1].moveDesks.size(), 2u);
    EXPECT_TRUE(platform.window(editor).visible) << "shown on entering desk 2";
    EXPECT_TRUE(platform.window(clock).visible && platform.window(clock).minimized)
        << "hidden, then shown again";
    EXPECT_EQ(setting("User", kHideOtherDeskWindowsKey), "0");
}

}  // namespace
}  // namespace koruvan::testing

namespace koruvan::testing {
namespace {

// A killed run's record that cannot be read at the start (another program holds it open) stays, is never
// written over (a window to hide is minimised instead), and is read at a later try: its window comes back.
TEST(DeskWindowKeeperTest, AnEarlierRecordThatCannotBeReadYetIsKeptAndTriedAgain) {
    FakePlatform platform;
    SharedState state;
    state.programDir = platform.programDir;
    state.deskTable[0].name = "仕事";
    state.deskTable[2].name = "趣味";
    state.hideOtherDeskWindows = true;
    const WindowHandle editor =
        platform.addWindow({.title = "memo", .className = "Notepad", .rect = {0, 0, 90, 90}});
    const WindowHandle left = platform.addWindow(
        {.visible = false, .title = "left hidden", .className = "Notepad", .rect = {0, 0, 90, 90}});
    const std::string record = formatHiddenWindows(platform.logon, {{left, 500, 2}});
    platform.writeFile(hiddenWindowsPath(state), record);
    platform.heldFiles.insert(hiddenWindowsPath(state));
    DeskWindowKeeper keeper(platform, state);

    keeper.showHiddenAgain();  // the start
    StepLog log;
    keeper.leaveDesk(0, log);
    EXPECT_TRUE(platform.window(editor).minimized && platform.window(editor).visible)
        << "minimised, not hidden";
    platform.heldFiles.clear();
    EXPECT_EQ(platform.fileContent(hiddenWindowsPath(state)), record);
    EXPECT_FALSE(platform.window(left).visible);

    keeper.retryEarlierRecord();
    EXPECT_TRUE(platform.window(left).visible && platform.window(left).minimized);
    EXPECT_FALSE(platform.exists(hiddenWindowsPath(state)));
}

}  // namespace
}  // namespace koruvan::testing
