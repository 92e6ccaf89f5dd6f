#pragma once
// The capture of the current desk's application windows from the system's list of top-level windows, and
// the lists that a move or a pin changes.

#include <optional>
#include <vector>

#include "platform/window_system.h"
#include "store/shared_state.h"
#include "store/window_entry.h"

namespace koruvan {

// The entry a desk keeps of a listed window; nothing when the window is none of a desk's: hidden, cloaked (of
// another of the system's virtual desktops, or kept out of sight by the shell), a tool window, inside or
// owned by another, the shell's own, a system class ("#32770" and the like), this program's, without an area,
// or off `screen` (every monitor together; an empty one bounds nothing). Control characters of its title and
// class become blanks.
std::optional<WindowEntry> capturedEntry(const TopLevelWindow& window, const ScreenRect& screen);

// The application windows of a listing, front to back: the first kMaxCapturedWindows that are a desk's and
// not minimised (a minimised window is parked off the desk's area and belongs to no desk).
DeskWindows captureDeskWindows(const std::vector<TopLevelWindow>& windows, const ScreenRect& screen);

// The windows on the screen now become the current desk's; gives how many. A current desk out of range
// keeps nothing and gives 0.
std::size_t captureWindows(WindowSystem& windows, SharedState& state);

// The entry a desk keeps of one window, as the capture makes it; nothing when the capture would not keep it
// (the rule of the hide option, the move and pin keys and the tray's window group too).
std::optional<WindowEntry> deskWindowEntry(WindowSystem& windows, WindowHandle window);
// Takes the window's entries out of a desk's list, keeping the order of the others.
void removeDeskWindow(DeskWindows& entries, WindowHandle window);

}  // namespace koruvan
