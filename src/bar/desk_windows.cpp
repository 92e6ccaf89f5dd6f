#include "bar/desk_windows.h"

#include <algorithm>

#include "bar/desk_keys.h"
#include "store/settings.h"
#include "store/start_with_windows.h"
#include "store/window_restore.h"
#include "store/window_table.h"

namespace koruvan {

namespace {

// Windows asked back but not shown yet by their programs are still the desk's: the capture takes them for
// minimised, and their shows, handled later, would bring them up on the next desk.
void keepUnshown(WindowSystem& windows, const std::vector<WindowEntry>& askedBack, DeskWindows& desk) {
    for (const WindowEntry& entry : askedBack) {
        const bool kept = std::any_of(desk.begin(), desk.end(),
                                      [&](const WindowEntry& other) { return other.window == entry.window; });
        if (kept || desk.size() >= kMaxCapturedWindows || windows.showsHandled(entry.window)) continue;
        desk.push_back(entry);
    }
}

}  // namespace

DeskWindowKeeper::DeskWindowKeeper(Platform& platform, SharedState& state)
    : platform_(platform), state_(state) {}

void DeskWindowKeeper::capture() {
    captureWindows(platform_.windows, state_);
}

void DeskWindowKeeper::leaveWindowsToSystem(bool on) {
    leftToSystem_ = on;
    if (on) showHiddenAgain();
}

void DeskWindowKeeper::leaveDesk(int desk, StepLog& log) {
    // An order not set yet is not set any more.
    const std::optional<Settling> unsettled = std::move(settling_);
    settling_.reset();
    forgetGonePins();
    capture();
    log.mark("capture");
    if (!isDeskIndex(desk)) return;
    DeskWindows& leaving = state_.windowTable[static_cast<std::size_t>(desk)];
    if (unsettled) keepUnshown(platform_.windows, unsettled->plan.show, leaving);
    dropPinned(leaving);
    focused_[static_cast<std::size_t>(desk)] = focusedAmong(leaving);
    std::vector<WindowHandle> windows;
    for (const WindowEntry& entry : leaving)
        windows.push_back(entry.window);
    takeOffScreen(desk, windows, true, &log);
}

// The window the user worked in: the active one, or, when the click on the bar took the focus, the desk's
// window that had it last.
WindowHandle DeskWindowKeeper::focusedAmong(const DeskWindows& entries) const {
    const auto kept = [&](WindowHandle window) {
        return window != 0 && std::any_of(entries.begin(), entries.end(),
                                          [&](const WindowEntry& entry) { return entry.window == window; });
    };
    const WindowHandle active = platform_.windows.foregroundWindow();
    if (kept(active)) return active;
    return kept(lastActiveWindow_) ? lastActiveWindow_ : 0;
}

void DeskWindowKeeper::enterDesk(int desk, StepLog& log) {
    WindowSystem& windows = platform_.windows;
    RestorePlan plan = planRestore(state_.windowTable[static_cast<std::size_t>(desk)],
                                   focused_[static_cast<std::size_t>(desk)], [&](const WindowEntry& entry) {
                                       return WindowNow{.gone = windows.windowProcessId(entry.window) == 0,
                                                        .cloaked = windows.isWindowCloaked(entry.window)};
                                   });
    for (const WindowEntry& entry : plan.show)
        windows.showWindow(entry.window,
                           entry.zoomed ? ShowCommand::RestoredMaximized : ShowCommand::Restored);
    log.mark("restore");
    if (!plan.stack.empty())
        settling_ = Settling{std::move(plan), platform_.session.monotonicSeconds() + kShowPatienceSeconds};
}

// Stacked or focused before its program has shown it, a window would jump back to the front when it does.
bool DeskWindowKeeper::settleWindows(StepLog& log) {
    if (!settling_) return true;
    WindowSystem& windows = platform_.windows;
    // The program's answer and the window's state both: a system may hand the program the show after a
    // message sent later. A window gone meanwhile waits for nothing.
    const auto shown = [&](WindowHandle window) {
        if (windows.windowProcessId(window) == 0) return true;
        if (!windows.showsHandled(window)) return false;
        const TopLevelWindow now = windows.describeWindow(window);
        return now.visible && !now.iconic;
    };
    const bool allShown = std::all_of(settling_->plan.stack.begin(), settling_->plan.stack.end(), shown);
    if (!allShown && platform_.session.monotonicSeconds() < settling_->until) return false;
    log.mark("shown");
    const RestorePlan plan = std::move(settling_->plan);
    settling_.reset();
    windows.stackWindows(plan.stack);
    // Noted at once: the watch may have seen only a maximised window's own activation at its show.
    if (plan.focus != 0 && windows.activateWindow(plan.focus)) lastActiveWindow_ = plan.focus;
    log.mark("order");
    return true;
}

// An application window of another program that lets this one move it.
std::optional<WindowEntry> DeskWindowKeeper::movableWindow(WindowHandle window) {
    if (window == 0) return std::nullopt;
    std::optional<WindowEntry> entry = deskWindowEntry(platform_.windows, window);
    if (!entry || platform_.windows.windowRefusesControl(window)) return std::nullopt;
    return entry;
}

bool DeskWindowKeeper::moveWindow(WindowHandle window, int desk) {
    const Desk* target = deskAt(state_, desk);
    if (leftToSystem_ || desk == state_.currentDesk || !target || !target->exists()) return true;
    std::optional<WindowEntry> entry = movableWindow(window);
    if (!entry) return true;
    DeskWindows& entries = state_.windowTable[static_cast<std::size_t>(desk)];
    // A full desk takes no more: the window stays where it is rather than be lost off the screen.
    if (entries.size() >= kMaxCapturedWindows) return false;
    for (DeskWindows& other : state_.windowTable)
        removeDeskWindow(other, window);
    entries.push_back(std::move(*entry));
    std::erase_if(pinned_, [&](const PinnedWindow& pin) { return pin.window == window; });
    takeOffScreen(desk, {window}, false, nullptr);
    return true;
}

void DeskWindowKeeper::togglePin(WindowHandle window) {
    if (leftToSystem_) return;
    if (isPinned(window)) {
        std::erase_if(pinned_, [&](const PinnedWindow& pin) { return pin.window == window; });
        return;
    }
    if (!movableWindow(window)) return;
    pinned_.push_back({window, platform_.windows.windowProcessId(window)});
    // Another desk's list would otherwise bring it back to the state it had there.
    for (DeskWindows& entries : state_.windowTable)
        removeDeskWindow(entries, window);
}

bool DeskWindowKeeper::isPinned(WindowHandle window) {
    forgetGonePins();
    return std::any_of(pinned_.begin(), pinned_.end(),
                       [&](const PinnedWindow& pin) { return pin.window == window; });
}

void DeskWindowKeeper::onHotkey(int hotkey, const std::vector<int>& order) {
    const WindowHandle active = platform_.windows.foregroundWindow();
    if (hotkey == kPinHotkey) {
        togglePin(active);
    } else {
        moveWindow(active, deskForHotkey(order, state_.currentDesk, hotkey - kFirstMoveHotkey));
    }
}

// A pin goes with its window: once the window is closed its handle may name another program's window.
void DeskWindowKeeper::forgetGonePins() {
    std::erase_if(pinned_, [&](const PinnedWindow& pin) {
        return platform_.windows.windowProcessId(pin.window) != pin.processId;
    });
}

void DeskWindowKeeper::dropPinned(DeskWindows& entries) {
    for (const PinnedWindow& pin : pinned_)
        removeDeskWindow(entries, pin.window);
}

// Hidden only once the record names them, so that no end of the program leaves them hidden; minimised when
// the option is off or the record cannot be written.
void DeskWindowKeeper::takeOffScreen(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk,
                                     StepLog* log) {
    const bool hide = state_.hideOtherDeskWindows && recordHidden(desk, windows, replacesDesk);
    if (log && state_.hideOtherDeskWindows) log->mark("hidden");
    for (WindowHandle window : windows) {
        if (hide) {
            platform_.windows.hideWindow(window);
        } else {
            platform_.windows.minimizeWindow(window);
        }
    }
}

// The record with `windows` as the desk's; `replacesDesk`: they are all the desk's windows, and what the
// record held of the desk (shown when it was entered) goes.
bool DeskWindowKeeper::recordHidden(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk) {
    // An earlier run's record that could not be read yet is never written over: the windows it names would
    // stay hidden for good.
    retryEarlierRecord();
    if (recordPending_) return false;
    HiddenWindows next;
    for (const HiddenWindow& hidden : hidden_) {
        const bool replaced = (replacesDesk && hidden.desk == desk) ||
                              std::find(windows.begin(), windows.end(), hidden.window) != windows.end();
        if (!replaced) next.push_back(hidden);
    }
    for (WindowHandle window : windows) {
        if (const std::uint32_t process = platform_.windows.windowProcessId(window))
            next.push_back({window, process, desk});
    }
    if (next == hidden_) return true;
    if (!writeHiddenWindows(platform_, state_, next)) return false;
    hidden_ = std::move(next);
    return true;
}

void DeskWindowKeeper::releaseDesk(int desk) {
    HiddenWindows released;
    HiddenWindows kept;
    for (const HiddenWindow& hidden : hidden_)
        (hidden.desk == desk ? released : kept).push_back(hidden);
    if (released.empty()) return;
    showWindowsAgain(platform_, released);
    // Unwritten, the record still names the released windows: shown already, they are left alone at the end.
    if (writeHiddenWindows(platform_, state_, kept)) hidden_ = std::move(kept);
}

FileResult DeskWindowKeeper::setHideOtherDeskWindows(bool on) {
    state_.hideOtherDeskWindows = on;
    const FileResult written = writeUserValue(platform_.files, state_, kHideOtherDeskWindowsKey, on ? 1 : 0);
    if (!on) showHiddenAgain();
    return written;
}

void DeskWindowKeeper::showHiddenAgain() {
    // The record names this run's hidden windows, or while one of an earlier run waits, that run's.
    recordPending_ = !showHiddenWindows(platform_, state_);
    if (!recordPending_) hidden_.clear();
}

void DeskWindowKeeper::retryEarlierRecord() {
    if (recordPending_) showHiddenAgain();
}

void DeskWindowKeeper::noteActiveWindow() {
    const WindowHandle active = platform_.windows.foregroundWindow();
    if (active != lastActiveWindow_ && deskWindowEntry(platform_.windows, active)) lastActiveWindow_ = active;
}

TrayWindowItems DeskWindowKeeper::trayItems(const std::vector<int>& order, const HeldHotkeys& held) {
    noteActiveWindow();
    trayWindow_ = movableWindow(lastActiveWindow_) ? lastActiveWindow_ : 0;
    TrayWindowItems items;
    items.windowChosen = trayWindow_ != 0;
    items.moveDesks = trayMenuDesks(state_.deskTable, order, state_.currentDesk, held, kFirstMoveHotkey);
    items.pinned = items.windowChosen && isPinned(trayWindow_);
    if (held[static_cast<std::size_t>(kPinHotkey)]) items.pinKey = hotkeyName(kPinHotkey);
    items.hideOtherDeskWindows = state_.hideOtherDeskWindows;
    items.enabled = !leftToSystem_;
    items.startWithWindows = readRunValue(platform_) == RunValue::ThisCopy;
    return items;
}

bool DeskWindowKeeper::onTrayCommand(const TrayChoice& choice, StoreReport& report) {
    if (choice.command == MenuCommand::HideOtherDeskWindows && leftToSystem_) return true;  // greyed
    if (choice.moveToDesk >= 0) {
        moveWindow(trayWindow_, choice.moveToDesk);
    } else if (choice.command == MenuCommand::PinWindow) {
        togglePin(trayWindow_);
    } else if (choice.command == MenuCommand::HideOtherDeskWindows) {
        report.noteSettingsWrite(setHideOtherDeskWindows(!state_.hideOtherDeskWindows));
    } else if (choice.command == MenuCommand::StartWithWindows) {
        // Not taken, the item shows the value as it is the next time the menu opens.
        (void)toggleStartWithWindows(platform_);
    } else {
        return false;
    }
    return true;
}

}  // namespace koruvan
