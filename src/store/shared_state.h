#pragma once
// The program's shared state: one instance lives for the whole run and is shared by plain access between the
// bar and the dialogs. Tables are fixed-size and every index is checked before use (see deskAt).

#include <array>
#include <cstdint>
#include <string>

#include "store/item_record.h"
#include "store/window_entry.h"

namespace koruvan {

constexpr int kDeskCount = 10;

// Field order of a desk line in the settings file.
enum class DeskField : int { Name = 0, Wallpaper = 1, Pattern = 2, Background = 3, Style = 4 };
constexpr int kDeskFieldCount = 5;

struct Desk {
    std::array<std::string, kDeskFieldCount> fields;

    std::string& operator[](DeskField f) { return fields[static_cast<std::size_t>(f)]; }
    const std::string& operator[](DeskField f) const { return fields[static_cast<std::size_t>(f)]; }
    const std::string& name() const { return (*this)[DeskField::Name]; }
    const std::string& wallpaper() const { return (*this)[DeskField::Wallpaper]; }
    // A desk exists exactly when it has a name.
    bool exists() const { return !name().empty(); }
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

    // Section [User] of the settings file, as stored: any 16-bit value.
    std::int16_t alwaysOnTop = 0;  // any value but 0 keeps the bar above other windows
    BarPosition barPosition = BarPosition::TopLeft;
    std::int16_t autoHide = 0;  // 1 hides the bar behind the screen's edge
    // 0, 1, 2: the preset button sizes; any other value a button width in pixels.
    std::int16_t buttonSizeSetting = 0;
    // 1: the desks follow the system's virtual desktops.
    std::int16_t followSystemDesks = 0;

    TipColorTable tipColors{};
    DeskTable deskTable{};
    DeskTies deskTies{};  // section [SystemDesks]; kept while following is off
    WindowTable windowTable{};
    // Whose each Desktop file is, and whose item each pool file is a copy of (kept in KORUVAN.items).
    ItemRecord items;
    // [User] HideOtherDeskWindows: a switch hides the leaving desk's windows instead of minimising them.
    bool hideOtherDeskWindows = false;

    std::string settingsPath() const { return programDir + "KORUVAN.ini"; }
};

inline bool isDeskIndex(int desk) {
    return desk >= 0 && desk < kDeskCount;
}

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
