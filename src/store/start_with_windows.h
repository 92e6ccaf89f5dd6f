#pragma once
// Starting with Windows: the value KORUVAN under the user's Run key, holding the program's full path in
// quotes.

#include <optional>
#include <string>

#include "platform/platform.h"

namespace koruvan {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "KORUVAN";

enum class RunValue { Absent, ThisCopy, OtherCopy };

// What the value says of this copy: names it (quoted or not, in any case of letters), names another, or is
// missing or empty.
RunValue runValueOf(const std::optional<std::string>& value, const std::string& programFile);
RunValue readRunValue(Platform& platform);
// Ticked (this copy's value): removes it; otherwise writes this copy's, in place of another copy's. True when
// the registry took the change.
bool toggleStartWithWindows(Platform& platform);

}  // namespace koruvan
