#include "bar/win32/desk_hotkeys.h"

namespace koruvan::win32 {
namespace {

// Hotkey identifiers of an application lie in 0x0000..0xBFFF.
constexpr int kFirstHotkeyId = 0x4B00;
constexpr UINT kKeys[kDeskHotkeyCount] = {'1', '2', '3', '4', '5',     '6',
                                          '7', '8', '9', '0', VK_LEFT, VK_RIGHT};

}  // namespace

DeskHotkeys::DeskHotkeys(HWND window) : window_(window) {
    for (int k = 0; k < kHotkeyCount; ++k) {
        // The move keys are the switch keys with Shift; the pin key is Ctrl+Alt+Shift+P.
        const UINT key = k == kPinHotkey ? 'P' : kKeys[k % kDeskHotkeyCount];
        const UINT shift = k >= kFirstMoveHotkey ? MOD_SHIFT : 0;
        held_[static_cast<std::size_t>(k)] =
            RegisterHotKey(window_, kFirstHotkeyId + k, MOD_CONTROL | MOD_ALT | shift | MOD_NOREPEAT, key) !=
            FALSE;
    }
}

DeskHotkeys::~DeskHotkeys() {
    for (int k = 0; k < kHotkeyCount; ++k) {
        if (held_[static_cast<std::size_t>(k)]) UnregisterHotKey(window_, kFirstHotkeyId + k);
    }
}

int DeskHotkeys::hotkeyOf(WPARAM id) {
    const auto k = static_cast<long long>(id) - kFirstHotkeyId;
    return k >= 0 && k < kHotkeyCount ? static_cast<int>(k) : -1;
}

}  // namespace koruvan::win32
