#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "bar_fixture.h"
#include "store/profile_encoding.h"
#include "store/profile_file.h"

namespace koruvan::testing {
namespace {

class DeskSwitchTest : public ::testing::Test, public BarFixture {
  protected:
    DeskSwitchTest() {
        nameDesk(0, "仕事", "C:\\pics\\work.bmp");
        nameDesk(1, "趣味");
        nameDesk(2, "ゲーム", "C:\\pics\\game.bmp");
        state.deskTable[2].style = WallpaperStyle::Stretched;
        editor = platform.addWindow(
            {.title = "memo - Notepad", .className = "Notepad", .rect = {10, 20, 500, 400}});
        browser = platform.addWindow(
            {.title = "Browser", .className = "BrowserFrame", .rect = {-4, -4, 1028, 772}, .zoomed = true});
        platform.writeFile("C:\\Users\\user\\Desktop\\report.doc", "desk 0");
        platform.writeFile("C:\\KORUVAN\\dsk2\\game.lnk", "desk 2");
        layOut();
    }

    std::size_t indexOf(const std::string& call) {
        const auto it = std::find(platform.calls.begin(), platform.calls.end(), call);
        EXPECT_NE(it, platform.calls.end()) << call;
        return static_cast<std::size_t>(it - platform.calls.begin());
    }

    // What the switch did with the windows of the desk it entered.
    std::vector<std::string> windowCalls() const {
        std::vector<std::string> calls;
        std::copy_if(platform.calls.begin(), platform.calls.end(), std::back_inserter(calls),
                     [](const std::string& call) {
                         return call.starts_with("show ") || call.starts_with("stack") ||
                                call.starts_with("activate");
                     });
        return calls;
    }

    // The window's program, late until now, handles the show asked of it.
    void showsNow(WindowHandle window) {
        FakeWindow& late = platform.window(window);
        late.showsLate = false;
        late.minimized = false;
    }

    static std::string hex(WindowHandle handle) {
        char text[32];
        std::snprintf(text, sizeof(text), "%llx", static_cast<unsigned long long>(handle));
        return text;
    }

