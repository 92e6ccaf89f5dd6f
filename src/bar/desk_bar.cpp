#include "bar/desk_bar.h"

#include "bar/bar_load.h"
#include "bar/follow_action.h"
#include "store/desk_appearance.h"
#include "store/desk_identity.h"
#include "store/pool.h"
#include "store/settings.h"
#include "store/system_desktops.h"

namespace koruvan {

DeskBar::DeskBar(Platform& platform, SharedState& state, BarView& view, BarPopups& popups,
                 BarNotices& notices)
    : platform_(platform),
      state_(state),
      view_(view),
      notices_(notices),
      face_(platform, state, view, notices),
      windows_(platform, state),
      icons_(platform, state, view),
      switch_(platform, state, windows_, icons_),
      following_(platform, state, view, notices, *this, windows_),
      programs_(platform, state, view, notices, windows_),
      menus_(platform, state, popups, face_, windows_, icons_, following_, programs_, *this) {}

void DeskBar::load(int dotsPerInchX, int dotsPerInchY) {
    view_.setCaption(kBarCaption);
    // Before anything else: the windows a killed run hid.
    windows_.showHiddenAgain();
    face_.setWatching(true);
    setDotsPerInch(dotsPerInchX, dotsPerInchY);
    StoreReport report;
    const std::vector<std::string> placed = loadDeskState(platform_, state_, report);
    face_.applyButtonSizeSetting();
    fitToDesks();
    redrawButtons();
    placeOrHide();
    view_.show();
    // Once a start, over the bar already shown. It says already that nothing the program keeps can be
    // written there.
    if (const std::string warning = placementWarning(platform_, state_); !warning.empty()) {
        menus_.warn(warning, kPlacementTitle);
        report.settingsUnwritten.reset();
    }
    tellUser(report);
    // The items the start put on the Desktop; the others stand where the view kept them.
    icons_.start(placed);
    // After a switch the start finished: the Desktop then holds the desk the system left, and follows on.
    if (state_.followSystemDesks && systemHasVirtualDesktops(platform_)) following_.setActive(true);
    programs_.start();
}

void DeskBar::redrawButtons() {
    face_.drawButtonFaces();
    face_.showTrayDesk(deskOrder());
}

void DeskBar::relayout() {
    fitToDesks();
    redrawButtons();
}

void DeskBar::onWatchCheck() {
    view_.setTopmost(state_.alwaysOnTop);
    recordOutsideAppearance();
    // After the appearance's wake, if any: the one that hides the bar is never put off.
    face_.hideWhenIdle();
    windows_.noteActiveWindow();
    windows_.retryEarlierRecord();
}

void DeskBar::recordOutsideAppearance() {
    Desk* desk = deskAt(state_, state_.currentDesk);
    if (!desk) return;
    Desk seen = *desk;
    if (!takeOutsideAppearance(platform_, seen) || !following_.isUsersAppearance(seen)) return;
    *desk = std::move(seen);
    redrawButtons();
    StoreReport report;
    report.noteSettingsWrite(saveDeskTable(platform_.files, state_));
    tellUser(report);
}

void DeskBar::onBackgroundRightPressed() {
    if (busy()) return;
    menus_.onBackgroundRightPressed();
}

void DeskBar::onDeskRightPressed(int desk) {
    if (busy() || !isDeskIndex(desk)) return;
    menus_.onDeskRightPressed(desk);
}

void DeskBar::onHotkey(int hotkey) {
    if (menus_.open()) return;
    if (hotkey >= kFirstMoveHotkey) {
        if (!switch_.running()) windows_.onHotkey(hotkey, deskOrder());
        return;
    }
    const int desk = deskForHotkey(deskOrder(), state_.currentDesk, hotkey);
    if (desk >= 0) chooseDesk(desk);
}

void DeskBar::onTrayClicked() {
    if (busy()) return;
    menus_.onTrayClicked(deskOrder(), hotkeysHeld_);
}

void DeskBar::chooseDesk(int desk) {
    if (!switch_.canStartAny() || !isDeskIndex(desk)) return;
    if (following_.active()) {
        following_.chooseDesk(desk);
    } else {
        clickSwitch(desk);
    }
}

void DeskBar::clickSwitch(int desk) {
    if (!switch_.canStart(desk)) return;
    switch_.noteAsked();
    face_.pressButton(desk);
    face_.placeOrHide();
    switchToDesk(desk);
}

void DeskBar::followSwitch(int desk, bool setWallpaper) {
    runSwitch(desk,
              {.windows = false, .wallpaper = setWallpaper ? SwapWallpaper::Apply : SwapWallpaper::Leave});
}

void DeskBar::runSwitch(int desk, SwitchWork work) {
    // A second request while a switch lets events run is ignored, never interleaved.
    if (!switch_.canStart(desk)) return;
    // The system's desktops keep the windows apart: no switch while following touches one.
    if (following_.active()) work.windows = false;
    const int old = state_.currentDesk;
    StepLog log = switch_.begin();
    face_.showTipText("GO!");
    platform_.session.pumpPendingEvents();
    face_.setWatching(false);
    log.mark("tip");
    StoreReport report;
    switch_.move(desk, work, log, report);
    face_.drawButtonFaces();
    log.mark("buttons");
    face_.showTrayDesk(deskOrder());
    log.mark("tray");
    face_.placeOrHide();
    face_.setWatching(true);
    log.mark("placement");
    switch_.end(old, desk, work, log);
    onWindowsCheck();
    if (state_.currentDesk == desk) icons_.enterDesk(desk);
    if (sessionEndBlocked_) {
        view_.blockSessionEnd("");
        sessionEndBlocked_ = false;
    }
    if (closeRequested_) {
        closeProgram();
        return;
    }
    if (state_.showDeskName && state_.currentDesk == desk) notices_.showDeskName(state_.deskTable[desk].name);
    tellUser(report);
    following_.askForCheck();
}

void DeskBar::onWindowsCheck() {
    // Programs show their windows within tens of milliseconds: a short look again costs nothing meanwhile.
    constexpr double kLookAgainSeconds = 0.015;
    if (!switch_.running() && !switch_.settleWindows())
        view_.checkAfter(LaterCheck::Windows, kLookAgainSeconds);
}

int DeskBar::giveUpDesk(int slot, StoreReport& report) {
    // Its items may exist nowhere else: they go into the item pool, where the organiser offers them.
    (void)platform_.files.makeFolder(poolFolder(state_));  // one already there is no failure
    const auto items = static_cast<int>(platform_.files.listPlainFiles(deskFolder(state_, slot)).size());
    const int pooled = items - giveDeskToPool(platform_, state_, slot);
    windows_.releaseDesk(slot);
    programs_.forgetDesk(deskIdAt(state_, slot), report);
    icons_.forgetDesk(slot);
    // The name, the wallpaper, the identity and the tie go; the style stays with the slot. The record is
    // written after: it no longer knows the desk, so that no fresh start brings it back.
    applyToDesks(FollowAction::deleteDesk(slot), state_.deskTable, state_.deskTies);
    report.noteSettingsWrite(writeRecord(platform_, state_));
    report.noteSettingsWrite(saveDeskTable(platform_.files, state_));
    report.noteSettingsWrite(writeDeskTie(platform_.files, state_, slot));
    return pooled;
}

bool DeskBar::onSessionEndAsked() {
    if (!switch_.running()) return true;
    view_.blockSessionEnd(kSwitchingReason);
    sessionEndBlocked_ = true;
    return false;
}

void DeskBar::onSessionEnding() {
    switch_.refuseFromNowOn();
    programs_.remember();
    following_.stopForSessionEnd();
    windows_.showHiddenAgain();
}

void DeskBar::onCloseRequested() {
    if (switch_.running()) {
        closeRequested_ = true;
        return;
    }
    closeProgram();
}

void DeskBar::closeProgram() {
    programs_.remember();
    windows_.showHiddenAgain();
    view_.close();
}

}  // namespace koruvan
