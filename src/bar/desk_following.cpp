#include "bar/desk_following.h"

#include <algorithm>

#include "store/desk_appearance.h"
#include "store/desk_ties.h"
#include "store/settings.h"
#include "store/system_desktops.h"

namespace koruvan {

constexpr const char* kFollowSystemDesksText = "Windows の仮想デスクトップと連動";

DeskFollowing::DeskFollowing(Platform& platform, SharedState& state, BarView& view, BarNotices& notices,
                             BarActions& bar, DeskWindowKeeper& windows)
    : platform_(platform),
      state_(state),
      view_(view),
      notices_(notices),
      bar_(bar),
      windows_(windows),
      follower_([&platform] { return platform.session.monotonicSeconds(); }) {}

void DeskFollowing::setActive(bool on) {
    state_.followSystemDesks = on;
    pending_ = false;
    appearanceSeen_.reset();
    windows_.leaveWindowsToSystem(on);
    view_.watchSystemDesktops(on);
    if (on) {
        follower_.start();
        onSystemDesktopsChanged();  // redraws what the first read changes
        return;
    }
    follower_.stop();
    bar_.relayout();
}

void DeskFollowing::onExplorerRestarted() {
    if (!follower_.following()) return;
    view_.watchSystemDesktops(true);
    onSystemDesktopsChanged();
}

void DeskFollowing::stopForSessionEnd() {
    pending_ = false;
    follower_.stop();
    view_.watchSystemDesktops(false);
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
    std::vector<int> lost;
    for (const FollowAction& action : follower_.update(readSystemDesktops(platform_), state_)) {
        doAction(action, report, lost);
        desksChanged |= action.step != FollowStep::FollowSwitch && action.step != FollowStep::PressKeys;
    }
    // A new order or a new desk shows at once; a switch has redrawn the buttons itself.
    if (desksChanged || deskOrder() != orderBefore) bar_.relayout();
    if (!lost.empty()) tellUntied(lost);
    bar_.tellUser(report);
    askForCheck();
}

void DeskFollowing::chooseDesk(int desk) {
    StoreReport report;
    std::vector<int> lost;
    for (const FollowAction& action : follower_.chooseDesk(desk, state_))
        doAction(action, report, lost);
    bar_.tellUser(report);
    askForCheck();
}

void DeskFollowing::askForCheck() {
    if (!follower_.following()) return;
    std::optional<double> due = follower_.secondsUntilCheck();
    if (!view_.systemDesktopsWatched())
        due = std::min(due.value_or(kUnwatchedCheckSeconds), kUnwatchedCheckSeconds);
    if (pending_) {
        view_.checkAfter(LaterCheck::SystemDesktops, 0);
    } else if (due) {
        view_.checkAfter(LaterCheck::SystemDesktops, *due + kWakeMargin);
    }
}

void DeskFollowing::doAction(const FollowAction& action, StoreReport& report, std::vector<int>& lost) {
    switch (action.step) {
        case FollowStep::UntieLostDesk:
            lost.push_back(action.desk);
            [[fallthrough]];
        case FollowStep::TieDesk:
        case FollowStep::UntieDesk:
            applyToDesks(action, state_.deskTable, state_.deskTies);
            report.noteSettingsWrite(writeDeskTie(platform_.files, state_, action.desk));
            break;
        case FollowStep::MakeDesk:
            makeDesk(action, report);
            break;
        case FollowStep::DeleteDesk:
            deleteDesk(action.desk, report);
            break;
        case FollowStep::RenameDesk:
            applyToDesks(action, state_.deskTable, state_.deskTies);
            report.noteSettingsWrite(writeDeskLine(platform_.files, state_, action.desk));
            break;
        case FollowStep::FollowSwitch:
            ++switches_;
            bar_.followSwitch(action.desk, action.setWallpaper);
            break;
        case FollowStep::PressKeys:
            (void)platform_.shell.pressDesktopSwitchKeys(action.presses);  // a key not taken is waited for
            break;
        case FollowStep::MakeDesktop:
            (void)platform_.shell.pressNewDesktopKeys();  // no desktop made: the desk stays untied
            break;
    }
}

// The user removed the desktop in the system: the desk goes, and a balloon says where its items went.
void DeskFollowing::deleteDesk(int desk, StoreReport& report) {
    const std::string name = state_.deskTable[static_cast<std::size_t>(desk)].name;
    const int items = bar_.giveUpDesk(desk, report);
    std::string text = "Windows の仮想デスクトップが削除されたので、ﾃﾞｽｸﾄｯﾌﾟ「" + name + "」も削除しました。";
    text += items == 0 ? "項目はありませんでした。"
                       : "その項目 " + std::to_string(items) +
                             " 個は、どのﾃﾞｽｸﾄｯﾌﾟでも「ﾃﾞｽｸﾄｯﾌﾟの整理」から戻せます。";
    notices_.showTrayBalloon("ﾃﾞｽｸﾄｯﾌﾟ削除", text);
}

// Several desktops gone at once: told once, for all their desks.
void DeskFollowing::tellUntied(const std::vector<int>& desks) {
    std::string names;
    for (const int desk : desks)
        names += "「" + state_.deskTable[static_cast<std::size_t>(desk)].name + "」";
    notices_.showTrayBalloon(kFollowSystemDesksText,
                             "Windows の仮想デスクトップがいくつも同時になくなったので、ﾃﾞｽｸﾄｯﾌﾟ" + names +
                                 "は削除せずに連動だけを解きました。項目はそのまま残っています。");
}

bool DeskFollowing::isUsersAppearance(const Desk& seen) {
    if (!follower_.following()) return true;
    const std::optional<SystemDesktops> read = readSystemDesktops(platform_);
    AppearanceSeen now{seen.wallpaper + "," + seen.pattern + "," + seen.background, read ? read->current : "",
                       platform_.session.monotonicSeconds(), switches_};
    if (!appearanceSeen_ || appearanceSeen_->look != now.look || appearanceSeen_->desktop != now.desktop ||
        appearanceSeen_->switches != now.switches) {
        appearanceSeen_ = now;
    }
    const double settled = appearanceSeen_->at + kAppearanceSettleSeconds;
    if (now.at < settled) {
        view_.wakeAfter(settled - now.at + kWakeMargin);
        return false;
    }
    // Settled on a desktop of another desk, or of none: the system's wallpaper there, not the current desk's.
    return !read || deskTiedTo(state_.deskTies, read->current) == state_.currentDesk;
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