    WindowHandle editor = 0;
    WindowHandle browser = 0;
};

TEST_F(DeskSwitchTest, SwitchRunsItsEffectsInOrder) {
    bar.onDeskClicked(2);

    ASSERT_EQ(state.currentDesk, 2);
    const std::size_t timerOff = indexOf("watching off");
    const std::size_t moveOut =
        indexOf("move C:\\Users\\user\\Desktop\\report.doc -> C:\\KORUVAN\\dsk0\\report.doc");
    const std::size_t copyIn =
        indexOf("link C:\\KORUVAN\\dsk2\\game.lnk -> C:\\Users\\user\\Desktop\\game.lnk");
    const std::size_t wallpaper = indexOf("wallpaper C:\\pics\\game.bmp");
    const std::size_t minimise = indexOf("minimize " + hex(editor));
    const std::size_t lastUse = indexOf("write " + state.settingsPath());
    const std::size_t timerOn = indexOf("watching on");
    EXPECT_LT(timerOff, moveOut);
    EXPECT_LT(moveOut, copyIn);
    EXPECT_LT(copyIn, wallpaper);
    EXPECT_LT(wallpaper, minimise);
    EXPECT_LT(minimise, lastUse);
    EXPECT_LT(lastUse, timerOn);
    EXPECT_EQ(platform.busyDepth, 0) << "the pointer is back to normal";

    EXPECT_EQ(setting("User", "LastUse"), "2");
    EXPECT_EQ(platform.filesIn("C:\\Users\\user\\Desktop\\"), std::vector<std::string>{"game.lnk"});
    EXPECT_EQ(platform.filesIn("C:\\KORUVAN\\dsk0\\"), std::vector<std::string>{"report.doc"});
    EXPECT_TRUE(platform.window(editor).minimized);
    EXPECT_TRUE(platform.window(browser).minimized);
    EXPECT_EQ(view.buttons[2].pictureRect.top, 2);
    EXPECT_EQ(view.buttons[0].pictureRect.top, 0);
    EXPECT_EQ(view.tip.text, "GO!");
}

// Each comes back as it was (maximised if it was) without being activated, the order is set in one step, and
// the window that had the focus gets it back.
TEST_F(DeskSwitchTest, ComingBackShowsTheDesksWindowsInTheirOrderAndGivesTheFocusBack) {
    platform.foreground = browser;
    bar.onDeskClicked(2);
    platform.foreground = 0;
    platform.clearCalls();
    bar.onDeskClicked(0);

    // The editor was in front when desk 0 was left; the browser had the focus.
    EXPECT_EQ(windowCalls(), (std::vector<std::string>{
                                 "show " + hex(browser) + " 3", "show " + hex(editor) + " 4",
                                 "stack " + hex(editor) + " " + hex(browser), "activate " + hex(browser)}));
    EXPECT_EQ(platform.filesIn("C:\\Users\\user\\Desktop\\"), std::vector<std::string>{"report.doc"});
    EXPECT_EQ(platform.filesIn("C:\\KORUVAN\\dsk2\\"), std::vector<std::string>{"game.lnk"});
    EXPECT_EQ(setting("User", "LastUse"), "0");

    // The focus given back counts as the desk's even when no watch saw it and the bar's click took it.
    platform.foreground = 0;
    bar.onDeskClicked(2);
    platform.clearCalls();
    bar.onDeskClicked(0);
    EXPECT_EQ(windowCalls().back(), "activate " + hex(browser));
}

TEST_F(DeskSwitchTest, WindowsGoneOrOnAnotherSystemDesktopAreLeftOut) {
    const WindowHandle moved =
        platform.addWindow({.title = "moved", .className = "Notepad", .rect = {0, 0, 9, 9}, .cloaked = true});
    for (const WindowHandle window : {editor, WindowHandle{0x999}, moved, browser})
        state.windowTable[1].push_back({window, 0, "", "Old", {}, false});
    bar.onDeskClicked(1);

    EXPECT_EQ(windowCalls(), (std::vector<std::string>{
                                 "show " + hex(browser) + " 4", "show " + hex(editor) + " 4",
                                 "stack " + hex(editor) + " " + hex(browser), "activate " + hex(editor)}));
}

// The order and the focus wait, past the switch's end, for every program to have shown its window: set
// earlier, a program's own handling of its show would undo them. A program that takes too long is not waited
// for, and a switch away drops an order not set yet.
TEST_F(DeskSwitchTest, TheOrderWaitsForTheProgramsToShowTheirWindowsButNotForLong) {
    bar.onDeskClicked(2);
    platform.window(editor).showsLate = true;
    platform.clearCalls();
    bar.onDeskClicked(0);
    EXPECT_EQ(setting("User", "LastUse"), "0") << "the switch has ended";
    EXPECT_EQ(windowCalls().size(), 2u) << "only the shows";
    ASSERT_TRUE(view.windowsCheck.has_value());

    platform.window(editor).showsLate = false;
    bar.onWindowsCheck();
    EXPECT_EQ(windowCalls().size(), 2u) << "answered, but still minimised";
    showsNow(editor);
    bar.onWindowsCheck();
    EXPECT_EQ(windowCalls().back(), "activate " + hex(editor));

    const auto leaveAndComeBack = [&] {
        bar.onDeskClicked(2);
        platform.clearCalls();
        bar.onDeskClicked(0);
    };
    platform.window(browser).showsLate = true;
    leaveAndComeBack();
    platform.clock += DeskWindowKeeper::kShowPatienceSeconds;
    bar.onWindowsCheck();
    EXPECT_EQ(windowCalls().back(), "activate " + hex(editor)) << "the browser's program is taken for hung";

    leaveAndComeBack();
    bar.onDeskClicked(2);
    showsNow(browser);
    platform.clearCalls();
    bar.onWindowsCheck();
    EXPECT_TRUE(windowCalls().empty()) << "desk 0's order is not set on desk 2";
}

// Left before its program has shown it, a window stays the desk's: taken off the screen again, shown on
// return.
TEST_F(DeskSwitchTest, ADeskLeftBeforeItsWindowsAreShownKeepsThem) {
    bar.onDeskClicked(2);
    platform.window(editor).showsLate = true;
    bar.onDeskClicked(0);
    platform.clearCalls();
    bar.onDeskClicked(2);
    EXPECT_THAT(platform.calls, ::testing::Contains("minimize " + hex(editor)));

    showsNow(editor);
    platform.clearCalls();
    bar.onDeskClicked(0);
    EXPECT_THAT(windowCalls(), ::testing::Contains("show " + hex(editor) + " 4"));
}

// With the option on, every switch shows the new desk's name; a switch that did not happen shows none.
TEST_F(DeskSwitchTest, TheOptionShowsTheNewDesksNameAfterEachSwitch) {
    bar.onDeskClicked(2);
    state.showDeskName = true;
    bar.onDeskClicked(1);
    bar.onDeskClicked(1);
    EXPECT_EQ(view.deskNames, std::vector<std::string>{"趣味"});
}

TEST_F(DeskSwitchTest, ARequestDuringTheSwitchIsIgnored) {
    int nested = 0;
    platform.onPumpPendingEvents = [&] {
        ++nested;
        bar.onDeskClicked(1);
        bar.switchToDesk(1);
        bar.onDeskRightPressed(1);
        bar.onBackgroundRightPressed();
    };
    bar.onDeskClicked(2);
    platform.onPumpPendingEvents = nullptr;

    EXPECT_EQ(nested, 3) << "events run twice in the switch and once in the swap";
    EXPECT_EQ(state.currentDesk, 2);
    EXPECT_EQ(setting("User", "LastUse"), "2");
    EXPECT_TRUE(view.deskMenuEnabled.empty() && view.optionsMenuChecks.empty()) << "no menu during a switch";
    EXPECT_TRUE(platform.filesIn("C:\\KORUVAN\\dsk1\\").empty());
}

TEST_F(DeskSwitchTest, CloseDuringTheSwitchWaitsForItsEnd) {
    platform.onPumpPendingEvents = [&] {
        bar.onCloseRequested();
        EXPECT_FALSE(view.closed);
    };
    bar.onDeskClicked(2);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(setting("User", "LastUse"), "2");
}

TEST_F(DeskSwitchTest, ClickOnTheCurrentDeskDoesNothing) {
    bar.onDeskClicked(0);
    EXPECT_TRUE(platform.calls.empty());
    EXPECT_EQ(setting("User", "LastUse"), "<missing>");
}

TEST_F(DeskSwitchTest, NameTipSitsOverTheButtonInTheDeskColours) {
    nameDesk(3, "音楽");
    layOut();  // four desks in slots 0..3
    bar.onDeskPointerMoved(1, 15);
    EXPECT_TRUE(view.tip.visible);
    EXPECT_EQ(view.tip.text, "趣味");
    EXPECT_EQ(view.tip.left, 1 + 42 + 2);
    EXPECT_EQ(view.tip.textColor, 16777215);
    EXPECT_EQ(view.tip.backColor, 16711680);

    bar.onDeskPointerMoved(3, 0);
    EXPECT_EQ(view.tip.left, 4 * 42 - view.tipWidth("音楽"));

    bar.onDeskPointerMoved(0, 0);
    EXPECT_EQ(view.tip.textColor, 0);
    EXPECT_EQ(view.tip.backColor, 255);
}

// A read-only program folder, or a folder named like the journal: the switch does not start, and the user is
// told why and what to do, once for each refused switch.
TEST_F(DeskSwitchTest, ASwitchThatCannotBeRecordedDoesNotStartAndSaysWhy) {
    for (const bool folder : {false, true}) {
        SCOPED_TRACE(folder);
        view.warnings.clear();
        platform.failWrites = !folder;
        if (folder) {
            EXPECT_TRUE(platform.makeFolder("C:\\KORUVAN\\KORUVAN.jnl\\"));
        }
        bar.onDeskClicked(2);
        EXPECT_EQ(state.currentDesk, 0);
        EXPECT_EQ(platform.filesIn("C:\\Users\\user\\Desktop\\"), std::vector<std::string>{"report.doc"});
        EXPECT_FALSE(platform.window(editor).minimized);
        EXPECT_EQ(view.buttons[0].pictureRect.top, 2) << "desk 0 is still drawn current";
        EXPECT_TRUE(view.watching);
        ASSERT_EQ(view.warnings.size(), 1u);
        EXPECT_THAT(view.warnings[0], ::testing::HasSubstr("KORUVAN.jnl"));
    }
}

}  // namespace
}  // namespace koruvan::testing

