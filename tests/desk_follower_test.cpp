#include "bar/desk_follower.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "bar/bar_layout.h"
#include "bar/desk_keys.h"

namespace koruvan {

void PrintTo(const FollowAction& a, std::ostream* out) {
    *out << static_cast<int>(a.step) << " desk " << a.desk << " " << a.desktop << " " << a.name << " "
         << a.presses << (a.setWallpaper ? " wallpaper" : "");
}

namespace {

using Actions = std::vector<FollowAction>;
using Follow = FollowAction;

// The id of system desktop n (from 1).
std::string id(int n) {
    return "{" + std::string(n < 10 ? 7 : 6, '0') + std::to_string(n) + "-0000-0000-0000-000000000000}";
}

// Desktops 1..count but `gone`. The system names desktop 4 "私用" and keeps a wallpaper of its own for 3.
SystemDesktops system(int count, int current, std::map<int, std::string> names = {{4, "私用"}},
                      int gone = 0) {
    SystemDesktops read{{}, id(current)};
    for (int n = 1; n <= count; ++n) {
        if (n != gone) read.desktops.push_back({id(n), names[n], n == 3});
    }
    return read;
}

class DeskFollowerTest : public ::testing::Test {
  protected:
    DeskFollowerTest() { follower.start(); }

    void name(const char* slots) {
        for (; *slots; ++slots)
            state.deskTable[static_cast<std::size_t>(*slots - '0')].name = std::string("desk") + *slots;
    }
    // The model's steps, done to the state as the bar would do them.
    Actions update(const SystemDesktops& read) {
        Actions actions = follower.update(read, state);
        for (const FollowAction& action : actions) {
            applyToDesks(action, state.deskTable, state.deskTies);
            if (action.step == FollowStep::FollowSwitch)
                state.currentDesk = static_cast<std::int16_t>(action.desk);
        }
        return actions;
    }

