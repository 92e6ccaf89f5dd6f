// Windows between desks: a window moved to another desk or pinned to every desk, and the option that hides
// the other desks' windows instead of minimising them.
#include <algorithm>

#include "bar/desk_bar.h"
#include "store/start_with_windows.h"
#include "store/window_table.h"

namespace koruvan {

// An application window of another program that lets this one move it.
std::optional<WindowEntry> DeskBar::movableWindow(WindowHandle window) {
    if (window == 0) return std::nullopt;
    std::optional<WindowEntry> entry = deskWindowEntry(platform_, window);
    if (!entry || platform_.windowRefusesControl(window)) return std::nullopt;
    return entry;
}

void DeskBar::moveWindow(WindowHandle window, int desk) {
    const Desk* target = deskAt(state_, desk);
    if (switching() || desk == state_.currentDesk || !target || !target->exists()) return;
    std::optional<WindowEntry> entry = movableWindow(window);
    DeskWindows& entries = state_.windowTable[static_cast<std::size_t>(desk)];
    // A full desk takes no more: the window stays where it is rather than be lost off the screen.
    if (!entry || deskWindowCount(entries) >= static_cast<std::size_t>(kMaxCapturedWindows)) return;
    for (DeskWindows& other : state_.windowTable)
        removeDeskWindow(other, window);
    addDeskWindow(entries, std::move(*entry));
    std::erase_if(pinned_, [&](const PinnedWindow& pin) { return pin.window == window; });
    takeOffScreen(desk, {window}, false, nullptr);
}

void DeskBar::togglePin(WindowHandle window) {
    if (switching()) return;
    if (isPinned(window)) {
        std::erase_if(pinned_, [&](const PinnedWindow& pin) { return pin.window == window; });
        return;
    }
    if (!movableWindow(window)) return;
    pinned_.push_back({window, platform_.windowProcessId(window)});
    // Another desk's list would otherwise bring it back to the state it had there.
    for (DeskWindows& entries : state_.windowTable)
        removeDeskWindow(entries, window);
}

bool DeskBar::isPinned(WindowHandle window) {
    forgetGonePins();
    return std::any_of(pinned_.begin(), pinned_.end(),
                       [&](const PinnedWindow& pin) { return pin.window == window; });
}

// A pin goes with its window: once the window is closed its handle may name another program's window.
void DeskBar::forgetGonePins() {
    std::erase_if(pinned_, [&](const PinnedWindow& pin) {
        return platform_.windowProcessId(pin.window) != pin.processId;
    });
}

// Takes the pinned windows out of a capture; gives the number of entries left.
int DeskBar::dropPinned(DeskWindows& entries) {
    for (const PinnedWindow& pin : pinned_)
        removeDeskWindow(entries, pin.window);
    return static_cast<int>(deskWindowCount(entries));
}

// Hidden only once the record names them, so that no end of the program leaves them hidden; minimised when
// the option is off or the record cannot be written.
void DeskBar::takeOffScreen(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk,
                            StepLog* log) {
    const bool hide = state_.hideOtherDeskWindows && recordHidden(desk, windows, replacesDesk);
    if (log && state_.hideOtherDeskWindows) log->mark("hidden");
    for (WindowHandle window : windows) {
        if (hide) {
            platform_.hideWindow(window);
        } else {
            platform_.minimizeWindow(window);
        }
    }
}

// The record with `windows` as the desk's; `replacesDesk`: they are all the desk's windows, and what the
// record held of the desk (shown when it was entered) goes.
bool DeskBar::recordHidden(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk) {
    HiddenWindows next;
    for (const HiddenWindow& hidden : hidden_) {
        const bool replaced = (replacesDesk && hidden.desk == desk) ||
                              std::find(windows.begin(), windows.end(), hidden.window) != windows.end();
        if (!replaced) next.push_back(hidden);
    }
    for (WindowHandle window : windows) {
        if (const std::uint32_t process = platform_.windowProcessId(window))
            next.push_back({window, process, desk});
    }
    if (next == hidden_) return true;
    if (!writeHiddenWindows(platform_, state_, next)) return false;
    hidden_ = std::move(next);
    return true;
}

// A deleted desk is never entered again: the windows hidden on it come back, minimised.
void DeskBar::releaseDeskWindows(int desk) {
    HiddenWindows released;
    HiddenWindows kept;
    for (const HiddenWindow& hidden : hidden_)
        (hidden.desk == desk ? released : kept).push_back(hidden);
    if (released.empty()) return;
    showWindowsAgain(platform_, released);
    if (writeHiddenWindows(platform_, state_, kept)) hidden_ = std::move(kept);
}

void DeskBar::setHideOtherDeskWindows(bool on) {
    state_.hideOtherDeskWindows = on;
    writeHideOtherDeskWindows(platform_, state_, on);
    if (!on) showHiddenAgain();
}

void DeskBar::showHiddenAgain() {
    showHiddenWindows(platform_, state_);
    hidden_.clear();
}

void DeskBar::onSessionEnding() {
    showHiddenAgain();
}

void DeskBar::closeProgram() {
    showHiddenAgain();
    view_.close();
}

void DeskBar::noteActiveWindow() {
    const WindowHandle active = platform_.foregroundWindow();
    if (active != lastActiveWindow_ && deskWindowEntry(platform_, active)) lastActiveWindow_ = active;
}

void DeskBar::onWindowHotkey(int hotkey) {
    const WindowHandle active = platform_.foregroundWindow();
    if (hotkey == kPinHotkey) {
        togglePin(active);
    } else {
        moveWindow(active, deskForHotkey(deskOrder(), state_.currentDesk, hotkey - kFirstMoveHotkey));
    }
}

// The window commands act on the window that was active before the menu opened: the click on the
// notification area made the shell's window the active one.
TrayWindowItems DeskBar::trayWindowItems() {
    noteActiveWindow();
    trayWindow_ = movableWindow(lastActiveWindow_) ? lastActiveWindow_ : 0;
    TrayWindowItems items;
    items.windowChosen = trayWindow_ != 0;
    items.moveDesks =
        trayMenuDesks(state_.deskTable, deskOrder(), state_.currentDesk, hotkeysHeld_, kFirstMoveHotkey);
    items.pinned = items.windowChosen && isPinned(trayWindow_);
    if (hotkeysHeld_[static_cast<std::size_t>(kPinHotkey)]) items.pinKey = hotkeyName(kPinHotkey);
    items.hideOtherDeskWindows = state_.hideOtherDeskWindows;
    items.startWithWindows = readRunValue(platform_) == RunValue::ThisCopy;
    return items;
}

bool DeskBar::onTrayWindowCommand(const TrayChoice& choice) {
    if (choice.moveToDesk >= 0) {
        moveWindow(trayWindow_, choice.moveToDesk);
    } else if (choice.command == MenuCommand::PinWindow) {
        togglePin(trayWindow_);
    } else if (choice.command == MenuCommand::HideOtherDeskWindows) {
        setHideOtherDeskWindows(!state_.hideOtherDeskWindows);
    } else if (choice.command == MenuCommand::StartWithWindows) {
        toggleStartWithWindows(platform_);
    } else {
        return false;
    }
    resumeWatching();
    return true;
}

}  // namespace koruvan
