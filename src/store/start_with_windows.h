#pragma once
// Starting with Windows: the value KORUVAN under the user's Run key, holding the program's full path in
// quotes, unless the user turned it off in Task Manager's Startup tab (the shell keeps that beside it, under
// StartupApproved).

#include <optional>
#include <string>

#include "platform/platform.h"

namespace koruvan {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "KORUVAN";
inline constexpr const char* kStartupApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// ThisCopyDisabled: this copy's value, which Task Manager's Startup tab has turned off.
enum class RunValue { Absent, ThisCopy, OtherCopy, ThisCopyDisabled };

// What the value says of this copy: names it (quoted or not, in any case of letters), names another, or is
// missing or empty.
RunValue runValueOf(const std::optional<std::string>& value, const std::string& programFile);
RunValue readRunValue(Platform& platform);
// Ticked (this copy's value, turned on): removes it; otherwise writes this copy's, in place of another
// copy's, and turns it on again where the Startup tab had turned it off. True when the registry took the
// change.
[[nodiscard]] bool toggleStartWithWindows(Platform& platform);

}  // namespace koruvan
