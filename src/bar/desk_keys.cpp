#include "bar/desk_keys.h"

#include <algorithm>

namespace koruvan {

std::vector<int> namedDesks(const DeskTable& desks) {
    std::vector<int> named;
    for (int d = 0; d < kDeskCount; ++d) {
        if (desks[static_cast<std::size_t>(d)].exists()) named.push_back(d);
    }
    return named;
}

int deskForHotkey(const DeskTable& desks, int currentDesk, int hotkey) {
    return deskForHotkey(namedDesks(desks), currentDesk, hotkey);
}

int deskForHotkey(const std::vector<int>& named, int currentDesk, int hotkey) {
    if (hotkey >= 0 && hotkey < kPreviousDeskHotkey) {
        return hotkey < static_cast<int>(named.size()) ? named[static_cast<std::size_t>(hotkey)] : -1;
    }
    const auto current = std::find(named.begin(), named.end(), currentDesk);
    if (current == named.end()) return -1;
    if (hotkey == kPreviousDeskHotkey) return current == named.begin() ? -1 : *(current - 1);
    if (hotkey == kNextDeskHotkey) return current + 1 == named.end() ? -1 : *(current + 1);
    return -1;
}

std::string hotkeyName(int hotkey) {
    if (hotkey == kPinHotkey) return "Ctrl+Alt+Shift+P";
    const bool move = hotkey >= kFirstMoveHotkey && hotkey < kPinHotkey;
    const std::string keys = move ? "Ctrl+Alt+Shift+" : "Ctrl+Alt+";
    if (move) hotkey -= kFirstMoveHotkey;
    if (hotkey >= 0 && hotkey < kPreviousDeskHotkey) return keys + std::to_string((hotkey + 1) % 10);
    if (hotkey == kPreviousDeskHotkey) return keys + "←";
    if (hotkey == kNextDeskHotkey) return keys + "→";
    return {};
}

int deskNumber(const DeskTable& desks, int desk) {
    return deskNumber(namedDesks(desks), desk);
}

int deskNumber(const std::vector<int>& named, int desk) {
    const auto found = std::find(named.begin(), named.end(), desk);
    return found == named.end() ? 0 : static_cast<int>(found - named.begin()) + 1;
}

std::vector<TrayDesk> trayMenuDesks(const DeskTable& desks, int currentDesk, const HeldHotkeys& held,
                                    int firstHotkey) {
    return trayMenuDesks(desks, namedDesks(desks), currentDesk, held, firstHotkey);
}

std::vector<TrayDesk> trayMenuDesks(const DeskTable& desks, const std::vector<int>& order, int currentDesk,
                                    const HeldHotkeys& held, int firstHotkey) {
    std::vector<TrayDesk> entries;
    for (int desk : order) {
        const int hotkey = firstHotkey + static_cast<int>(entries.size());
        std::string text = desks[static_cast<std::size_t>(desk)].name;
        if (held[static_cast<std::size_t>(hotkey)]) {
            text += '\t';
            text += hotkeyName(hotkey);
        }
        entries.push_back({desk, std::move(text), desk == currentDesk});
    }
    return entries;
}

}  // namespace koruvan
