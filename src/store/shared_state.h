#pragma once
// The program's shared state: one instance lives for the whole run and is shared by plain access between the
// bar and the dialogs. Tables are fixed-size and every index is checked before use (see deskAt).

#include <array>
#include <cstdint>
#include <string>

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

// BarColors[kind][part]: kind 0 the current desk's tip, 1 every other desk's; part 0 text, 1 background.
// Colours are 0x00BBGGRR.
using BarColorTable = std::array<std::array<std::int32_t, 2>, 2>;
constexpr BarColorTable kFirstRunBarColors{{{0, 255}, {16777215, 16711680}}};

struct SharedState {
    std::string programDir;     // ends in "\"
    std::string desktopFolder;  // ends in "\"
    std::string windowsDir;     // ends in "\"

    std::int16_t currentDesk = 0;
    std::int16_t targetDesk = 0;
    std::int16_t dialogCancelled = 0;

    // Section [User] of the settings file.
    std::int16_t Topwindow = 0;
    std::int16_t Position = 0;
    std::int16_t AutoHide = 0;
    std::int16_t SizeNum = 0;

    BarColorTable BarColors{};
    DeskTable deskTable{};
    WindowTable windowTable{};

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
inline int FirstFreeDeskSlot(const DeskTable& desks) {
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
