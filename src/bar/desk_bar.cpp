#include "bar/desk_bar.h"

#include <cmath>

#include "bar/bar_load.h"
#include "bar/desk_keys.h"
#include "core/text.h"
#include "store/appearance.h"
#include "store/settings.h"

namespace koruvan {

DeskBar::DeskBar(Platform& platform, SharedState& state, BarView& view)
    : platform_(platform), state_(state), view_(view) {}

void DeskBar::Load(int dotsPerInchX, int dotsPerInchY) {
    view_.setCaption(kBarCaption);
    setTimer(true);
    SetDotsPerInch(dotsPerInchX, dotsPerInchY);
    LoadDeskState(platform_, state_);
    applySizeNum();
    SizeAdjust();
    SetWaku();
    FormHide();
    view_.show();
}

void DeskBar::SetDotsPerInch(int dotsPerInchX, int dotsPerInchY) {
    const auto twips = [](int dpi) {
        return static_cast<std::int16_t>(dpi > 0 ? std::lround(1440.0 / dpi) : 15);
    };
    twipsPerPixelX = twips(dotsPerInchX);
    twipsPerPixelY = twips(dotsPerInchY);
}

void DeskBar::applySizeNum() {
    buttonSize = static_cast<std::int16_t>(ButtonSizeFor(state_.SizeNum));
    checkedSizeItem = SizeMenuIndexFor(state_.SizeNum);
}

void DeskBar::SizeAdjust() {
    const SlotLayout layout = AssignSlots(state_.deskTable, buttonSlot);
    buttonCount = layout.buttonCount;
    buttonSlot = layout.buttonSlot;
    for (int d = 0; d < kDeskCount; ++d) {
        DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        button.boxRect =
            ButtonRect(buttonSize, buttonSlot[static_cast<std::size_t>(d)], d == state_.currentDesk);
        button.pictureRect = button.boxRect;
    }
    view_.showButtons(buttons_);
    const BarGeometry bar = view_.geometry();
    view_.setOuterSize(bar.outerWidth - bar.clientWidth + ToPixels(BarClientWidth(buttonSize, buttonCount)),
                       bar.outerHeight - bar.clientHeight + ToPixels(BarClientHeight(buttonSize)));
}

void DeskBar::SetWinWidth() {
    const BarGeometry bar = view_.geometry();
    view_.setOuterSize(bar.outerWidth - bar.clientWidth + ToPixels(BarClientWidth(buttonSize, buttonCount)),
                       bar.outerHeight);
}

void DeskBar::SetWaku() {
    platform_.setBusyPointer(true);
    // The desktop's colour is the same for every box of one redraw: read it once.
    const std::int64_t colour = leadingInteger(Ccnv(ReadBackgroundColor(platform_)));
    for (int d = 0; d < kDeskCount; ++d) {
        DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        button.picturePath.clear();
        button.pictureVisible = false;
        button.boxVisible = false;
        button.boxColor = static_cast<std::int32_t>(colour);
        const Desk& desk = state_.deskTable[static_cast<std::size_t>(d)];
        if (!desk.exists()) continue;
        const double slotLeft = SlotLeft(buttonSize, buttonSlot[static_cast<std::size_t>(d)]);
        if (!desk.wallpaper().empty()) {
            button.picturePath = trimBlanks(desk.wallpaper());
            button.pictureVisible = true;
            button.pictureRect.left = slotLeft;
            button.pictureRect.top = 0;
        } else {
            button.boxVisible = true;
            button.boxRect.left = slotLeft;
            button.boxRect.top = 0;
        }
        if (d == state_.currentDesk) {
            button.pictureRect.left = slotLeft + kPressedOffset;
            button.pictureRect.top = kPressedOffset;
            button.boxRect.left = button.pictureRect.left;
            button.boxRect.top = button.pictureRect.top;
        }
    }
    view_.showButtons(buttons_);
    if (const Desk* current = deskAt(state_, state_.currentDesk)) {
        view_.showTray(DeskNumber(state_.deskTable, state_.currentDesk),
                       std::string(kBarCaption) + " - " + current->name());
    }
    platform_.setBusyPointer(false);
}

void DeskBar::FormHide() {
    const BarGeometry bar = view_.geometry();
    const BarPlacement place =
        HiddenPlacement(bar, state_.AutoHide, state_.Position, view_.screenWidth(), view_.screenHeight());
    if (place.left != bar.left || place.top != bar.top) view_.moveTo(place.left, place.top);
}

void DeskBar::setTimer(bool running) {
    timerRunning = running;
    view_.setTimerRunning(running);
}

void DeskBar::TopWinONOFF(int on) {
    if (on == 0) {
        setTimer(false);
        view_.setTopmost(false);
    } else {
        setTimer(true);
    }
}

void DeskBar::OnTimerTick() {
    view_.setTopmost(state_.Topwindow != 0);
    // A monotonic clock: the idle time stays right across midnight and clock changes.
    if (platform_.monotonicSeconds() - lastPointerTime > kIdleSecondsBeforeHiding) FormHide();
    pollAppearance();
}

void DeskBar::pollAppearance() {
    Desk* desk = deskAt(state_, state_.currentDesk);
    if (!desk) return;
    const auto current = [&](const std::string& read, DeskField field) {
        return DeskFieldValue(read, (*desk)[field]);
    };
    const std::string wallpaper = current(ReadWallpaper(platform_), DeskField::Wallpaper);
    const std::string pattern = current(ReadPattern(platform_), DeskField::Pattern);
    const std::string background = current(ReadBackgroundColor(platform_), DeskField::Background);
    if (wallpaper == trimBlanks((*desk)[DeskField::Wallpaper]) &&
        pattern == trimBlanks((*desk)[DeskField::Pattern]) &&
        background == trimBlanks((*desk)[DeskField::Background])) {
        return;
    }
    (*desk)[DeskField::Wallpaper] = wallpaper;
    (*desk)[DeskField::Pattern] = pattern;
    (*desk)[DeskField::Background] = background;
    SetWaku();
    SaveDeskTable(platform_, state_);
}

void DeskBar::OnBackgroundMouseMove() {
    if (tip_.visible) {
        tip_.visible = false;
        view_.showTip(tip_);
    }
    const BarGeometry bar = view_.geometry();
    const BarPlacement place = RevealedPlacement(bar, state_.AutoHide, state_.Position, view_.screenHeight());
    if (place.left != bar.left || place.top != bar.top) view_.moveTo(place.left, place.top);
    lastPointerTime = platform_.monotonicSeconds();
}

void DeskBar::OnBackgroundClick() {
    FormHide();
}

void DeskBar::OnBackgroundRightDown() {
    if (busyWithSwitch() || menuOpen_) return;
    menuOpen_ = true;
    TopWinONOFF(0);
    OnOptionsMenuCommand(view_.popupOptionsMenu(checkedSizeItem));
    menuOpen_ = false;
}

void DeskBar::OnHotkey(int hotkey) {
    if (menuOpen_) return;
    const int desk = DeskForHotkey(state_.deskTable, state_.currentDesk, hotkey);
    if (desk >= 0) btnWALLclick(desk);
}

void DeskBar::OnTrayClick() {
    if (busyWithSwitch() || menuOpen_) return;
    menuOpen_ = true;
    TopWinONOFF(0);
    const TrayChoice choice = view_.popupTrayMenu(
        TrayMenuDesks(state_.deskTable, state_.currentDesk, hotkeysHeld), checkedSizeItem);
    if (choice.desk >= 0) {
        TopWinONOFF(1);
        btnWALLclick(choice.desk);
    } else {
        OnOptionsMenuCommand(choice.command);
    }
    menuOpen_ = false;
}

void DeskBar::OnCloseRequest() {
    if (busyWithSwitch()) {
        closeRequested_ = true;
        return;
    }
    view_.close();
}

}  // namespace koruvan
