#include "store/settings.h"

#include <cstdint>
#include <limits>

#include "core/text.h"
#include "store/appearance.h"
#include "store/desk_appearance.h"
#include "store/desk_identity.h"
#include "store/desk_ties.h"
#include "store/profile_file.h"
#include "store/program_desks.h"
#include "store/system_desktops.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

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

ProfileFile settingsFile(FileSystem& files, const SharedState& state) {
    return ProfileFile(files, state.settingsPath());
}

// A value that does not fit the 16-bit setting leaves it as it was.
std::optional<std::int16_t> userValue(const ProfileText& file, const char* key) {
    const std::int32_t value = file.readInt(kUserSection, key, 0);
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

template <typename Setting>
void readUserValue(const ProfileText& file, const char* key, Setting& setting) {
    if (const std::optional<std::int16_t> value = userValue(file, key))
        setting = static_cast<Setting>(*value);
}

void readUserFlag(const ProfileText& file, const char* key, bool& setting) {
    if (const std::optional<std::int16_t> value = userValue(file, key)) setting = *value != 0;
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

// A rule of a desk that is no more, or of no desk, is dropped.
void readProgramRules(const ProfileText& file, SharedState& state) {
    state.programRules.clear();
    for (const auto& [program, value] : file.entries(kProgramDesksSection)) {
        const std::int64_t desk = leadingInteger(value);
        if (desk > 0 && slotOfDesk(state, static_cast<DeskId>(desk)) >= 0)
            setRule(state.programRules, program, static_cast<DeskId>(desk));
    }
}

void readDeskTies(const ProfileText& file, SharedState& state) {
    for (int desk = 0; desk < kDeskCount; ++desk) {
        const std::string id = trimBlanks(file.readString(kSystemDesksSection, std::to_string(desk), ""));
        std::string& tie = state.deskTies[static_cast<std::size_t>(desk)];
        tie.clear();
        if (isDesktopId(id) && state.deskTable[static_cast<std::size_t>(desk)].exists() &&
            deskTiedTo(state.deskTies, id) < 0) {
            tie = id;
        }
    }
}

ProfileValue deskLineValue(const SharedState& state, int desk) {
    return {kDeskTopSection, std::to_string(desk),
            formatDeskLine(state.deskTable[static_cast<std::size_t>(desk)])};
}

ProfileValue deskIdValue(const SharedState& state, int desk) {
    const DeskId id = deskIdAt(state, desk);
    return {kDeskIdsSection, std::to_string(desk), id == 0 ? std::string() : std::to_string(id)};
}

void readDeskIds(const ProfileText& file, SharedState& state) {
    for (int desk = 0; desk < kDeskCount; ++desk) {
        const std::int64_t id = leadingInteger(file.readString(kDeskIdsSection, std::to_string(desk), ""));
        state.deskTable[static_cast<std::size_t>(desk)].id =
            id > 0 && id <= std::numeric_limits<DeskId>::max() ? static_cast<DeskId>(id) : 0;
    }
}

int lowestNamedDesk(const SharedState& state) {
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (state.deskTable[static_cast<std::size_t>(desk)].exists()) return desk;
    }
    return -1;
}

// The bar relies on the current desk existing. A file edited by hand, or one whose desk lines were lost,
// could break that: resume at the lowest named desk, or give the file back its first desk (true).
bool resumeOnNamedDesk(Platform& platform, SharedState& state) {
    const Desk* current = deskAt(state, state.currentDesk);
    if (current && current->exists()) return false;
    const int lowest = lowestNamedDesk(state);
    if (lowest >= 0) {
        state.currentDesk = static_cast<std::int16_t>(lowest);
        return false;
    }
    state.deskTable[0].name = kFirstDeskName;
    takeScreenAppearance(platform, state.deskTable[0]);
    state.currentDesk = 0;
    return true;
}

// The desks as loaded: each with its identity, written where the file lacked it.
void settleDeskIdentities(Platform& platform, SharedState& state, bool deskRemade) {
    const bool given = giveDeskIdentities(state, IdentitySource::RecordOrNew);
    // A file that cannot be written here cannot be written at all: the start says so about the folder. An
    // identity left unwritten is given again from the record at the next start.
    if (deskRemade) {
        (void)saveDeskTable(platform.files, state);
    } else if (given) {
        std::vector<ProfileValue> ids;
        for (int desk = 0; desk < kDeskCount; ++desk)
            ids.push_back(deskIdValue(state, desk));
        (void)settingsFile(platform.files, state).writeStrings(ids);
    }
    adoptSlotNumbers(state);
}

}  // namespace

