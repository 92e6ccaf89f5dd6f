#pragma once
// The settings file KORUVAN.ini in the program's directory: the bar settings ([User]), the colours of the
// desk-name tip ([Color]), the desk table ([DeskTop], one comma-separated line per desk) and the desks' ties
// to the system's virtual desktops ([SystemDesks], see desk_ties.h).

#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

inline constexpr const char* kUserSection = "User";
inline constexpr const char* kColorSection = "Color";
inline constexpr const char* kDeskTopSection = "DeskTop";
inline constexpr const char* kLastUseKey = "LastUse";
inline constexpr const char* kSizeNumKey = "SizeNum";
inline constexpr const char* kTopwindowKey = "Topwindow";
inline constexpr const char* kPositionKey = "Position";
inline constexpr const char* kAutoHideKey = "AutoHide";
inline constexpr const char* kFollowSystemDesksKey = "FollowSystemDesks";

// Fills the shared state from the settings file. Without a file (first run) makes the desk store, copies the
// Desktop's files into the item pool and into desk 0, captures the current appearance as desk 0 and writes a
// complete file. Always leaves currentDesk on a named desk.
void loadSettings(Platform& platform, SharedState& state);

// Writes [User] and [Color]; false when some key could not be written.
bool saveSettings(Platform& platform, const SharedState& state);
// Writes all ten desk lines; false when some line could not be written.
bool saveDeskTable(Platform& platform, const SharedState& state);
// Writes one desk's line (an index out of range writes nothing).
bool writeDeskLine(Platform& platform, const SharedState& state, int desk);
// Writes one [User] key as plain decimal (LastUse at a switch, SizeNum at a size change).
bool writeUserValue(Platform& platform, const SharedState& state, const std::string& key, int value);

// Splits a desk line into the desk's fields: a field present in the line replaces the desk's, a field missing
// keeps its value, fields past the fifth are ignored. An empty line or ",,," empties the whole desk. Control
// characters become blanks and surrounding blanks are removed, of the line and of each field.
void readDeskLine(const std::string& line, Desk& desk);
// The five fields joined by commas; empty for a desk without a name.
std::string formatDeskLine(const Desk& desk);
// The wallpaper, pattern, colour and style on screen now become the desk's.
void takeScreenAppearance(Platform& platform, Desk& desk);

// A value read from the system for a desk field, without surrounding blanks. The desk line has no quoting:
// a value holding a comma would split on the next load, so the field keeps `kept` instead.
std::string deskFieldValue(const std::string& read, const std::string& kept);

}  // namespace koruvan
