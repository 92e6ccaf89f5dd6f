#include "bar/desk_bar.h"

#include <cstdio>

#include "bar/bar_load.h"
#include "bar/desk_keys.h"
#include "core/text.h"
#include "platform/busy_pointer.h"
#include "store/appearance.h"
#include "store/settings.h"
#include "store/system_desktops.h"

namespace koruvan {

DeskBar::DeskBar(Platform& platform, SharedState& state, BarView& view)
    : platform_(platform),
      state_(state),
      view_(view),
      follower_([&platform] { return platform.monotonicSeconds(); }) {}

void DeskBar::load(int dotsPerInchX, int dotsPerInchY) {
    view_.setCaption(kBarCaption);
    setWatching(true);
    setDotsPerInch(dotsPerInchX, dotsPerInchY);
    StoreReport report;
    loadDeskState(platform_, state_, report);
    applyButtonSizeSetting();
    fitToDesks();
    redrawButtons();
    placeOrHide();
    view_.show();
    warnOfPlacement();
    tellUser(report);
    // After a switch the start finished: the Desktop then holds the desk the system left, and follows on.
    if (state_.followSystemDesks != 0 && systemHasVirtualDesktops(platform_)) setFollowing(true);
}

// Once a start, over the bar already shown.
void DeskBar::warnOfPlacement() {
    const std::string warning = placementWarning(platform_, state_);
    if (!warning.empty()) warnModally(warning, kPlacementTitle);
}

void DeskBar::tellUser(const StoreReport& report) {
    if (!report.empty()) warnModally(reportText(report, state_.deskTable, state_.programDir), kReportTitle);
}

void DeskBar::warnModally(const std::string& text, const char* title) {
    // No switch may start from a key or the tray, nor a setting be taken up, while the message is up.
    const bool wasOpen = menuOpen_;
    menuOpen_ = true;
    pauseWatching();
    view_.warn(text, title);
    resumeWatching();
    menuOpen_ = wasOpen;
}

void DeskBar::setDotsPerInch(int dotsPerInchX, int dotsPerInchY) {
    twipsPerPixelX_ = twipsPerPixel(dotsPerInchX);
    twipsPerPixelY_ = twipsPerPixel(dotsPerInchY);
}

void DeskBar::applyButtonSizeSetting() {
    buttonSize_ = buttonSizeFor(state_.buttonSizeSetting);
    checkedSizeItem_ = sizeMenuIndexFor(state_.buttonSizeSetting);
}

void DeskBar::fitToDesks() {
    const SlotLayout layout = assignSlots(deskOrder(), buttonSlot_);
    buttonCount_ = layout.buttonCount;
    buttonSlot_ = layout.buttonSlot;
    for (int d = 0; d < kDeskCount; ++d) {
        DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        button.boxRect =
            buttonRect(buttonSize_, buttonSlot_[static_cast<std::size_t>(d)], d == state_.currentDesk);
        button.pictureRect = button.boxRect;
    }
    view_.showButtons(buttons_);
    const BarGeometry bar = view_.geometry();
    view_.setOuterSize(bar.outerWidth - bar.clientWidth + toPixels(barClientWidth(buttonSize_, buttonCount_)),
                       bar.outerHeight - bar.clientHeight + toPixels(barClientHeight(buttonSize_)));
}

void DeskBar::redrawButtons() {
    drawButtonFaces();
    showTrayDesk();
}

void DeskBar::drawButtonFaces() {
    const BusyPointer busy(platform_);
    // The desktop's colour is the same for every box of one redraw: read it once.
    const std::int64_t colour = leadingInteger(rgbTextToColorNumber(readBackgroundColor(platform_)));
    for (int d = 0; d < kDeskCount; ++d) {
        DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        button.picturePath.clear();
        button.pictureVisible = false;
        button.boxVisible = false;
        button.boxColor = static_cast<std::int32_t>(colour);
        const Desk& desk = state_.deskTable[static_cast<std::size_t>(d)];
        if (!desk.exists()) continue;
        const double left = slotLeft(buttonSize_, buttonSlot_[static_cast<std::size_t>(d)]);
        if (!desk.wallpaper().empty()) {
            button.picturePath = trimBlanks(desk.wallpaper());
            button.pictureVisible = true;
            button.pictureRect.left = left;
            button.pictureRect.top = 0;
        } else {
            button.boxVisible = true;
            button.boxRect.left = left;
            button.boxRect.top = 0;
        }
        if (d == state_.currentDesk) {
            button.pictureRect.left = left + kPressedOffset;
            button.pictureRect.top = kPressedOffset;
            button.boxRect.left = button.pictureRect.left;
            button.boxRect.top = button.pictureRect.top;
        }
    }
    view_.showButtons(buttons_);
}

void DeskBar::showTrayDesk() {
    if (const Desk* current = deskAt(state_, state_.currentDesk)) {
        view_.showTray(deskNumber(deskOrder(), state_.currentDesk),
                       std::string(kBarCaption) + " - " + current->name());
    }
}

void DeskBar::placeOrHide() {
    const BarGeometry bar = view_.geometry();
    const BarPlacement place =
        hiddenPlacement(bar, state_.autoHide, state_.barPosition, view_.screenWidth(), view_.screenHeight());
    if (place.left != bar.left || place.top != bar.top) view_.moveTo(place.left, place.top);
}

void DeskBar::setWatching(bool running) {
    watching_ = running;
    view_.setWatching(running);
}

void DeskBar::pauseWatching() {
    setWatching(false);
    view_.setTopmost(false);
}

void DeskBar::resumeWatching() {
    setWatching(true);
    askForFollowCheck();
}

void DeskBar::onWatchCheck() {
    view_.setTopmost(state_.alwaysOnTop != 0);
    // A monotonic clock: the idle time stays right across midnight and clock changes.
    const double idle = platform_.monotonicSeconds() - lastPointerTime_;
    if (idle > kIdleSecondsBeforeHiding) {
        placeOrHide();
    } else {
        view_.wakeAfter(kIdleSecondsBeforeHiding - idle + kWakeMargin);
    }
    recordAppearanceChanges();
    noteActiveWindow();
}

// Wallpaper, pattern and colour changed from outside belong to the desk on screen.
void DeskBar::recordAppearanceChanges() {
    Desk* desk = deskAt(state_, state_.currentDesk);
    if (!desk) return;
    const auto current = [&](const std::string& read, DeskField field) {
        return deskFieldValue(read, (*desk)[field]);
    };
    const std::string wallpaper = current(readWallpaper(platform_), DeskField::Wallpaper);
    const std::string pattern = current(readPattern(platform_), DeskField::Pattern);
    const std::string background = current(readBackgroundColor(platform_), DeskField::Background);
    if (wallpaper == trimBlanks((*desk)[DeskField::Wallpaper]) &&
        pattern == trimBlanks((*desk)[DeskField::Pattern]) &&
        background == trimBlanks((*desk)[DeskField::Background])) {
        return;
    }
    (*desk)[DeskField::Wallpaper] = wallpaper;
    (*desk)[DeskField::Pattern] = pattern;
    (*desk)[DeskField::Background] = background;
    redrawButtons();
    saveDeskTable(platform_, state_);
}

void DeskBar::onBackgroundPointerMoved() {
    if (tip_.visible) {
        tip_.visible = false;
        view_.showTip(tip_);
    }
    const BarGeometry bar = view_.geometry();
    const BarPlacement place =
        revealedPlacement(bar, state_.autoHide, state_.barPosition, view_.screenHeight());
    if (place.left != bar.left || place.top != bar.top) view_.moveTo(place.left, place.top);
    lastPointerTime_ = platform_.monotonicSeconds();
    view_.wakeAfter(kIdleSecondsBeforeHiding + kWakeMargin);
}

void DeskBar::onBackgroundClicked() {
    placeOrHide();
}

void DeskBar::onBackgroundRightPressed() {
    if (switching() || menuOpen_) return;
    menuOpen_ = true;
    pauseWatching();
    onOptionsMenuCommand(view_.popupOptionsMenu(checkedSizeItem_));
    menuOpen_ = false;
}

void DeskBar::onHotkey(int hotkey) {
    if (menuOpen_) return;
    if (hotkey >= kFirstMoveHotkey) {
        onWindowHotkey(hotkey);
        return;
    }
    const int desk = deskForHotkey(deskOrder(), state_.currentDesk, hotkey);
    if (desk >= 0) chooseDesk(desk);
}

void DeskBar::onTrayClicked() {
    if (switching() || menuOpen_) return;
    menuOpen_ = true;
    pauseWatching();
    view_.setTrayWindowItems(trayWindowItems());
    const TrayChoice choice =
        view_.popupTrayMenu(trayMenuDesks(state_.deskTable, deskOrder(), state_.currentDesk, hotkeysHeld_),
                            trayToggles(), checkedSizeItem_);
    if (choice.desk >= 0) {
        resumeWatching();
        chooseDesk(choice.desk);
    } else if (choice.command == MenuCommand::FollowSystemDesks) {
        onTrayToggle(choice.command);
        resumeWatching();
    } else if (!onTrayWindowCommand(choice)) {
        onOptionsMenuCommand(choice.command);
    }
    menuOpen_ = false;
}

void DeskBar::onPainted() {
    if (!switchAskedAt_ || paintedLine_.empty() || switching_) return;
    const double milliseconds = (platform_.monotonicSeconds() - *switchAskedAt_) * 1000;
    char text[32];
    std::snprintf(text, sizeof(text), " %.1f ms\r\n", milliseconds);
    platform_.appendFileBytes(state_.programDir + kSwitchTimesFile, paintedLine_ + text);
    switchAskedAt_.reset();
    paintedLine_.clear();
}

void DeskBar::onCloseRequested() {
    if (switching()) {
        closeRequested_ = true;
        return;
    }
    closeProgram();
}

}  // namespace koruvan
