#pragma once
// Desks from the keyboard and the notification area: which desk a hotkey leads to, and what the tray icon and
// its menu show. Desks count in bar order, the named ones only, from 1.

#include <array>
#include <string>
#include <vector>

#include "store/shared_state.h"

namespace koruvan {

// Ctrl+Alt+1 .. Ctrl+Alt+9 and Ctrl+Alt+0 (hotkeys 0..9: the first .. tenth named desk), then Ctrl+Alt+Left
// and Ctrl+Alt+Right (10, 11: the named desk before and after the current one).
constexpr int kDeskHotkeyCount = 12;
constexpr int kPreviousDeskHotkey = 10;
constexpr int kNextDeskHotkey = 11;
// The same keys with Shift as well (12..23) move the active window to that desk; Ctrl+Alt+Shift+P (24) pins
// it to every desk or unpins it.
constexpr int kFirstMoveHotkey = kDeskHotkeyCount;
constexpr int kPinHotkey = 2 * kDeskHotkeyCount;
constexpr int kHotkeyCount = kPinHotkey + 1;
using HeldHotkeys = std::array<bool, kHotkeyCount>;

// The named desks in bar order.
std::vector<int> namedDesks(const DeskTable& desks);

// The desk a hotkey leads to, or -1 for none: a number past the last named desk, or a step past either end
// (the ends do not wrap round, as with the system's own desktops).
int deskForHotkey(const DeskTable& desks, int currentDesk, int hotkey);
// The same along the bar's order of its desks (see DeskFollower::viewOrder).
int deskForHotkey(const std::vector<int>& order, int currentDesk, int hotkey);

// "Ctrl+Alt+1" .. "Ctrl+Alt+0", "Ctrl+Alt+←", "Ctrl+Alt+→", the same with "Shift+" after "Alt+", and
// "Ctrl+Alt+Shift+P".
std::string hotkeyName(int hotkey);

// The current desk's number in bar order (1..10), 0 when it has no name.
int deskNumber(const DeskTable& desks, int desk);
int deskNumber(const std::vector<int>& order, int desk);

struct TrayDesk {
    int desk = 0;
    std::string text;  // the name, and after a tab the hotkey that leads there when the program holds it
    bool current = false;
    friend bool operator==(const TrayDesk&, const TrayDesk&) = default;
};
// The named desks in `order`; beside each the hotkey that leads there (the switch keys from `firstHotkey` 0,
// the move keys from kFirstMoveHotkey) when the program holds it.
std::vector<TrayDesk> trayMenuDesks(const DeskTable& desks, const std::vector<int>& order, int currentDesk,
                                    const HeldHotkeys& held, int firstHotkey = 0);
// The same in slot order.
std::vector<TrayDesk> trayMenuDesks(const DeskTable& desks, int currentDesk, const HeldHotkeys& held,
                                    int firstHotkey = 0);

}  // namespace koruvan
