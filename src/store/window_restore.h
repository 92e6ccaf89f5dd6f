#pragma once
// What entering a desk does with the windows it kept: which come back, the order they then stand in, and
// which of them gets the focus.

#include <functional>
#include <vector>

#include "platform/window_system.h"
#include "store/window_entry.h"

namespace koruvan {

// A kept window as it is now.
struct WindowNow {
    bool gone = false;     // closed since: its handle names no window, or another program's
    bool cloaked = false;  // the user moved it to another of the system's virtual desktops
};

struct RestorePlan {
    std::vector<WindowEntry> show;    // shown again, back to front, normal or maximised as they were
    std::vector<WindowHandle> stack;  // then stacked in this order, front to back
    WindowHandle focus = 0;           // then given the focus; 0 for none
};

// The desk's windows come back in the order they had, front to back; the one that had the focus when the desk
// was left (`focused`, 0 for none known) gets it back, else the front-most. A window gone or cloaked is left
// out and never blocks the others.
RestorePlan planRestore(const DeskWindows& entries, WindowHandle focused,
                        const std::function<WindowNow(const WindowEntry&)>& now);

}  // namespace koruvan
