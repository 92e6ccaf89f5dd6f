#pragma once
// The desk hotkeys, Ctrl+Alt+1 .. Ctrl+Alt+0, Ctrl+Alt+Left and Ctrl+Alt+Right, the same with Shift (move the
// active window) and Ctrl+Alt+Shift+P (pin it), held by the bar's window for the life of this object. A
// combination that another program holds is skipped.

#include <windows.h>

#include "bar/desk_keys.h"

namespace koruvan::win32 {

class DeskHotkeys {
  public:
    explicit DeskHotkeys(HWND window);
    ~DeskHotkeys();
    DeskHotkeys(const DeskHotkeys&) = delete;
    DeskHotkeys& operator=(const DeskHotkeys&) = delete;

    const HeldHotkeys& held() const { return held_; }
    // The hotkey (0 .. kHotkeyCount - 1) of a WM_HOTKEY identifier, or -1 for another.
    static int hotkeyOf(WPARAM id);

  private:
    HWND window_;
    HeldHotkeys held_{};
};

}  // namespace koruvan::win32
