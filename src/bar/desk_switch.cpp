#include "bar/desk_switch.h"

#include <cstdio>
#include <optional>

#include "platform/busy_pointer.h"

namespace koruvan {

DeskSwitch::DeskSwitch(Platform& platform, SharedState& state, DeskWindowKeeper& windows,
                       DeskIconKeeper& icons)
    : platform_(platform), state_(state), windows_(windows), icons_(icons) {}

bool DeskSwitch::canStart(int desk) const {
    return desk != state_.currentDesk && canStartAny() && isDeskIndex(desk);
}

void DeskSwitch::noteAsked() {
    if (logTimes_) askedAt_ = platform_.session.monotonicSeconds();
}

StepLog DeskSwitch::begin() {
    running_ = true;
    return logTimes_ ? StepLog([this] { return platform_.session.monotonicSeconds(); }) : StepLog();
}

void DeskSwitch::move(int desk, SwitchWork work, StepLog& log, StoreReport& report) {
    const int old = state_.currentDesk;
    // Before its items leave the Desktop's view.
    icons_.leaveDesk(old);
    log.mark("icons");
    if (!swapDesk(platform_, state_, old, desk, report, &log, work.wallpaper)) return;
    std::optional<BusyPointer> busy;
    if (work.windows) {
        platform_.session.pumpPendingEvents();
        busy.emplace(platform_);
        log.mark("pump");
        windows_.leaveDesk(old, log);
        log.mark("minimise");
    }
    state_.currentDesk = static_cast<std::int16_t>(desk);
    if (work.windows) windows_.enterDesk(desk, log);
    // What could not be written goes to the report; the switch has happened either way.
    (void)completeSwitch(platform_, state_, desk, report, &log);
}

void DeskSwitch::end(int old, int desk, SwitchWork work, const StepLog& log) {
    running_ = false;
    if (!log.enabled()) return;
    const std::string move = std::to_string(old) + "->" + std::to_string(desk);
    // A log line lost is no loss: the times are for measuring.
    (void)platform_.files.appendFileBytes(
        state_.programDir + kSwitchTimesFile,
        (work.windows ? "switch " : "follow ") + move + " " + log.summary() + "\r\n");
    paintedLine_ = "painted " + move;
    if (!askedAt_) askedAt_ = log.startSeconds();
    settleLine_ = "settle " + move + " ";
    settleLog_ = StepLog([this] { return platform_.session.monotonicSeconds(); });
}

bool DeskSwitch::settleWindows() {
    if (!windows_.settling()) return true;
    if (!windows_.settleWindows(settleLog_)) return false;
    if (settleLog_.enabled() && !settleLine_.empty()) {
        // A log line lost is no loss, as above.
        (void)platform_.files.appendFileBytes(state_.programDir + kSwitchTimesFile,
                                              settleLine_ + settleLog_.summary() + "\r\n");
    }
    settleLine_.clear();
    settleLog_ = StepLog();
    return true;
}

void DeskSwitch::onPainted() {
    if (!askedAt_ || paintedLine_.empty() || running_) return;
    const double milliseconds = (platform_.session.monotonicSeconds() - *askedAt_) * 1000;
    char text[32];
    std::snprintf(text, sizeof(text), " %.1f ms\r\n", milliseconds);
    (void)platform_.files.appendFileBytes(state_.programDir + kSwitchTimesFile, paintedLine_ + text);
    askedAt_.reset();
    paintedLine_.clear();
}

}  // namespace koruvan
