#include "store/settings.h"

#include <cstdint>
#include <limits>

#include "core/text.h"
#include "store/appearance.h"
#include "store/desk_swap.h"
#include "store/desk_ties.h"
#include "store/profile_file.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

constexpr const char* kDesktopDeskName = "デスクトップ";

struct ColorKey {
    const char* key;
    TipKind kind;
    TipPart part;
    std::int32_t fallback;
};
constexpr ColorKey kColorKeys[] = {
    {"NowDeskForeColor", TipKind::CurrentDesk, TipPart::Text, 0},
    {"NowDeskBackColor", TipKind::CurrentDesk, TipPart::Background, 255},
    {"OtherDeskForeColor", TipKind::OtherDesks, TipPart::Text, 16777215},
    {"OtherDeskBackColor", TipKind::OtherDesks, TipPart::Background, 16711680},
};

ProfileFile settingsFile(Platform& platform, const SharedState& state) {
    return ProfileFile(platform, state.settingsPath());
}

// A value that does not fit the 16-bit setting leaves it as it was.
template <typename Setting>
void readUserValue(const ProfileFile& file, const char* key, Setting& setting) {
    const std::int32_t value = file.readInt(kUserSection, key, 0);
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        setting = static_cast<Setting>(value);
    }
}

// Colours read back as numbers whether or not the blank is there; it stands where a plus sign would.
std::string colorText(std::int32_t color) {
    std::string text = color >= 0 ? " " : "";
    text += std::to_string(color);
    return text;
}

std::string cleaned(std::string text) {
    blankNonPrinting(text);
    return removeBlanks(text);
}

void captureDesktopAsFirstDesk(Platform& platform, SharedState& state) {
    state.deskTable[0][DeskField::Name] = kDesktopDeskName;
    takeScreenAppearance(platform, state.deskTable[0]);
}

void firstRun(Platform& platform, SharedState& state) {
    for (int desk = 0; desk < kDeskCount; ++desk)
        platform.makeFolder(deskFolder(state, desk));
    platform.makeFolder(poolFolder(state));
    storeFirstDesk(platform, state);

    state.deskTable = {};
    captureDesktopAsFirstDesk(platform, state);
    state.alwaysOnTop = 1;
    state.barPosition = BarPosition::TopLeft;
    state.currentDesk = 0;
    state.autoHide = 1;
    state.buttonSizeSetting = 1;
    state.tipColors = kFirstRunTipColors;
    saveSettings(platform, state);
    saveDeskTable(platform, state);
}

int lowestNamedDesk(const SharedState& state) {
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (state.deskTable[static_cast<std::size_t>(desk)].exists()) return desk;
    }
    return -1;
}

// The bar relies on the current desk existing. A file edited by hand, or one whose desk lines were lost,
// could break that: resume at the lowest named desk, or give the file back its first desk.
void resumeOnNamedDesk(Platform& platform, SharedState& state) {
    const Desk* current = deskAt(state, state.currentDesk);
    if (current && current->exists()) return;
    const int lowest = lowestNamedDesk(state);
    if (lowest >= 0) {
        state.currentDesk = static_cast<std::int16_t>(lowest);
        return;
    }
    captureDesktopAsFirstDesk(platform, state);
    state.currentDesk = 0;
    saveDeskTable(platform, state);
}

}  // namespace

void loadSettings(Platform& platform, SharedState& state) {
    if (!platform.plainFileExists(state.settingsPath())) {
        firstRun(platform, state);
        return;
    }
    const ProfileFile file = settingsFile(platform, state);
    readUserValue(file, kLastUseKey, state.currentDesk);
    readUserValue(file, kTopwindowKey, state.alwaysOnTop);
    readUserValue(file, kPositionKey, state.barPosition);
    readUserValue(file, kAutoHideKey, state.autoHide);
    readUserValue(file, kSizeNumKey, state.buttonSizeSetting);
    readUserValue(file, kFollowSystemDesksKey, state.followSystemDesks);
    for (int desk = 0; desk < kDeskCount; ++desk) {
        readDeskLine(file.readString(kDeskTopSection, std::to_string(desk), ""),
                     state.deskTable[static_cast<std::size_t>(desk)]);
    }
    for (const ColorKey& cell : kColorKeys) {
        tipColor(state.tipColors, cell.kind, cell.part) =
            file.readInt(kColorSection, cell.key, cell.fallback);
    }
    resumeOnNamedDesk(platform, state);
    loadDeskTies(platform, state);
}

bool saveSettings(Platform& platform, const SharedState& state) {
    ProfileFile file = settingsFile(platform, state);
    bool written = file.writeString(kUserSection, kLastUseKey, std::to_string(state.currentDesk));
    written &= file.writeString(kUserSection, kTopwindowKey, std::to_string(state.alwaysOnTop));
    written &=
        file.writeString(kUserSection, kPositionKey, std::to_string(static_cast<int>(state.barPosition)));
    written &= file.writeString(kUserSection, kAutoHideKey, std::to_string(state.autoHide));
    written &= file.writeString(kUserSection, kSizeNumKey, std::to_string(state.buttonSizeSetting));
    for (const ColorKey& cell : kColorKeys) {
        written &= file.writeString(kColorSection, cell.key,
                                    colorText(tipColor(state.tipColors, cell.kind, cell.part)));
    }
    return written;
}

bool saveDeskTable(Platform& platform, const SharedState& state) {
    bool written = true;
    for (int desk = 0; desk < kDeskCount; ++desk)
        written &= writeDeskLine(platform, state, desk);
    return written;
}

bool writeDeskLine(Platform& platform, const SharedState& state, int desk) {
    const Desk* entry = deskAt(state, desk);
    if (!entry) return false;
    return settingsFile(platform, state)
        .writeString(kDeskTopSection, std::to_string(desk), formatDeskLine(*entry));
}

bool writeUserValue(Platform& platform, const SharedState& state, const std::string& key, int value) {
    return settingsFile(platform, state).writeString(kUserSection, key, std::to_string(value));
}

void readDeskLine(const std::string& line, Desk& desk) {
    std::string rest = cleaned(line);
    if (rest.empty() || rest == ",,,") {
        desk.fields = {};
        return;
    }
    rest += ',';
    std::size_t start = 0;
    for (std::string& field : desk.fields) {
        const std::size_t comma = rest.find(',', start);
        if (comma == std::string::npos) break;
        field = cleaned(rest.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string formatDeskLine(const Desk& desk) {
    if (!desk.exists()) return {};
    std::string line = desk.fields[0];
    for (std::size_t field = 1; field < desk.fields.size(); ++field)
        line += "," + desk.fields[field];
    return line;
}

std::string deskFieldValue(const std::string& read, const std::string& kept) {
    return trimBlanks(read.find(',') == std::string::npos ? read : kept);
}

void takeScreenAppearance(Platform& platform, Desk& desk) {
    desk[DeskField::Wallpaper] = readWallpaper(platform);
    desk[DeskField::Pattern] = readPattern(platform);
    desk[DeskField::Background] = readBackgroundColor(platform);
    desk[DeskField::Style] = readWallpaperStyle(platform);
}

}  // namespace koruvan
