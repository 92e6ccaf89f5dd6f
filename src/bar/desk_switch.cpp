// The desk buttons and the desk switch.
#include "bar/desk_bar.h"
#include "core/text.h"
#include "store/desk_folders.h"
#include "store/settings.h"
#include "store/window_table.h"

namespace koruvan {

void DeskBar::btnWALLclick(int desk) {
    if (desk == state_.currentDesk || busyWithSwitch() || !isDeskIndex(desk)) return;
    // Drawn pressed before the switch starts: whichever face the desk shows moves.
    DeskButton& button = buttons_[static_cast<std::size_t>(desk)];
    for (RealRect* rect : {&button.pictureRect, &button.boxRect}) {
        rect->left += kPressedOffset;
        rect->top += kPressedOffset;
    }
    view_.showButtons(buttons_);
    FormHide();
    ChgDsk(desk);
}

void DeskBar::btnWALLmousedown(int desk) {
    if (busyWithSwitch() || menuOpen_ || !isDeskIndex(desk)) return;
    menuOpen_ = true;
    state_.targetDesk = static_cast<std::int16_t>(desk);
    const bool otherDesk = desk != state_.currentDesk;
    TopWinONOFF(0);
    tip_.visible = false;
    view_.showTip(tip_);
    OnDeskMenuCommand(view_.popupDeskMenu(otherDesk));
    menuOpen_ = false;
}

void DeskBar::btnWALLmousemove(int desk, double x) {
    const Desk* entry = deskAt(state_, desk);
    if (!entry) return;
    tip_.text = entry->name();
    tip_.left = TipLeft(x, twipsPerPixelX, buttonSize, buttonSlot[static_cast<std::size_t>(desk)],
                        buttonCount, view_.tipWidth(tip_.text));
    tip_.visible = true;
    const auto& colours = state_.BarColors[desk == state_.currentDesk ? 0 : 1];
    tip_.textColor = colours[0];
    tip_.backColor = colours[1];
    view_.showTip(tip_);
}

void DeskBar::ChgDsk(int desk) {
    // A second request while a switch lets events run is ignored, never interleaved.
    if (desk == state_.currentDesk || busyWithSwitch() || !isDeskIndex(desk)) return;
    switching_ = true;
    const int old = state_.currentDesk;

    StepLog log = logSwitchTimes ? StepLog([this] { return platform_.monotonicSeconds(); }) : StepLog();
    tip_.text = "GO!";
    view_.showTip(tip_);
    platform_.pumpPendingEvents();
    setTimer(false);
    log.mark("tip");
    // A switch that could not start moved nothing: the bar stays at the desk whose items the Desktop holds.
    if (SwapDesk(platform_, state_, old, desk, &log)) enterDesk(old, desk, log);
    SetWaku();
    FormHide();
    setTimer(true);
    log.mark("redraw");
    if (log.enabled()) {
        platform_.appendFileBytes(
            state_.programDir + kSwitchTimesFile,
            "switch " + std::to_string(old) + "->" + std::to_string(desk) + " " + log.summary() + "\r\n");
    }

    switching_ = false;
    if (closeRequested_) view_.close();
}

// The window work of a switch whose files are in place, and the record of the new desk.
void DeskBar::enterDesk(int old, int desk, StepLog& log) {
    platform_.pumpPendingEvents();
    platform_.setBusyPointer(true);
    log.mark("pump");
    const int captured = CreateApl(platform_, state_, ListWindows(platform_));
    log.mark("capture");
    if (isDeskIndex(old)) {
        const DeskWindows& leaving = state_.windowTable[static_cast<std::size_t>(old)];
        for (int k = 0; k < captured; ++k)
            platform_.minimizeWindow(leaving[static_cast<std::size_t>(k)].hWnd);
    }
    log.mark("minimise");

    state_.currentDesk = static_cast<std::int16_t>(desk);
    showDeskWindows(desk);
    log.mark("restore");
    // Until LastUse names the new desk, a start after a crash needs the journal to finish this switch.
    const bool written = WriteUserValue(platform_, state_, kLastUseKey, state_.currentDesk);
    log.mark("lastuse");
    if (written) ClearSwitchJournal(platform_, state_);
    log.mark("journal");
    platform_.setBusyPointer(false);
}

// The windows of the desk's last capture, exactly: entries below the terminator, shown from the last to the
// first so that entry 0, the front-most when the desk was left, ends in front again.
void DeskBar::showDeskWindows(int desk) {
    const DeskWindows& entries = state_.windowTable[static_cast<std::size_t>(desk)];
    std::size_t count = 0;
    while (count < entries.size() && !entries[count].ClassName.empty())
        ++count;
    for (std::size_t k = count; k-- > 0;) {
        platform_.showWindow(entries[k].hWnd,
                             entries[k].Zoomed ? ShowCommand::Maximized : ShowCommand::Normal);
    }
}

}  // namespace koruvan
