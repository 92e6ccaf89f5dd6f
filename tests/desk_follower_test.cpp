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

// The desktops `numbers` in that order, named as `system` names them.
SystemDesktops listing(const std::vector<int>& numbers, int current) {
    SystemDesktops read{{}, id(current)};
    for (int n : numbers)
        read.desktops.push_back({id(n), n == 4 ? "私用" : "", n == 3});
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

// Several desktops gone in one read were not the user's doing: their desks stay, untied, told once.
TEST_F(DeskFollowerTest, DesktopsGoneTogetherUntieTheirDesksAndHoldNewDesktopsUntilTheListSettles) {
    const struct {
        const char* what;
        std::vector<int> then;  // the list a grace after desktops 2 and 3 went and 5 came
        Actions afterGrace;
    } cases[] = {
        {"still gone",
         {1, 4, 5},
         {Follow::untieLostDesk(1), Follow::untieLostDesk(2), Follow::makeDesk(4, "デスクトップ 3", id(5))}},
        {"one back", {1, 2, 4}, {Follow::untieLostDesk(2)}},
        {"both back", {1, 2, 3, 4}, {}},
    };
    for (const auto& c : cases) {
        state = {};
        name("0123");
        follower.start();
        update(system(4, 1));
        EXPECT_EQ(update(listing({1, 4, 5}, 1)), Actions{}) << c.what << ": the list may be half rewritten";
        now += kRemovalGraceSeconds;
        EXPECT_EQ(update(listing(c.then, 1)), c.afterGrace) << c.what;
    }
}

// A desk with no desktop of its own (made in the program, or left over) gets one from the system's keys.
TEST_F(DeskFollowerTest, AnUntiedDeskChosenMakesADesktopAndIsTiedToIt) {
    const struct {
        const char* what;
        double after;      // seconds until the system's record shows the new desktop
        bool chooseTwice;  // chosen again while it is on its way
        Actions chosen, arrived;
    } cases[] = {
        {"in time",
         1,
         false,
         {Follow::makeDesktop(4)},
         {Follow::tieDesk(4, id(4)), Follow::followSwitch(4, true)}},
        {"twice",
         1,
         true,
         {Follow::makeDesktop(4)},
         {Follow::tieDesk(4, id(4)), Follow::followSwitch(4, true)}},
        {"too late: made some other way",
         kSecondsForNewDesktop,
         false,
         {Follow::makeDesktop(4)},
         {Follow::makeDesk(5, "デスクトップ 4", id(4)), Follow::followSwitch(5, true)}},
    };
    for (const auto& c : cases) {
        state = {};
        follower.start();
        name("0123");
        update(system(3, 1));
        name("4");  // made with the desk dialog while following
        EXPECT_EQ(follower.chooseDesk(4, state), c.chosen) << c.what;
        if (c.chooseTwice) {
            EXPECT_EQ(follower.chooseDesk(4, state), Actions{}) << c.what;
        }
        now += c.after;
        EXPECT_EQ(update(system(4, 4, {})), c.arrived) << c.what;
    }
}

// The keys go one at a time, each once the record shows the last one arrived; the desktops on the way are
// not followed.
TEST_F(DeskFollowerTest, TheKeysForADistantDesktopGoOneAtATimeAndStopWhereTheSystemStops) {
    const struct {
        const char* what;
        std::vector<std::pair<double, int>> reads;  // seconds later, the system's current desktop
        std::vector<Actions> actions;               // what each read asks
    } cases[] = {
        {"each key arrives",
         {{0.3, 2}, {0.3, 3}, {0.3, 4}},
         {{Follow::pressKeys(1)}, {Follow::pressKeys(1)}, {Follow::followSwitch(3, true)}}},
        {"a read before the key arrived", {{0.3, 1}, {0.3, 2}}, {{}, {Follow::pressKeys(1)}}},
        {"the system stops on the way (input blocked)",
         {{0.3, 2}, {kSecondsPerKeySwitch, 2}},
         {{Follow::pressKeys(1)}, {Follow::followSwitch(1, true)}}},
        {"the system takes no key", {{kSecondsPerKeySwitch, 1}}, {{}}},
        {"the user goes elsewhere", {{0.3, 2}, {0.3, 1}}, {{Follow::pressKeys(1)}, {}}},
    };
    for (const auto& c : cases) {
        state = {};
        follower.start();
        name("0123");
        update(system(4, 1));
        EXPECT_EQ(follower.chooseDesk(3, state), Actions{Follow::pressKeys(1)}) << c.what;
        EXPECT_EQ(follower.secondsUntilCheck(), kSecondsPerKeySwitch) << c.what;
        for (std::size_t k = 0; k < c.reads.size(); ++k) {
            now += c.reads[k].first;
            EXPECT_EQ(update(system(4, c.reads[k].second, {})), c.actions[k]) << c.what << " read " << k;
        }
    }
}

TEST_F(DeskFollowerTest, AChosenTiedDeskIsReachedByTheSystemsKeysAndFollowedOnlyWhenTheyArrive) {
    name("01234");
    state.currentDesk = 1;
    update(system(4, 2));
    const struct {
        int currentDesk, chosen;
        Actions actions;
    } cases[] = {
        {1, 3, {Follow::pressKeys(1)}},
        {1, 0, {Follow::pressKeys(-1)}},
        {1, 1, {}},
        {4, 1, {Follow::followSwitch(1, true)}},  // the system is there, the Desktop is not
    };
    for (const auto& c : cases) {
        state.currentDesk = static_cast<std::int16_t>(c.currentDesk);
        EXPECT_EQ(follower.chooseDesk(c.chosen, state), c.actions) << c.currentDesk << " -> " << c.chosen;
    }
    // Nothing read yet: the Desktop's items only, the windows left to the system.
    follower.start();
    EXPECT_EQ(follower.chooseDesk(3, state), Actions{Follow::followSwitch(3, true)});
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
