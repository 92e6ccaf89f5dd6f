#include "dialogs/settings_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/make_desk_dialog.h"
#include "fake/fake_make_desk_view.h"
#include "fake/fake_platform.h"
#include "store/profile_file.h"

namespace koruvan::testing {
namespace {

using ::testing::ElementsAre;

class FakeSettingsView : public SettingsView {
  public:
    bool autoHide = false;
    bool topmost = false;
    std::vector<std::string> kinds;
    int kind = -1;
    bool textPart = false;
    std::vector<std::pair<std::int32_t, std::int32_t>> samples;
    PositionLooks positions{};
    int positionDraws = 0;
    std::vector<std::string> questions;
    bool answer = false;
    std::function<void(int)> onDeskDialog;
    int abouts = 0;
    bool ended = false;
    bool closed = false;

    void showChecks(bool hide, bool top) override {
        autoHide = hide;
        topmost = top;
    }
    void showKinds(const std::vector<std::string>& entries, int selected) override {
        kinds = entries;
        kind = selected;
    }
    void showColorPart(bool text) override { textPart = text; }
    void showSample(std::int32_t text, std::int32_t back) override { samples.emplace_back(text, back); }
    void showPositions(const PositionLooks& looks) override {
        positions = looks;
        ++positionDraws;
    }
    bool askYesNo(const std::string& text, const std::string& title) override {
        questions.push_back(title + ": " + text);
        return answer;
    }
    FileResult openDeskDialog(int slot) override {
        if (onDeskDialog) onDeskDialog(slot);
        return {};
    }
    void openAbout() override { ++abouts; }
    void endProgram() override { ended = true; }
    void close() override { closed = true; }

    int chosen() const {
        for (int p = 0; p < kBarPositionCount; ++p) {
            if (positions[static_cast<std::size_t>(p)].chosen) return p;
        }
        return -1;
    }
};

class SettingsDialogTest : public ::testing::Test {
  protected:
    SettingsDialogTest() {
        state.programDir = "C:\\KORUVAN\\";
        state.tipColors = kFirstRunTipColors;
        state.barPosition = BarPosition::TopLeft;
        state.autoHide = 1;
        state.alwaysOnTop = 1;
        EXPECT_TRUE(platform.makeFolder("C:\\KORUVAN\\"));
    }
    void open() {
        dialog.onOpen();
        platform.clearCalls();
    }
    std::string settingsText() {
        const auto bytes = platform.readFileBytes(state.settingsPath());
        return bytes ? *bytes : "<none>";
    }

