#include "store/settings.h"

#include <cstdint>
#include <limits>

#include "core/text.h"
#include "store/appearance.h"
#include "store/desk_folders.h"
#include "store/profile_file.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

constexpr const char* kDesktopDeskName = "デスクトップ";

struct ColorKey {
    const char* key;
    int kind;
    int part;
    std::int32_t fallback;
};
constexpr ColorKey kColorKeys[] = {
    {"NowDeskForeColor", 0, 0, 0},
    {"NowDeskBackColor", 0, 1, 255},
    {"OtherDeskForeColor", 1, 0, 16777215},
    {"OtherDeskBackColor", 1, 1, 16711680},
};

ProfileFile SettingsFile(Platform& platform, const SharedState& state) {
    return ProfileFile(platform, state.settingsPath());
}

std::int32_t& ColorCell(BarColorTable& colors, const ColorKey& cell) {
    return colors[static_cast<std::size_t>(cell.kind)][static_cast<std::size_t>(cell.part)];
}
std::int32_t ColorCell(const BarColorTable& colors, const ColorKey& cell) {
    return colors[static_cast<std::size_t>(cell.kind)][static_cast<std::size_t>(cell.part)];
}

// A value that does not fit the 16-bit setting leaves it as it was.
void ReadUserValue(const ProfileFile& file, const char* key, std::int16_t& setting) {
    const std::int32_t value = file.readInt(kUserSection, key, 0);
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        setting = static_cast<std::int16_t>(value);
    }
}

// Colours read back as numbers whether or not the blank is there; it stands where a plus sign would.
std::string ColorText(std::int32_t color) {
    std::string text = color >= 0 ? " " : "";
    text += std::to_string(color);
    return text;
}

std::string Cleaned(std::string text) {
    BlankNonPrinting(text);
    return RemoveBlanks(text);
}

void CaptureDesktopAsDesk0(Platform& platform, SharedState& state) {
    Desk& desk = state.deskTable[0];
    desk[DeskField::Name] = kDesktopDeskName;
    desk[DeskField::Wallpaper] = ReadWallpaper(platform);
    desk[DeskField::Pattern] = ReadPattern(platform);
    desk[DeskField::Background] = ReadBackgroundColor(platform);
    desk[DeskField::Style] = ReadWallpaperStyle(platform);
}

void FirstRun(Platform& platform, SharedState& state) {
    for (int desk = 0; desk < kDeskCount; ++desk)
        platform.makeFolder(deskFolder(state, desk));
    platform.makeFolder(poolFolder(state));
    CopyFolderFiles(platform, state.desktopFolder, poolFolder(state), true);
    CopyFolderFiles(platform, state.desktopFolder, deskFolder(state, 0), true);

    state.deskTable = {};
    CaptureDesktopAsDesk0(platform, state);
    state.Topwindow = 1;
    state.Position = 0;
    state.currentDesk = 0;
    state.AutoHide = 1;
    state.SizeNum = 1;
    state.BarColors = kFirstRunBarColors;
    SaveSettings(platform, state);
    SaveDeskTable(platform, state);
}

int LowestNamedDesk(const SharedState& state) {
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (state.deskTable[static_cast<std::size_t>(desk)].exists()) return desk;
    }
    return -1;
}

// The bar relies on the current desk existing. A file edited by hand, or one whose desk lines were lost,
// could break that: resume at the lowest named desk, or give the file back its first desk.
void ResumeOnNamedDesk(Platform& platform, SharedState& state) {
    const Desk* current = deskAt(state, state.currentDesk);
    if (current && current->exists()) return;
    const int lowest = LowestNamedDesk(state);
    if (lowest >= 0) {
        state.currentDesk = static_cast<std::int16_t>(lowest);
        return;
    }
    CaptureDesktopAsDesk0(platform, state);
    state.currentDesk = 0;
    SaveDeskTable(platform, state);
}

}  // namespace

void LoadSettings(Platform& platform, SharedState& state) {
    if (!platform.plainFileExists(state.settingsPath())) {
        FirstRun(platform, state);
        return;
    }
    const ProfileFile file = SettingsFile(platform, state);
    ReadUserValue(file, kLastUseKey, state.currentDesk);
    ReadUserValue(file, "Topwindow", state.Topwindow);
    ReadUserValue(file, "Position", state.Position);
    ReadUserValue(file, "AutoHide", state.AutoHide);
    ReadUserValue(file, kSizeNumKey, state.SizeNum);
    for (int desk = 0; desk < kDeskCount; ++desk) {
        ReadDeskLine(file.readString(kDeskTopSection, std::to_string(desk), ""),
                     state.deskTable[static_cast<std::size_t>(desk)]);
    }
    for (const ColorKey& cell : kColorKeys) {
        ColorCell(state.BarColors, cell) = file.readInt(kColorSection, cell.key, cell.fallback);
    }
    ResumeOnNamedDesk(platform, state);
}

bool SaveSettings(Platform& platform, const SharedState& state) {
    ProfileFile file = SettingsFile(platform, state);
    bool written = file.writeString(kUserSection, kLastUseKey, std::to_string(state.currentDesk));
    written &= file.writeString(kUserSection, "Topwindow", std::to_string(state.Topwindow));
    written &= file.writeString(kUserSection, "Position", std::to_string(state.Position));
    written &= file.writeString(kUserSection, "AutoHide", std::to_string(state.AutoHide));
    written &= file.writeString(kUserSection, kSizeNumKey, std::to_string(state.SizeNum));
    for (const ColorKey& cell : kColorKeys) {
        written &= file.writeString(kColorSection, cell.key, ColorText(ColorCell(state.BarColors, cell)));
    }
    return written;
}

bool SaveDeskTable(Platform& platform, const SharedState& state) {
    bool written = true;
    for (int desk = 0; desk < kDeskCount; ++desk)
        written &= WriteDeskLine(platform, state, desk);
    return written;
}

bool WriteDeskLine(Platform& platform, const SharedState& state, int desk) {
    const Desk* entry = deskAt(state, desk);
    if (!entry) return false;
    return SettingsFile(platform, state)
        .writeString(kDeskTopSection, std::to_string(desk), FormatDeskLine(*entry));
}

bool WriteUserValue(Platform& platform, const SharedState& state, const std::string& key, int value) {
    return SettingsFile(platform, state).writeString(kUserSection, key, std::to_string(value));
}

void ReadDeskLine(const std::string& line, Desk& desk) {
    std::string rest = Cleaned(line);
    if (rest.empty() || rest == ",,,") {
        desk.fields = {};
        return;
    }
    rest += ',';
    std::size_t start = 0;
    for (std::string& field : desk.fields) {
        const std::size_t comma = rest.find(',', start);
        if (comma == std::string::npos) break;
        field = Cleaned(rest.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string FormatDeskLine(const Desk& desk) {
    if (!desk.exists()) return {};
    std::string line = desk.fields[0];
    for (std::size_t field = 1; field < desk.fields.size(); ++field)
        line += "," + desk.fields[field];
    return line;
}

std::string DeskFieldValue(const std::string& read, const std::string& kept) {
    return trimBlanks(read.find(',') == std::string::npos ? read : kept);
}

}  // namespace koruvan
