#pragma once
// A desk bar over the fake platform and a fake view, with a program directory and a Desktop under the fake's
// temporary root. Effects of both fakes go into one log, so tests can check their order.

#include <string>

#include "bar/desk_bar.h"
#include "fake/fake_bar_view.h"
#include "fake/fake_platform.h"
#include "store/appearance.h"
#include "store/profile_file.h"
#include "store/settings.h"
#include "store/startup.h"

namespace koruvan::testing {

class BarFixture {
  public:
    BarFixture() {
        view.log = &platform.calls;
        state.programDir = platform.programDir;
        state.desktopFolder = "C:\\Users\\user\\Desktop\\";
        EXPECT_TRUE(platform.makeFolder("C:\\Users\\user\\Desktop\\"));
        for (int d = 0; d < kDeskCount; ++d)
            EXPECT_TRUE(platform.makeFolder(deskFolder(state, d)));
        platform.setRegistry(kColorsKey, "Background", "0 128 128");
        platform.setRegistry(kDesktopKey, "Wallpaper", "");
        platform.setRegistry(kShellFoldersKey, "Desktop", "C:\\Users\\user\\Desktop");
        state.alwaysOnTop = 1;
        state.tipColors = kFirstRunTipColors;
        state.buttonSizeSetting = 0;
    }

    void nameDesk(int desk, const std::string& name, const std::string& wallpaper = "") {
        state.deskTable[static_cast<std::size_t>(desk)].name = name;
        state.deskTable[static_cast<std::size_t>(desk)].wallpaper = wallpaper;
        state.deskTable[static_cast<std::size_t>(desk)].background = "0 128 128";
    }

    // Lays the bar out as the load sequence does, without reading a settings file.
    void layOut() {
        bar.fitToDesks();
        bar.redrawButtons();
        platform.clearCalls();
    }

    std::string setting(const std::string& section, const std::string& key) {
        return ProfileFile(platform, state.settingsPath()).readString(section, key, "<missing>");
    }

    FakePlatform platform;
    SharedState state;
    FakeBarView view;
    DeskBar bar{platform, state, view, view, view};
};

// One run of the program on a machine, from its start (settings, store and all), as KORUVAN.exe makes it.
struct ProgramRun {
    explicit ProgramRun(FakePlatform& fake) : platform(fake), bar(fake, state, view, view, view) {
        startAsOnlyInstance(fake, state);
        bar.load(96, 96);
    }
    // What the desk dialog does for a new desk.
    void makeDesk(int slot, const std::string& name) {
        state.deskTable[static_cast<std::size_t>(slot)].name = name;
        EXPECT_TRUE(writeDeskLine(platform, state, slot));
        bar.fitToDesks();
        bar.redrawButtons();
    }
    // By the desk menu, answering its question yes.
    void deleteDesk(int slot) {
        view.menuAnswers = {MenuCommand::Delete};
        view.yesNoAnswers = {true};
        bar.onDeskRightPressed(slot);
    }
    FakePlatform& platform;
    SharedState state;
    FakeBarView view;
    DeskBar bar;
};

}  // namespace koruvan::testing
