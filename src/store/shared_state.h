#pragma once
// The program's shared state: one instance lives for the whole run and is shared by plain access between the
// bar and the dialogs. Tables are fixed-size and every index is checked before use (see deskAt).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "store/appearance.h"
#include "store/desk_index.h"
#include "store/item_record.h"
#include "store/program_desks.h"
#include "store/window_entry.h"

namespace koruvan {

struct Desk {
    std::string name;        // empty: the slot holds no desk
    std::string wallpaper;   // full path of the picture; empty for none
    std::string pattern;     // the desktop pattern, as the system stores it
    std::string background;  // the desktop colour, as the system stores it ("0 128 128")
    // Nothing when the desk line gives no number there.
    std::optional<WallpaperStyle> style;
    // Who the desk is (kept beside its line); 0 until it is first written.
    DeskId id = 0;

    // A desk exists exactly when it has a name.
    bool exists() const { return !name.empty(); }
    friend bool operator==(const Desk&, const Desk&) = default;
};

using DeskTable = std::array<Desk, kDeskCount>;

// For each desk, the id of the system's virtual desktop it is tied to; empty when it is tied to none.
using DeskTies = std::array<std::string, kDeskCount>;

// Whose name tip a colour is for, and which part of it. Colours are 0x00BBGGRR.
enum class TipKind : std::size_t { CurrentDesk = 0, OtherDesks = 1 };
enum class TipPart : std::size_t { Text = 0, Background = 1 };
using TipColorTable = std::array<std::array<std::int32_t, 2>, 2>;
constexpr TipColorTable kFirstRunTipColors{{{0, 255}, {16777215, 16711680}}};

inline std::int32_t& tipColor(TipColorTable& colors, TipKind kind, TipPart part) {
    return colors[static_cast<std::size_t>(kind)][static_cast<std::size_t>(part)];
}
inline std::int32_t tipColor(const TipColorTable& colors, TipKind kind, TipPart part) {
    return colors[static_cast<std::size_t>(kind)][static_cast<std::size_t>(part)];
}

// Where the bar sits, as stored; a value out of this range leaves the bar where it is.
enum class BarPosition : std::int16_t {
    TopLeft = 0,
    TopRight = 1,
    TopEdge = 2,  // anywhere along the top edge
    Free = 3,
    BottomRight = 4,
    BottomEdge = 5,  // anywhere along the bottom edge
};
constexpr int kBarPositionCount = 6;

struct SharedState {
    std::string programDir;     // ends in "\"
    std::string desktopFolder;  // ends in "\"
    std::string windowsDir;     // ends in "\"

    std::int16_t currentDesk = 0;
    // The wallpaper the desk dialog stored last: it starts browsing there for a desk without one.
    std::string lastChosenWallpaper;

    // Section [User] of the settings file.
    bool alwaysOnTop = false;  // the bar stays above other windows
    BarPosition barPosition = BarPosition::TopLeft;
    // As stored: 1 hides the bar behind the screen's edge, 0 lets it be placed at the edge, any other value
    // leaves it where it is.
    std::int16_t autoHide = 0;
    // 0, 1, 2: the preset button sizes; any other value a button width in pixels.
    std::int16_t buttonSizeSetting = 0;
    // The desks follow the system's virtual desktops.
    bool followSystemDesks = false;
    // [User] ShowDeskName: after each switch the new desk's name shows over the screen for a moment.
    bool showDeskName = false;

    TipColorTable tipColors{};
    DeskTable deskTable{};
    DeskTies deskTies{};  // section [SystemDesks]; kept while following is off
    WindowTable windowTable{};
    // Whose each Desktop file is, and whose item each pool file is a copy of (kept in KORUVAN.items).
    ItemRecord items;
    // [User] HideOtherDeskWindows: a switch hides the leaving desk's windows instead of minimising them.
    bool hideOtherDeskWindows = false;
    // [ProgramDesks]: the desk each ruled program's new windows open on.
    ProgramRules programRules;
    // The start could not reach the Desktop: the store is settled (a cut-off switch finished, files left
    // behind sent home) before a switch moves any item.
    bool storeUnsettled = false;
    // [User] KeepIconPositions, on when missing: each desk's items come back where they stood in the
    // Desktop's view when the desk was left.
    bool keepIconPositions = true;

    std::string settingsPath() const { return programDir + "KORUVAN.ini"; }
    std::string itemRecordPath() const { return programDir + "KORUVAN.items"; }
};

// Checked access to the desk table: nullptr for an index out of range.
inline Desk* deskAt(SharedState& state, int desk) {
    return isDeskIndex(desk) ? &state.deskTable[static_cast<std::size_t>(desk)] : nullptr;
}
inline const Desk* deskAt(const SharedState& state, int desk) {
    return isDeskIndex(desk) ? &state.deskTable[static_cast<std::size_t>(desk)] : nullptr;
}

// The slot a new desk goes into: the lowest of 0..8 without a name; 9 when those are all named, whether or
// not 9 is.
inline int firstFreeDeskSlot(const DeskTable& desks) {
    for (int desk = 0; desk <= 8; ++desk) {
        if (!desks[static_cast<std::size_t>(desk)].exists()) return desk;
    }
    return 9;
}

// "dsk" + index + "\" under the program directory.
inline std::string deskFolder(const SharedState& state, int desk) {
    return state.programDir + "dsk" + std::to_string(desk) + "\\";
}
// The item pool of the organiser.
inline std::string poolFolder(const SharedState& state) {
    return state.programDir + "DskTop\\";
}

}  // namespace koruvan
