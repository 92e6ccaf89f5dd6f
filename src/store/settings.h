#pragma once
// The settings file KORUVAN.ini in the program's directory, read and written here alone: the bar settings and
// options ([User]), the colours of the desk-name tip ([Color]), the desk table ([DeskTop], one
// comma-separated line per desk), the desks' identities ([DeskIds], "3=17", empty for a slot without a desk),
// the programs' desks ([ProgramDesks], "notepad.exe=17") and the desks' ties to the system's virtual desktops
// ([SystemDesks], "3={GUID}", empty when a desk is tied to none; they lie beside the desk lines they belong
// to, so a settings file deleted for a fresh start takes them along). Every write gives what became of it.

#include <optional>
#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

inline constexpr const char* kUserSection = "User";
inline constexpr const char* kColorSection = "Color";
inline constexpr const char* kDeskTopSection = "DeskTop";
inline constexpr const char* kSystemDesksSection = "SystemDesks";
inline constexpr const char* kDeskIdsSection = "DeskIds";
inline constexpr const char* kProgramDesksSection = "ProgramDesks";
inline constexpr const char* kLastUseKey = "LastUse";
inline constexpr const char* kSizeNumKey = "SizeNum";
inline constexpr const char* kTopwindowKey = "Topwindow";
inline constexpr const char* kPositionKey = "Position";
inline constexpr const char* kAutoHideKey = "AutoHide";
inline constexpr const char* kFollowSystemDesksKey = "FollowSystemDesks";
inline constexpr const char* kHideOtherDeskWindowsKey = "HideOtherDeskWindows";
inline constexpr const char* kShowDeskNameKey = "ShowDeskName";
inline constexpr const char* kKeepIconPositionsKey = "KeepIconPositions";
// The name of the desk a first run makes.
inline constexpr const char* kFirstDeskName = "デスクトップ";

// Fills the shared state from the settings file, in one read: [User] (a value that does not fit its 16-bit
// setting leaves it as it was), the desk lines, the colours and the ties (a tie that is no desktop id, that
// belongs to a desk without a name, or whose desktop a lower desk is tied to already, is dropped). Leaves
// currentDesk on a named desk. Gives every named desk an identity (SharedState::items, read before, holds the
// ones the record saw), writing those that were missing, and turns a record of the earlier version from slots
// to identities. False, changing nothing, when there is no file: a first run.
bool loadSettings(Platform& platform, SharedState& state);
// What a first run starts with: the bar at the top left, hidden and above other windows, the middle button
// size and the first colours.
void takeFirstRunSettings(SharedState& state);

// Writes [User] and [Color] in one write of the file.
[[nodiscard]] FileResult saveSettings(FileSystem& files, const SharedState& state);
// Writes all ten desk lines and identities in one write of the file; a named desk without an identity gets
// one first.
[[nodiscard]] FileResult saveDeskTable(FileSystem& files, SharedState& state);
// Writes one desk's line and identity, as saveDeskTable does (an index out of range writes nothing and
// fails).
[[nodiscard]] FileResult writeDeskLine(FileSystem& files, SharedState& state, int desk);
// Writes one desk's tie (an index out of range writes nothing and fails).
[[nodiscard]] FileResult writeDeskTie(FileSystem& files, const SharedState& state, int desk);
// Writes one [User] key as plain decimal (LastUse at a switch, SizeNum at a size change, the options).
[[nodiscard]] FileResult writeUserValue(FileSystem& files, const SharedState& state, const std::string& key,
                                        int value);
// Writes a program's rule as it is now ([ProgramDesks], "notepad.exe=17"), or removes its line when it has
// none.
[[nodiscard]] FileResult writeProgramRule(FileSystem& files, const SharedState& state,
                                          const std::string& program);
// LastUse as the file holds it now; nullopt when the file cannot be read or has none.
std::optional<int> readLastUse(FileSystem& files, const SharedState& state);

// Splits a desk line into the desk's fields: a field present in the line replaces the desk's, a field missing
// keeps its value, fields past the fifth are ignored. An empty line or ",,," empties the whole desk. Control
// characters become blanks and surrounding blanks are removed, of the line and of each field.
void readDeskLine(const std::string& line, Desk& desk);
// The five fields joined by commas; empty for a desk without a name.
std::string formatDeskLine(const Desk& desk);

}  // namespace koruvan