    FakePlatform platform;
    SharedState state;
    FakeSettingsView view;
    SettingsDialog dialog{platform, state, view};
};

TEST_F(SettingsDialogTest, OpensWithTheSettingsAsTheBarUsesThem) {
    struct Case {
        int position, autoHide, topwindow;
        int chosen;
        bool hide, top, freeVisible;
    };
    const Case cases[] = {
        {0, 0, 1, 0, false, true, true}, {1, 1, 1, 1, true, true, false},   {3, 0, 0, 3, false, false, true},
        {3, 1, 1, 0, true, true, false}, {4, 1, 1, 4, true, true, false},   {5, 0, 1, 5, false, true, true},
        {7, 0, 1, 3, false, true, true}, {-2, 1, 0, 0, true, false, false}, {2, 2, 2, 2, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.position << " " << c.autoHide << " " << c.topwindow);
        state.barPosition = BarPosition{static_cast<std::int16_t>(c.position)};
        state.autoHide = static_cast<std::int16_t>(c.autoHide);
        state.alwaysOnTop = static_cast<std::int16_t>(c.topwindow);
        view = FakeSettingsView{};
        SettingsDialog fresh{platform, state, view};
        fresh.onOpen();
        EXPECT_EQ(view.chosen(), c.chosen);
        EXPECT_EQ(view.autoHide, c.hide);
        EXPECT_EQ(view.topmost, c.top);
        EXPECT_EQ(view.positions[static_cast<std::size_t>(BarPosition::Free)].visible, c.freeVisible);
        EXPECT_THAT(view.kinds, ElementsAre("現在のﾃﾞｽｸﾄｯﾌﾟ", "移動可能なﾃﾞｽｸﾄｯﾌﾟ"));
        EXPECT_EQ(view.kind, 0);
        EXPECT_TRUE(view.textPart);
        EXPECT_EQ(view.samples.back(), std::make_pair(0, 255));
    }
}

TEST_F(SettingsDialogTest, AutoHideMovesAFreeBarToTheTopLeftForGood) {
    state.autoHide = 0;
    open();
    dialog.onPositionClicked(3);
    const int draws = view.positionDraws;
    dialog.onPositionClicked(3);  // already chosen
    EXPECT_EQ(view.positionDraws, draws);
    dialog.onAutoHideChanged(true);
    EXPECT_EQ(view.chosen(), 0);
    EXPECT_FALSE(view.positions[static_cast<std::size_t>(BarPosition::Free)].visible);
    dialog.onAutoHideChanged(false);
    EXPECT_EQ(view.chosen(), 0);
    EXPECT_TRUE(view.positions[static_cast<std::size_t>(BarPosition::Free)].visible);
}

TEST_F(SettingsDialogTest, SwatchesColourThePartAndKindShownOnly) {
    open();
    dialog.onSwatchClicked(9);  // text of the current desk: orange
    dialog.onKindChosen(1);
    dialog.onColorPartChosen(false);
    dialog.onSwatchClicked(11);  // background of the other desks: green
    dialog.onKindChosen(0);
    EXPECT_THAT(view.samples, ElementsAre(std::make_pair(0, 255), std::make_pair(0x0080FF, 255),
                                          std::make_pair(0xFFFFFF, 0xFF0000),
                                          std::make_pair(0xFFFFFF, 0x00FF00), std::make_pair(0x0080FF, 255)));
    EXPECT_EQ(dialog.workColors(), (TipColorTable{{{0x0080FF, 255}, {0xFFFFFF, 0x00FF00}}}));
    EXPECT_EQ(state.tipColors, kFirstRunTipColors) << "only OK stores them";
}

TEST_F(SettingsDialogTest, OkStoresTheUserAndColorSectionsAndCancelNothing) {
    open();
    dialog.onKindChosen(1);
    dialog.onColorPartChosen(false);
    dialog.onSwatchClicked(14);
    dialog.onPositionClicked(1);
    dialog.onTopmostChanged(false);
    dialog.onCancel();
    EXPECT_EQ(dialog.result(), DialogResult::Cancelled);
    EXPECT_EQ(state.tipColors, kFirstRunTipColors);
    EXPECT_EQ(state.barPosition, BarPosition::TopLeft);
    EXPECT_EQ(settingsText(), "<none>");

    SettingsDialog again{platform, state, view};
    again.onOpen();
    again.onKindChosen(1);
    again.onColorPartChosen(false);
    again.onSwatchClicked(14);
    again.onPositionClicked(1);
    again.onTopmostChanged(false);
    again.onAutoHideChanged(false);
    again.onOk();
    EXPECT_EQ(again.result(), DialogResult::Stored);
    EXPECT_TRUE(view.closed);
    ProfileFile file(platform, state.settingsPath());
    EXPECT_EQ(file.readString("User", "Position", ""), "1");
    EXPECT_EQ(file.readString("User", "Topwindow", ""), "0");
    EXPECT_EQ(file.readString("User", "AutoHide", ""), "0");
    EXPECT_EQ(file.readString("Color", "OtherDeskBackColor", ""), "16711935");
    EXPECT_EQ(file.readString("Color", "NowDeskBackColor", ""), "255");
    EXPECT_EQ(file.readString("DeskTop", "0", "<none>"), "<none>");
}

TEST_F(SettingsDialogTest, ANewDeskIsStoredAtOnceEvenWhenTheSettingsAreCancelled) {
    state.deskTable[0].name = "仕事";
    state.windowsDir = "C:\\WINDOWS\\";
    int deskDialogSlot = -1;
    view.onDeskDialog = [&](int slot) {
        deskDialogSlot = slot;
        FakeMakeDeskView deskView;
        MakeDeskDialog desk{platform, state, slot, deskView};
        desk.onOpen();
        desk.onNameEdited("趣味");
        desk.onOk();
    };
    open();
    dialog.onNewDesk();
    dialog.onCancel();
    EXPECT_EQ(deskDialogSlot, 1);
    EXPECT_EQ(state.deskTable[1].name, "趣味");
    EXPECT_EQ(ProfileFile(platform, state.settingsPath()).readString("DeskTop", "1", ""), "趣味,,,,-1");
    EXPECT_EQ(dialog.result(), DialogResult::Cancelled);
}

TEST_F(SettingsDialogTest, QuitAsksAndEndsOnlyOnYes) {
    open();
    dialog.onQuit();
    EXPECT_THAT(view.questions, ElementsAre("終了処理: 「コルヴァン」を終了しますか"));
    EXPECT_FALSE(view.ended);
    EXPECT_FALSE(view.closed);
    view.answer = true;
    dialog.onQuit();
    EXPECT_TRUE(view.ended);
    EXPECT_TRUE(platform.calls.empty()) << "ending writes nothing";
}

}  // namespace
}  // namespace koruvan::testing