bool loadSettings(Platform& platform, SharedState& state) {
    if (!platform.files.plainFileExists(state.settingsPath())) return false;
    const ProfileText file = settingsFile(platform.files, state).read();
    readUserValue(file, kLastUseKey, state.currentDesk);
    readUserFlag(file, kTopwindowKey, state.alwaysOnTop);
    readUserValue(file, kPositionKey, state.barPosition);
    readUserValue(file, kAutoHideKey, state.autoHide);
    readUserValue(file, kSizeNumKey, state.buttonSizeSetting);
    readUserFlag(file, kFollowSystemDesksKey, state.followSystemDesks);
    readUserFlag(file, kShowDeskNameKey, state.showDeskName);
    state.hideOtherDeskWindows = file.readInt(kUserSection, kHideOtherDeskWindowsKey, 0) != 0;
    state.keepIconPositions = file.readInt(kUserSection, kKeepIconPositionsKey, 1) != 0;
    for (int desk = 0; desk < kDeskCount; ++desk) {
        readDeskLine(file.readString(kDeskTopSection, std::to_string(desk), ""),
                     state.deskTable[static_cast<std::size_t>(desk)]);
    }
    for (const ColorKey& cell : kColorKeys) {
        tipColor(state.tipColors, cell.kind, cell.part) =
            file.readInt(kColorSection, cell.key, cell.fallback);
    }
    readDeskIds(file, state);
    const bool deskRemade = resumeOnNamedDesk(platform, state);
    readDeskTies(file, state);
    settleDeskIdentities(platform, state, deskRemade);
    readProgramRules(file, state);
    return true;
}

void takeFirstRunSettings(SharedState& state) {
    state.alwaysOnTop = true;
    state.barPosition = BarPosition::TopLeft;
    state.currentDesk = 0;
    state.autoHide = 1;
    state.buttonSizeSetting = 1;
    state.tipColors = kFirstRunTipColors;
}

FileResult saveSettings(FileSystem& files, const SharedState& state) {
    std::vector<ProfileValue> values = {
        {kUserSection, kLastUseKey, std::to_string(state.currentDesk)},
        {kUserSection, kTopwindowKey, state.alwaysOnTop ? "1" : "0"},
        {kUserSection, kPositionKey, std::to_string(static_cast<int>(state.barPosition))},
        {kUserSection, kAutoHideKey, std::to_string(state.autoHide)},
        {kUserSection, kSizeNumKey, std::to_string(state.buttonSizeSetting)},
    };
    for (const ColorKey& cell : kColorKeys)
        values.push_back(
            {kColorSection, cell.key, colorText(tipColor(state.tipColors, cell.kind, cell.part))});
    return settingsFile(files, state).writeStrings(values);
}

FileResult saveDeskTable(FileSystem& files, SharedState& state) {
    giveDeskIdentities(state);
    std::vector<ProfileValue> values;
    for (int desk = 0; desk < kDeskCount; ++desk)
        values.push_back(deskLineValue(state, desk));
    for (int desk = 0; desk < kDeskCount; ++desk)
        values.push_back(deskIdValue(state, desk));
    return settingsFile(files, state).writeStrings(values);
}

FileResult writeDeskLine(FileSystem& files, SharedState& state, int desk) {
    if (!isDeskIndex(desk)) return FileError::Other;
    giveDeskIdentities(state);
    return settingsFile(files, state).writeStrings({deskLineValue(state, desk), deskIdValue(state, desk)});
}

FileResult writeDeskTie(FileSystem& files, const SharedState& state, int desk) {
    if (!isDeskIndex(desk)) return FileError::Other;
    return settingsFile(files, state)
        .writeString(kSystemDesksSection, std::to_string(desk),
                     state.deskTies[static_cast<std::size_t>(desk)]);
}

FileResult writeUserValue(FileSystem& files, const SharedState& state, const std::string& key, int value) {
    return settingsFile(files, state).writeString(kUserSection, key, std::to_string(value));
}

FileResult writeProgramRule(FileSystem& files, const SharedState& state, const std::string& program) {
    const std::optional<DeskId> desk = ruleDesk(state.programRules, program);
    return settingsFile(files, state)
        .writeStrings(
            {{kProgramDesksSection, programName(program), desk ? std::to_string(*desk) : "", !desk}});
}

std::optional<int> readLastUse(FileSystem& files, const SharedState& state) {
    if (!files.plainFileExists(state.settingsPath())) return std::nullopt;
    const ProfileText file = settingsFile(files, state).read();
    constexpr int kMissing = std::numeric_limits<int>::min();
    const int value = file.readInt(kUserSection, kLastUseKey, kMissing);
    return value == kMissing ? std::nullopt : std::optional<int>(value);
}

void readDeskLine(const std::string& line, Desk& desk) {
    std::string rest = cleaned(line);
    if (rest.empty() || rest == ",,,") {
        desk = Desk{};
        return;
    }
    rest += ',';
    std::string style = wallpaperStyleText(desk.style);
    std::string* fields[] = {&desk.name, &desk.wallpaper, &desk.pattern, &desk.background, &style};
    std::size_t start = 0;
    for (std::string* field : fields) {
        const std::size_t comma = rest.find(',', start);
        if (comma == std::string::npos) break;
        *field = cleaned(rest.substr(start, comma - start));
        start = comma + 1;
    }
    desk.style = parseWallpaperStyle(style);
}

std::string formatDeskLine(const Desk& desk) {
    if (!desk.exists()) return {};
    return desk.name + "," + desk.wallpaper + "," + desk.pattern + "," + desk.background + "," +
           wallpaperStyleText(desk.style);
}

}  // namespace koruvan
