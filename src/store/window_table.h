#pragma once
// The listing of every window of the system as one text line per window, and the capture of the current
// desk's application windows from that listing into the window table.
//
// A window line: depth marks ("+" per level), the handle, ":[" owner "]", "*Show*" or "-Hide-", the title and
// a blank, "<" class "> ", then "(left,top-right,bottom)". Handles are upper-case hexadecimal with at least
// four digits, e.g. "+0A1C:[0000]*Show*Notes <Notepad> (10,20-500,400)". The first line is the desktop's:
// "10010:DeskTop".

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/shared_state.h"
#include "store/window_entry.h"

namespace koruvan {

// Filters of the listing. Both are always on: only visible windows, and only windows without a parent.
constexpr bool kListVisibleOnly = true;
constexpr bool kListTopLevelOnly = true;

// The desktop line followed by one line per window that passes the filters, in the system's front-to-back
// order. Only the desktop's own windows are asked: a window inside another has a parent and never passes.
std::vector<std::string> listWindows(Platform& platform);

// Adds the window's line when it passes the filters; true when a line was added.
bool describeWindow(const TopLevelWindow& window, int depth, std::vector<std::string>& lines);

// Reads a window line back. Depth marks are dropped; a line of another shape gives the fields that could be
// read and zeros or empty text for the rest. `Zoomed` is asked of the platform for a shown window.
WindowEntry parseWindowLine(Platform& platform, const std::string& line);

// Keeps the visible top-level application windows of the listing as the current desk's entries 0..n-1, ends
// them with an entry of empty `ClassName` and returns n. At most the first 100 are kept. Entries after the
// terminator keep what earlier captures left. A current desk out of range writes nothing and gives 0.
int captureWindows(Platform& platform, SharedState& state, const std::vector<std::string>& lines);

// The entry a desk keeps of one window, as the capture makes it; nothing when the capture would not keep it
// (a window of this program or of the shell, a hidden one, one inside another).
std::optional<WindowEntry> deskWindowEntry(Platform& platform, WindowHandle window);
// The entries before the terminator.
std::size_t deskWindowCount(const DeskWindows& entries);
// Takes the window's entries out of a desk's list, keeping the order of the others.
void removeDeskWindow(DeskWindows& entries, WindowHandle window);
// Adds an entry at the end of a desk's list; false when the list is full.
bool addDeskWindow(DeskWindows& entries, WindowEntry entry);

}  // namespace koruvan
