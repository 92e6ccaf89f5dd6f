// The desk buttons and the desk switch.
#include "bar/desk_bar.h"
#include "core/text.h"
#include "platform/busy_pointer.h"
#include "store/desk_swap.h"
#include "store/settings.h"
#include "store/window_table.h"

namespace koruvan {

void DeskBar::onDeskClicked(int desk) {
    chooseDesk(desk);
}

void DeskBar::chooseDesk(int desk) {
    if (switching() || !isDeskIndex(desk)) return;
    for (const FollowAction& action : follower_.chooseDesk(desk, state_))
        doFollowAction(action);
    askForFollowCheck();
}

void DeskBar::clickSwitch(int desk) {
    if (desk == state_.currentDesk || switching() || !isDeskIndex(desk)) return;
    if (logSwitchTimes_) switchAskedAt_ = platform_.monotonicSeconds();
    // Drawn pressed before the switch starts: whichever face the desk shows moves.
    DeskButton& button = buttons_[static_cast<std::size_t>(desk)];
    for (Rect<double>* rect : {&button.pictureRect, &button.boxRect}) {
        rect->left += kPressedOffset;
        rect->top += kPressedOffset;
    }
    view_.showButtons(buttons_);
    placeOrHide();
    switchToDesk(desk);
}

void DeskBar::onDeskRightPressed(int desk) {
    if (switching() || menuOpen_ || !isDeskIndex(desk)) return;
    menuOpen_ = true;
    const bool otherDesk = desk != state_.currentDesk;
    pauseWatching();
    tip_.visible = false;
    view_.showTip(tip_);
    onDeskMenuCommand(desk, view_.popupDeskMenu(otherDesk));
    menuOpen_ = false;
}

void DeskBar::onDeskPointerMoved(int desk, double x) {
    const Desk* entry = deskAt(state_, desk);
    if (!entry) return;
    tip_.text = entry->name();
    tip_.left = tipLeft(x, twipsPerPixelX_, buttonSize_, buttonSlot_[static_cast<std::size_t>(desk)],
                        buttonCount_, view_.tipWidth(tip_.text));
    tip_.visible = true;
    const TipKind kind = desk == state_.currentDesk ? TipKind::CurrentDesk : TipKind::OtherDesks;
    tip_.textColor = tipColor(state_.tipColors, kind, TipPart::Text);
    tip_.backColor = tipColor(state_.tipColors, kind, TipPart::Background);
    view_.showTip(tip_);
}

void DeskBar::switchToDesk(int desk) {
    runSwitch(desk, {});
}

void DeskBar::followSwitch(int desk, bool setWallpaper) {
    runSwitch(desk,
              {.windows = false, .wallpaper = setWallpaper ? SwapWallpaper::Apply : SwapWallpaper::Leave});
}

void DeskBar::runSwitch(int desk, SwitchWork work) {
    // A second request while a switch lets events run is ignored, never interleaved.
    if (desk == state_.currentDesk || switching() || !isDeskIndex(desk)) return;
    switching_ = true;
    const int old = state_.currentDesk;

    StepLog log = logSwitchTimes_ ? StepLog([this] { return platform_.monotonicSeconds(); }) : StepLog();
    tip_.text = "GO!";
    view_.showTip(tip_);
    platform_.pumpPendingEvents();
    setWatching(false);
    log.mark("tip");
    // A switch that could not start moved nothing: the bar stays at the desk whose items the Desktop holds.
    StoreReport report;
    if (swapDesk(platform_, state_, old, desk, report, &log, work.wallpaper)) {
        if (work.windows) {
            enterDesk(old, desk, log);
        } else {
            state_.currentDesk = static_cast<std::int16_t>(desk);
            completeSwitch(platform_, state_, desk, &log);
        }
    }
    drawButtonFaces();
    log.mark("buttons");
    showTrayDesk();
    log.mark("tray");
    placeOrHide();
    setWatching(true);
    log.mark("placement");
    if (log.enabled()) {
        const std::string move = std::to_string(old) + "->" + std::to_string(desk);
        platform_.appendFileBytes(
            state_.programDir + kSwitchTimesFile,
            (work.windows ? "switch " : "follow ") + move + " " + log.summary() + "\r\n");
        paintedLine_ = "painted " + move;
        if (!switchAskedAt_) switchAskedAt_ = log.startSeconds();
    }

    switching_ = false;
    if (closeRequested_) {
        closeProgram();
        return;
    }
    tellUser(report);
    askForFollowCheck();
}

// The window work of a switch whose files are in place, and the record of the new desk.
void DeskBar::enterDesk(int old, int desk, StepLog& log) {
    platform_.pumpPendingEvents();
    const BusyPointer busy(platform_);
    log.mark("pump");
    forgetGonePins();
    captureWindows(platform_, state_, listWindows(platform_));
    log.mark("capture");
    if (isDeskIndex(old)) {
        DeskWindows& leaving = state_.windowTable[static_cast<std::size_t>(old)];
        std::vector<WindowHandle> windows;
        for (int k = 0, kept = dropPinned(leaving); k < kept; ++k)
            windows.push_back(leaving[static_cast<std::size_t>(k)].window);
        takeOffScreen(old, windows, true, &log);
    }
    log.mark("minimise");

    state_.currentDesk = static_cast<std::int16_t>(desk);
    showDeskWindows(desk);
    log.mark("restore");
    completeSwitch(platform_, state_, desk, &log);
}

// The windows of the desk's last capture, exactly: entries below the terminator, shown from the last to the
// first so that entry 0, the front-most when the desk was left, ends in front again.
void DeskBar::showDeskWindows(int desk) {
    const DeskWindows& entries = state_.windowTable[static_cast<std::size_t>(desk)];
    for (std::size_t k = deskWindowCount(entries); k-- > 0;) {
        platform_.showWindow(entries[k].window,
                             entries[k].zoomed ? ShowCommand::Maximized : ShowCommand::Normal);
    }
}

}  // namespace koruvan
