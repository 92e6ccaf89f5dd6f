#include "bar/desk_keys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bar_fixture.h"

namespace koruvan::testing {
namespace {

using ::testing::ElementsAre;

DeskTable named(std::initializer_list<std::pair<int, const char*>> desks) {
    DeskTable table{};
    for (const auto& [desk, name] : desks)
        table[static_cast<std::size_t>(desk)].name = name;
    return table;
}

TEST(DeskKeysTest, NumbersCountNamedDesksInBarOrderAndStepsStopAtTheEnds) {
    const DeskTable desks = named({{0, "A"}, {2, "B"}, {3, "C"}, {7, "D"}});
    const struct {
        int current;
        int hotkey;
        int desk;
    } cases[] = {
        {2, 0, 0},   {2, 1, 2},   {2, 2, 3},   {2, 3, 7},   {2, 4, -1}, {2, 9, -1},  // fewer than ten desks
        {2, 10, 0},  {2, 11, 3},  {0, 10, -1}, {7, 11, -1},                          // no wrapping round
        {5, 10, -1}, {5, 11, -1}, {2, 12, -1}, {2, -1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(deskForHotkey(desks, c.current, c.hotkey), c.desk) << c.current << " " << c.hotkey;
    EXPECT_EQ(deskNumber(desks, 3), 3);
    EXPECT_EQ(deskNumber(desks, 5), 0);
}

TEST(DeskKeysTest, TheTrayMenuListsTheNamedDesksWithTheHotkeysHeld) {
    DeskTable desks{};
    for (int d = 0; d < kDeskCount; ++d)
        desks[static_cast<std::size_t>(d)].name = "d" + std::to_string(d);
    desks[4].name.clear();
    HeldHotkeys held{};
    held.fill(true);
    held[1] = false;  // another program holds Ctrl+Alt+2
    const std::vector<TrayDesk> entries = trayMenuDesks(desks, 3, held);
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_EQ(entries[0], (TrayDesk{0, "d0\tCtrl+Alt+1", false}));
    EXPECT_EQ(entries[1], (TrayDesk{1, "d1", false}));
    EXPECT_EQ(entries[3], (TrayDesk{3, "d3\tCtrl+Alt+4", true}));
    EXPECT_EQ(entries[8], (TrayDesk{9, "d9\tCtrl+Alt+9", false}));
    EXPECT_EQ(hotkeyName(9), "Ctrl+Alt+0");
    EXPECT_EQ(hotkeyName(kNextDeskHotkey), "Ctrl+Alt+→");
    EXPECT_EQ(trayMenuDesks(desks, 3, held, kFirstMoveHotkey)[2].text, "d2\tCtrl+Alt+Shift+3");
    EXPECT_EQ(hotkeyName(kFirstMoveHotkey + kPreviousDeskHotkey), "Ctrl+Alt+Shift+←");
    EXPECT_EQ(hotkeyName(kPinHotkey), "Ctrl+Alt+Shift+P");
}

class DeskKeysBarTest : public ::testing::Test, public BarFixture {
  protected:
    DeskKeysBarTest() {
        nameDesk(0, "仕事");
        nameDesk(2, "趣味");
        layOut();
    }
};

TEST_F(DeskKeysBarTest, AHotkeySwitchesAsAClickDoesButNeverUnderAMenuOrDialog) {
    view.onDialog = [&](DialogKind) {
        bar.onHotkey(1);
        return DialogResult::Stored;
    };
    view.menuAnswers = {MenuCommand::Settings};
    bar.onBackgroundRightPressed();
    EXPECT_EQ(state.currentDesk, 0) << "the settings dialog was open";

    bar.onHotkey(1);
    EXPECT_EQ(state.currentDesk, 2);
    EXPECT_EQ(setting("User", "LastUse"), "2");
    EXPECT_EQ(view.trayNumber, 2);
    EXPECT_EQ(view.trayTip, "コルヴァン - 趣味");
    bar.onHotkey(kPreviousDeskHotkey);
    EXPECT_EQ(state.currentDesk, 0);
}

TEST_F(DeskKeysBarTest, TheTrayMenuSwitchesOrRunsAnOptionsCommand) {
    view.trayAnswers = {TrayChoice{2, MenuCommand::None}, TrayChoice{-1, MenuCommand::SizeSmall}};
    bar.onTrayClicked();
    EXPECT_EQ(state.currentDesk, 2);
    EXPECT_THAT(view.trayMenus[0], ElementsAre(TrayDesk{0, "仕事", true}, TrayDesk{2, "趣味", false}));
    bar.onTrayClicked();
    EXPECT_EQ(bar.face().buttonSize(), 28);
    EXPECT_TRUE(view.watching);
}

}  // namespace
}  // namespace koruvan::testing
