#pragma once
// The record of the windows a switch hid (with the option that hides the other desks' windows instead of
// minimising them): a small file beside the settings file, written whole and atomically before any window is
// hidden, so that however the program ends, it or its next start shows every one of them again. It names the
// logon it was made in: after a reboot or another logon its handles may name other programs' windows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

struct HiddenWindow {
    WindowHandle window = 0;
    std::uint32_t processId = 0;  // a handle is only ours while the same process owns it
    int desk = 0;
    friend bool operator==(const HiddenWindow&, const HiddenWindow&) = default;
};
using HiddenWindows = std::vector<HiddenWindow>;

struct HiddenRecord {
    std::optional<std::string> logon;  // nothing in a record of an earlier version
    HiddenWindows windows;
};

std::string hiddenWindowsPath(const SharedState& state);
// A first line "logon " and the logon's identity (Session::logonIdentity), then one line a window: handle
// (hexadecimal), process id, desk. A line that does not parse is skipped.
std::string formatHiddenWindows(const std::string& logon, const HiddenWindows& windows);
HiddenRecord parseHiddenWindows(std::string_view text);
// Replaces the record; an empty list removes it.
[[nodiscard]] FileResult writeHiddenWindows(Platform& platform, const SharedState& state,
                                            const HiddenWindows& windows);

// Shows each window minimised, unless it is gone, its handle now belongs to another process, or it is already
// shown. Gives the number shown.
int showWindowsAgain(Platform& platform, const HiddenWindows& windows);
// The recorded windows shown again, as above, when the record is of this logon; then the record removed.
// Nothing when the record is there but cannot be read now: it stays for another try.
std::optional<int> showHiddenWindows(Platform& platform, const SharedState& state);

}  // namespace koruvan