namespace koruvan::testing {
namespace {

// A file the switch's end cannot write: the switch happens and the user is told, with the reason, once a run.
// The next start begins at the desk whose items the Desktop holds and moves none, unless LastUse was changed
// by hand since; a record of items that could not be written holds back the next switch instead, so that
// the start finishes the last one under a record that is not stale.
TEST(DeskSwitchRecordTest, WhatTheEndOfASwitchCannotWriteNeverMovesItemsAtTheNextStart) {
    const struct {
        const char* what;
        const char* readOnly;       // the file that cannot be written
        std::optional<int> byHand;  // LastUse written by hand before the next start
        int startsAt;
        const char* told;
    } cases[] = {
        {"LastUse as the file kept it", "KORUVAN.ini", std::nullopt, 1, "KORUVAN.ini に今のﾃﾞｽｸﾄｯﾌﾟ"},
        {"LastUse changed by hand", "KORUVAN.ini", 2, 2, "KORUVAN.ini に今のﾃﾞｽｸﾄｯﾌﾟ"},
        {"the record of items", "KORUVAN.items", std::nullopt, 2, "KORUVAN.items に書き込めませんでした"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform machine;
        machine.setRegistry(kDesktopKey, "Wallpaper", "");
        for (const char* folder : {"C:\\Users\\user\\Desktop\\", "C:\\KORUVAN\\dsk0\\", "C:\\KORUVAN\\dsk1\\",
                                   "C:\\KORUVAN\\dsk2\\", "C:\\KORUVAN\\DskTop\\"})
            EXPECT_TRUE(machine.makeFolder(folder));
        machine.writeFile(
            "C:\\KORUVAN\\KORUVAN.ini",
            encodeProfileText("[User]\r\nLastUse=0\r\n[DeskTop]\r\n0=仕事,,,,0\r\n1=趣味,,,,0\r\n"
                              "2=ゲーム,,,,0\r\n"));
        for (int desk : {0, 1, 2})
            machine.writeFile(
                "C:\\KORUVAN\\dsk" + std::to_string(desk) + "\\item" + std::to_string(desk) + ".txt",
                "desk " + std::to_string(desk));
        const std::string locked = std::string("C:\\KORUVAN\\") + c.readOnly;
        {
            ProgramRun run(machine);
            machine.setAttributes(locked, kReadOnly);
            run.bar.onDeskClicked(2);
            run.bar.onDeskClicked(1);
            ASSERT_GE(run.view.warnings.size(), 1u);
            EXPECT_THAT(run.view.warnings[0], ::testing::HasSubstr(c.told));
            EXPECT_THAT(run.view.warnings[0], ::testing::HasSubstr("アクセスが拒否されました"));
            if (std::string(c.readOnly) == "KORUVAN.ini") {
                EXPECT_EQ(run.view.warnings.size(), 1u) << "told once a run";
            }
        }
        machine.setAttributes(locked, 0);
        if (c.byHand) {
            EXPECT_TRUE(ProfileFile(machine, "C:\\KORUVAN\\KORUVAN.ini")
                            .writeString("User", "LastUse", std::to_string(*c.byHand)));
        }
        machine.clearCalls();
        ProgramRun next(machine);
        EXPECT_EQ(next.state.currentDesk, c.startsAt);
        EXPECT_EQ(machine.listPlainFiles("C:\\Users\\user\\Desktop\\"),
                  std::vector<std::string>{"item" + std::to_string(c.startsAt) + ".txt"});
        EXPECT_EQ(machine.listPlainFiles("C:\\KORUVAN\\dsk0\\"), std::vector<std::string>{"item0.txt"});
        EXPECT_EQ(ProfileFile(machine, "C:\\KORUVAN\\KORUVAN.ini").readString("User", "LastUse", ""),
                  std::to_string(c.startsAt));
        if (!c.byHand) {
            for (const std::string& call : machine.calls)
                EXPECT_FALSE(call.starts_with("move C:\\Users") || call.starts_with("delete C:\\Users"))
                    << call;
        }
    }
}

}  // namespace
}  // namespace koruvan::testing