    double now = 100;
    SharedState state;
    DeskFollower follower{[this] { return now; }};
};

TEST_F(DeskFollowerTest, TurningOnTiesTheCurrentDesktopToTheCurrentDeskAndTheOthersInOrder) {
    const struct {
        const char* what;
        const char* named;
        int currentDesk, desktops, currentDesktop;
        std::array<int, kDeskCount> ties;  // each desk's desktop, 0 for none
        std::map<int, std::string> names;  // the system's name, else the desktop's place in its order
    } cases[] = {
        {"as many", "012", 0, 3, 3, {3, 1, 2}, {}},
        {"fewer desktops", "0123", 2, 2, 1, {2, 0, 1}, {}},
        {"more desktops", "02", 2, 4, 1, {2, 3, 1, 4}, {{1, "デスクトップ 3"}, {3, "私用"}}},
        {"more than ten", "0123456789", 0, 11, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {{3, "私用"}}},
    };
    for (const auto& c : cases) {
        state = {};
        follower.start();
        name(c.named);
        state.currentDesk = static_cast<std::int16_t>(c.currentDesk);
        update(system(c.desktops, c.currentDesktop));
        for (std::size_t desk = 0; desk < kDeskCount; ++desk)
            EXPECT_EQ(state.deskTies[desk], c.ties[desk] ? id(c.ties[desk]) : "") << c.what << " " << desk;
        EXPECT_EQ(state.currentDesk, c.currentDesk) << c.what;  // the current ones are tied: no switch
        for (const auto& [desk, text] : c.names)
            EXPECT_EQ(state.deskTable[static_cast<std::size_t>(desk)].name, text) << c.what;
    }
}

// As at a start after one that was killed in the middle of a followed switch.
TEST_F(DeskFollowerTest, StoredTiesHoldWhileTheirDesktopIsThereAndTheSystemsCurrentIsFollowed) {
    name("0123");
    state.deskTies[0] = id(2);
    state.deskTies[3] = id(9);  // removed while the program was not following
    EXPECT_EQ(update(system(3, 3)),
              (Actions{Follow::untieDesk(3), Follow::tieDesk(1, id(1)), Follow::tieDesk(2, id(3)),
                       Follow::followSwitch(2, false)}));  // desktop 3 keeps its wallpaper
}

TEST_F(DeskFollowerTest, LaterDesktopsGetNewDesksWhileSlotsLastAndRenamesFollowTheSystem) {
    name("01");
    update(system(2, 1));
    EXPECT_EQ(update(system(3, 3)),
              (Actions{Follow::makeDesk(2, "デスクトップ 3", id(3)), Follow::followSwitch(2, false)}));
    EXPECT_EQ(update(system(3, 3, {{2, "会議"}})), Actions{Follow::renameDesk(1, "会議")});
    state.deskTable[1].name = "打合せ";  // renamed in the program: kept until the system's changes
    EXPECT_EQ(update(system(3, 3, {{2, "会議"}})), Actions{});

    name("0123456789");
    EXPECT_EQ(update(system(4, 1)), Actions{Follow::followSwitch(0, true)}) << "no slot left for desktop 4";
    EXPECT_EQ(update(system(4, 4)), Actions{}) << "an untied desktop: the Desktop keeps its items";
}

TEST_F(DeskFollowerTest, ARemovedDesktopTakesItsDeskOnlyWhenStillGoneAfterTheGraceAndNotOnTheDesktop) {
    const struct {
        const char* what;
        double later;
        bool back, onTheDesktop;
        Actions actions, afterGrace;  // then, and one more grace later
    } cases[] = {
        {"still gone", kRemovalGraceSeconds, false, false, {Follow::deleteDesk(1)}, {}},
        {"not yet", kRemovalGraceSeconds - 0.1, false, false, {}, {Follow::deleteDesk(1)}},
        {"back in time", 1, true, false, {}, {}},
        {"its items on the Desktop", kRemovalGraceSeconds, false, true, {Follow::untieDesk(1)}, {}},
    };
    for (const auto& c : cases) {
        state = {};
        name("012");
        follower.start();
        update(system(3, 1));
        if (c.onTheDesktop) state.currentDesk = 1;
        EXPECT_EQ(update(system(3, 1, {}, 2)), Actions{}) << c.what;
        EXPECT_EQ(follower.secondsUntilCheck(), kRemovalGraceSeconds) << c.what;
        now += c.later;
        const SystemDesktops then = system(3, 1, {}, c.back ? 0 : 2);
        EXPECT_EQ(update(then), c.actions) << c.what;
        now += kRemovalGraceSeconds;
        EXPECT_EQ(update(then), c.afterGrace) << c.what;
    }
}

TEST_F(DeskFollowerTest, AChosenTiedDeskIsReachedByTheSystemsKeysAndFollowedOnlyWhenTheyArrive) {
    name("01234");
    state.currentDesk = 1;
    update(system(4, 2));
    state.deskTies[4].clear();  // made in the program, after following began
    const struct {
        int currentDesk, chosen;
        Actions actions;
    } cases[] = {
        {1, 3, {Follow::pressKeys(2)}},
        {1, 0, {Follow::pressKeys(-1)}},
        {1, 4, {Follow::switchToDesk(4)}},        // untied: as today
        {4, 1, {Follow::followSwitch(1, true)}},  // the system is there, the Desktop is not
    };
    for (const auto& c : cases) {
        state.currentDesk = static_cast<std::int16_t>(c.currentDesk);
        EXPECT_EQ(follower.chooseDesk(c.chosen, state), c.actions) << c.currentDesk << " -> " << c.chosen;
    }

    // The desktops the keys pass are not followed, until the keys' time is up.
    state.currentDesk = 0;
    EXPECT_EQ(follower.chooseDesk(3, state), Actions{Follow::pressKeys(2)});
    EXPECT_EQ(follower.secondsUntilCheck(), 2 * kSecondsPerKeySwitch);
    EXPECT_EQ(update(system(4, 3)), Actions{});
    EXPECT_EQ(update(system(4, 4)), Actions{Follow::followSwitch(3, true)});
    EXPECT_EQ(follower.chooseDesk(0, state), Actions{Follow::pressKeys(-3)});
    EXPECT_EQ(update(system(4, 3)), Actions{});
    now += 3 * kSecondsPerKeySwitch;  // the keys went astray
    EXPECT_EQ(update(system(4, 3)), Actions{Follow::followSwitch(2, false)});
    EXPECT_EQ(follower.chooseDesk(0, state), Actions{Follow::pressKeys(-2)});
    now += 2 * kSecondsPerKeySwitch;  // the system took none of them
    EXPECT_EQ(update(system(4, 3)), Actions{});
    EXPECT_EQ(follower.secondsUntilCheck(), std::nullopt);
}

TEST_F(DeskFollowerTest, TheBarShowsTiedDesksInTheSystemsOrderThenTheOthersAndTheHotkeysCountAlongIt) {
    name("01234");
    state.deskTies = {id(3), "", id(1), "", id(2)};
    update(system(3, 3));
    const std::vector<int> order = follower.viewOrder(state.deskTable, state.deskTies);
    EXPECT_EQ(order, (std::vector<int>{2, 4, 0, 1, 3}));
    EXPECT_EQ(deskForHotkey(order, 0, 0), 2);
    EXPECT_EQ(deskForHotkey(order, 0, kNextDeskHotkey), 1);
    EXPECT_EQ(assignSlots(order, {}).buttonSlot, (std::array<std::int16_t, kDeskCount>{2, 3, 0, 4, 1}));
}

}  // namespace
}  // namespace koruvan
