#pragma once
// A desk's record of the desktop's appearance: its wallpaper, pattern, colour and style, taken from the
// screen.

#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// The wallpaper, pattern, colour and style on screen now become the desk's.
void takeScreenAppearance(Platform& platform, Desk& desk);

// Wallpaper, pattern and colour changed from outside belong to the desk on screen: true when the desk took a
// change.
bool takeOutsideAppearance(Platform& platform, Desk& desk);

// A value read from the system for a desk field, without surrounding blanks. The desk line has no quoting:
// a value holding a comma would split on the next load, so the field keeps `kept` instead.
std::string deskFieldValue(const std::string& read, const std::string& kept);

}  // namespace koruvan
