// Following the system's virtual desktops: the bar does what the DeskFollower asks of it.
#include "bar/desk_bar.h"
#include "store/desk_ties.h"
#include "store/settings.h"
#include "store/system_desktops.h"

namespace koruvan {

constexpr const char* kFollowSystemDesksText = "Windows の仮想デスクトップと連動";

void DeskBar::setFollowing(bool on) {
    state_.followSystemDesks = on ? 1 : 0;
    followPending_ = false;
    view_.watchSystemDesktops(on);
    if (on) {
        follower_.start();
        onSystemDesktopsChanged();  // redraws what the first read changes
        return;
    }
    follower_.stop();
    fitToDesks();
    redrawButtons();
}

void DeskBar::onSystemDesktopsChanged() {
    if (!follower_.following()) return;
    if (switching_ || menuOpen_) {
        followPending_ = true;
        return;
    }
    followPending_ = false;
    const std::vector<int> orderBefore = deskOrder();
    bool desksChanged = false;
    for (const FollowAction& action : follower_.update(readSystemDesktops(platform_), state_)) {
        doFollowAction(action);
        desksChanged |= action.step != FollowStep::FollowSwitch;
    }
    // A new order or a new desk shows at once; a switch has redrawn the buttons itself.
    if (desksChanged || deskOrder() != orderBefore) {
        fitToDesks();
        redrawButtons();
    }
    askForFollowCheck();
}

void DeskBar::askForFollowCheck() {
    if (!follower_.following()) return;
    if (followPending_) {
        view_.checkSystemDesktopsAfter(0);
    } else if (const std::optional<double> due = follower_.secondsUntilCheck()) {
        view_.checkSystemDesktopsAfter(*due + kWakeMargin);
    }
}

void DeskBar::doFollowAction(const FollowAction& action) {
    switch (action.step) {
        case FollowStep::TieDesk:
        case FollowStep::UntieDesk:
            applyToDesks(action, state_.deskTable, state_.deskTies);
            writeDeskTie(platform_, state_, action.desk);
            break;
        case FollowStep::MakeDesk:
            makeFollowingDesk(action);
            break;
        case FollowStep::DeleteDesk:
            giveUpDesk(action.desk);
            break;
        case FollowStep::RenameDesk:
            applyToDesks(action, state_.deskTable, state_.deskTies);
            writeDeskLine(platform_, state_, action.desk);
            break;
        case FollowStep::FollowSwitch:
            followSwitch(action.desk, action.setWallpaper);
            break;
        case FollowStep::SwitchToDesk:
            clickSwitch(action.desk);
            break;
        case FollowStep::PressKeys:
            platform_.pressDesktopSwitchKeys(action.presses);
            break;
    }
}

// A new desktop looks as the screen does when the system makes it: the desk takes that appearance, and no
// items.
void DeskBar::makeFollowingDesk(const FollowAction& action) {
    Desk& desk = state_.deskTable[static_cast<std::size_t>(action.desk)];
    desk = Desk{};
    takeScreenAppearance(platform_, desk);
    applyToDesks(action, state_.deskTable, state_.deskTies);
    platform_.makeFolder(deskFolder(state_, action.desk));
    writeDeskLine(platform_, state_, action.desk);
    writeDeskTie(platform_, state_, action.desk);
}

std::vector<TrayToggle> DeskBar::trayToggles() const {
    return {{.command = MenuCommand::FollowSystemDesks,
             .text = kFollowSystemDesksText,
             .checked = state_.followSystemDesks != 0,
             .enabled = systemHasVirtualDesktops(platform_)}};
}

void DeskBar::onTrayToggle(MenuCommand command) {
    if (command != MenuCommand::FollowSystemDesks) return;
    setFollowing(state_.followSystemDesks == 0);
    writeUserValue(platform_, state_, kFollowSystemDesksKey, state_.followSystemDesks);
}

std::vector<int> DeskBar::deskOrder() const {
    return follower_.viewOrder(state_.deskTable, state_.deskTies);
}

}  // namespace koruvan
