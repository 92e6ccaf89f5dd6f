#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "bar_fixture.h"
#include "store/profile_encoding.h"
#include "store/settings.h"

namespace koruvan::testing {
namespace {

class DeskProgramsTest : public ::testing::Test, public BarFixture {
  protected:
    DeskProgramsTest() {
        nameDesk(0, "仕事");
        nameDesk(2, "趣味");
        state.deskTable[0].id = 11;
        state.deskTable[2].id = 12;
        editor = platform.addWindow(
            {.title = "memo - Notepad", .className = "Notepad", .rect = {10, 20, 500, 400}});
        layOut();
    }

    // The tray menu opened over `editor`, and `slot` chosen in "このプログラムを開くデスク".
    void chooseProgramDesk(int slot) {
        platform.foreground = editor;
        bar.onWatchCheck();
        platform.foreground = tray;
        view.trayAnswers = {{.programDesk = slot}};
        bar.onTrayClicked();
    }
    WindowHandle newNotepad(const std::string& title, bool visible = true) {
        const WindowHandle window = platform.addWindow(
            {.visible = visible, .title = title, .className = "Notepad", .rect = {30, 30, 400, 300}});
        bar.onWindowAppeared(window);
        return window;
    }
    bool onDesk(int slot, WindowHandle window) {
        const DeskWindows& entries = state.windowTable[static_cast<std::size_t>(slot)];
        return std::any_of(entries.begin(), entries.end(),
                           [&](const WindowEntry& e) { return e.window == window; });
    }

    WindowHandle editor = 0;
    WindowHandle tray =
        platform.addWindow({.title = "", .className = "Shell_TrayWnd", .rect = {0, 740, 1024, 768}});
};

// The rule is chosen from the tray and written by file name; the program's next window goes to its desk as
// it is shown, minimised; another program's stays; a full desk says so in a balloon; a deleted desk drops it.
TEST_F(DeskProgramsTest, ARuleFromTheTraySendsTheProgramsNewWindowsToItsDesk) {
    EXPECT_FALSE(view.watchingNewWindows) << "nothing to watch for";
    chooseProgramDesk(2);
    EXPECT_EQ(setting(kProgramDesksSection, "notepad.exe"), "12");
    EXPECT_TRUE(view.watchingNewWindows);
    chooseProgramDesk(2);
    ASSERT_EQ(view.trayWindowMenus.back().programDesks.size(), 2u);
    EXPECT_TRUE(view.trayWindowMenus.back().programEnabled);
    EXPECT_TRUE(view.trayWindowMenus.back().programDesks[1].current) << "the program's desk checked";

    const WindowHandle later = newNotepad("new - Notepad", false);
    EXPECT_FALSE(onDesk(2, later)) << "decided on once shown";
    EXPECT_EQ(view.newWindowsCheck, kNewWindowCheckSeconds);
    platform.window(later).visible = true;
    bar.onNewWindowsCheck();
    EXPECT_TRUE(onDesk(2, later) && platform.window(later).minimized);
    bar.onWindowAppeared(editor);  // shown again: it was open before the rule
    EXPECT_FALSE(platform.window(editor).minimized);
    const WindowHandle never = newNotepad("hidden", false);
    platform.clock += kNewWindowPatienceSeconds + 0.1;
    bar.onNewWindowsCheck();
    platform.window(never).visible = true;
    bar.onNewWindowsCheck();
    EXPECT_FALSE(onDesk(2, never)) << "given up on after the wait";
    const WindowHandle other = platform.addWindow(
        {.title = "calc", .className = "Calc", .rect = {0, 0, 90, 90}, .programFile = "C:\\calc.exe"});
    bar.onWindowAppeared(other);
    EXPECT_FALSE(platform.window(other).minimized);

    state.windowTable[2].resize(kMaxCapturedWindows);
    const WindowHandle refused = newNotepad("third - Notepad");
    EXPECT_FALSE(platform.window(refused).minimized);
    EXPECT_EQ(view.balloons.back(),
              "このプログラムを開くデスク: "
              "ﾃﾞｽｸﾄｯﾌﾟ「趣味」のウィンドウがいっぱいのため、新しいウィンドウを移せませんでした。");
    state.windowTable[2].clear();

    view.menuAnswers = {MenuCommand::Delete};
    view.yesNoAnswers = {true};
    bar.onDeskRightPressed(2);
    EXPECT_EQ(setting(kProgramDesksSection, "notepad.exe"), "<missing>");
    EXPECT_FALSE(platform.window(newNotepad("after - Notepad")).minimized);
}

// Windows remembered at the end find their desks at the next start: the same title first, then the only
// one of its program left; a window on the desk on screen stays.
TEST_F(DeskProgramsTest, WindowsFindTheirDesksAgainAfterARestart) {
    platform.writeFile(
        platform.programDir + "KORUVAN.ini",
        encodeProfileText("[User]\r\nLastUse=0\r\n[DeskTop]\r\n0=仕事,,,,0\r\n2=趣味,,,,0\r\n"));
    const WindowHandle renamed = newNotepad("plan - Notepad");
    auto first = std::make_unique<ProgramRun>(platform);
    for (const WindowHandle window : {editor, renamed}) {
        platform.foreground = window;
        first->bar.onWatchCheck();
        platform.foreground = tray;
        first->view.trayAnswers = {{.moveToDesk = 2}};
        first->bar.onTrayClicked();
    }
    const WindowHandle stays = newNotepad("stays - Notepad");
    first->bar.onCloseRequested();
    first.reset();

    // After a reboot the program opens its windows again, restored; one has another title by now.
    platform.window(editor).minimized = platform.window(renamed).minimized = false;
    platform.window(renamed).title = "plan * - Notepad";
    ProgramRun second(platform);
    EXPECT_TRUE(platform.window(editor).minimized && platform.window(renamed).minimized);
    EXPECT_FALSE(platform.window(stays).minimized);
    EXPECT_EQ(second.state.windowTable[2].size(), 2u);
}

}  // namespace
}  // namespace koruvan::testing
