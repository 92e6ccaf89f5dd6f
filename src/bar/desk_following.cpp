#include "bar/desk_following.h"

#include "store/desk_appearance.h"
#include "store/settings.h"
#include "store/system_desktops.h"

namespace koruvan {

constexpr const char* kFollowSystemDesksText = "Windows の仮想デスクトップと連動";

DeskFollowing::DeskFollowing(Platform& platform, SharedState& state, BarView& view, BarActions& bar)
    : platform_(platform), state_(state), view_(view), bar_(bar), follower_([&platform] {
          return platform.session.monotonicSeconds();
      }) {}

void DeskFollowing::setActive(bool on) {
    state_.followSystemDesks = on;
    pending_ = false;
    view_.watchSystemDesktops(on);
    if (on) {
        follower_.start();
        onSystemDesktopsChanged();  // redraws what the first read changes
        return;
    }
    follower_.stop();
    bar_.relayout();
}

void DeskFollowing::onSystemDesktopsChanged() {
    if (!follower_.following()) return;
    if (bar_.busy()) {
        pending_ = true;
        return;
    }
    pending_ = false;
    const std::vector<int> orderBefore = deskOrder();
    bool desksChanged = false;
    StoreReport report;
    for (const FollowAction& action : follower_.update(readSystemDesktops(platform_), state_)) {
        doAction(action, report);
        desksChanged |= action.step != FollowStep::FollowSwitch;
    }
    // A new order or a new desk shows at once; a switch has redrawn the buttons itself.
    if (desksChanged || deskOrder() != orderBefore) bar_.relayout();
    bar_.tellUser(report);
    askForCheck();
}

void DeskFollowing::chooseDesk(int desk) {
    StoreReport report;
    for (const FollowAction& action : follower_.chooseDesk(desk, state_))
        doAction(action, report);
    bar_.tellUser(report);
    askForCheck();
}

void DeskFollowing::askForCheck() {
    if (!follower_.following()) return;
    if (pending_) {
        view_.checkSystemDesktopsAfter(0);
    } else if (const std::optional<double> due = follower_.secondsUntilCheck()) {
        view_.checkSystemDesktopsAfter(*due + kWakeMargin);
    }
}

void DeskFollowing::doAction(const FollowAction& action, StoreReport& report) {
    switch (action.step) {
        case FollowStep::TieDesk:
        case FollowStep::UntieDesk:
            applyToDesks(action, state_.deskTable, state_.deskTies);
            report.noteSettingsWrite(writeDeskTie(platform_.files, state_, action.desk));
            break;
        case FollowStep::MakeDesk:
            makeDesk(action, report);
            break;
        case FollowStep::DeleteDesk:
            bar_.giveUpDesk(action.desk, report);
            break;
        case FollowStep::RenameDesk:
            applyToDesks(action, state_.deskTable, state_.deskTies);
            report.noteSettingsWrite(writeDeskLine(platform_.files, state_, action.desk));
            break;
        case FollowStep::FollowSwitch:
            bar_.followSwitch(action.desk, action.setWallpaper);
            break;
        case FollowStep::SwitchToDesk:
            bar_.clickSwitch(action.desk);
            break;
        case FollowStep::PressKeys:
            platform_.shell.pressDesktopSwitchKeys(action.presses);
            break;
    }
}

// A new desktop looks as the screen does when the system makes it: the desk takes that appearance, and no
// items.
void DeskFollowing::makeDesk(const FollowAction& action, StoreReport& report) {
    Desk& desk = state_.deskTable[static_cast<std::size_t>(action.desk)];
    desk = Desk{};
    takeScreenAppearance(platform_, desk);
    applyToDesks(action, state_.deskTable, state_.deskTies);
    // A folder already there is no failure; one that cannot be made leaves the desk's items on the Desktop,
    // which its switches report.
    (void)platform_.files.makeFolder(deskFolder(state_, action.desk));
    report.noteSettingsWrite(writeDeskLine(platform_.files, state_, action.desk));
    report.noteSettingsWrite(writeDeskTie(platform_.files, state_, action.desk));
}

std::vector<int> DeskFollowing::deskOrder() const {
    return follower_.viewOrder(state_.deskTable, state_.deskTies);
}

std::vector<TrayToggle> DeskFollowing::trayToggles() const {
    return {{.command = MenuCommand::FollowSystemDesks,
             .text = kFollowSystemDesksText,
             .checked = state_.followSystemDesks,
             .enabled = systemHasVirtualDesktops(platform_)}};
}

void DeskFollowing::onTrayToggle(StoreReport& report) {
    setActive(!state_.followSystemDesks);
    report.noteSettingsWrite(
        writeUserValue(platform_.files, state_, kFollowSystemDesksKey, state_.followSystemDesks ? 1 : 0));
}

}  // namespace koruvan
