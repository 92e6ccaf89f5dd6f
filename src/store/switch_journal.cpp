#include "store/switch_journal.h"

#include "store/desk_items.h"
#include "store/profile_encoding.h"
#include "store/profile_file.h"

namespace koruvan {

namespace {

constexpr const char* kSection = "Switch";
constexpr const char* kLeftSection = "Left";
constexpr const char* kSetAsideName = "KORUVAN-unused.jnl";

bool isPhase(int value) {
    return value >= static_cast<int>(SwitchPhase::Clearing) && value <= static_cast<int>(SwitchPhase::Placed);
}

// "<desk>\t<Desktop name>\t<stored name>": the desk first, so that the profile reader's trimming of the
// value's ends never touches a name (a Windows name cannot end in a blank).
std::string leftLine(const DesktopEntry& entry) {
    return std::to_string(entry.desk) + "\t" + entry.name + "\t" + entry.storedName;
}

std::optional<DesktopEntry> leftEntry(const std::string& line) {
    const std::size_t first = line.find('\t');
    const std::size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos) return std::nullopt;
    const std::string desk = line.substr(0, first);
    if (desk.size() != 1 || desk[0] < '0' || desk[0] > '9') return std::nullopt;
    DesktopEntry entry{line.substr(first + 1, second - first - 1), desk[0] - '0', line.substr(second + 1)};
    if (entry.name.empty() || entry.storedName.empty()) return std::nullopt;
    return entry;
}

std::vector<DesktopEntry> readLeftBehind(const ProfileFile& file) {
    std::vector<DesktopEntry> entries;
    for (int k = 0;; ++k) {
        const std::string line = file.readString(kLeftSection, std::to_string(k), "");
        if (line.empty()) return entries;
        if (std::optional<DesktopEntry> entry = leftEntry(line)) entries.push_back(std::move(*entry));
    }
}

}  // namespace

std::string switchJournalPath(const SharedState& state) {
    return state.programDir + "KORUVAN.jnl";
}

// The settings file's own form, so the same reader reads it and a person can too.
FileResult writeSwitchJournal(Platform& platform, const SharedState& state, const SwitchJournal& journal) {
    std::string text = std::string("[") + kSection + "]\r\nFrom=" + std::to_string(journal.oldDesk) +
                       "\r\nTo=" + std::to_string(journal.newDesk) +
                       "\r\nPhase=" + std::to_string(static_cast<int>(journal.phase)) +
                       "\r\nToken=" + journal.token + "\r\n";
    if (!journal.leftBehind.empty()) text += std::string("[") + kLeftSection + "]\r\n";
    for (std::size_t k = 0; k < journal.leftBehind.size(); ++k)
        text += std::to_string(k) + "=" + leftLine(journal.leftBehind[k]) + "\r\n";
    return platform.files.replaceFileBytes(switchJournalPath(state), encodeProfileText(text));
}

std::optional<SwitchJournal> readSwitchJournal(Platform& platform, const SharedState& state) {
    const std::string path = switchJournalPath(state);
    if (!platform.files.plainFileExists(path)) return std::nullopt;
    const ProfileFile file(platform.files, path);
    const int oldDesk = file.readInt(kSection, "From", -1);
    const int newDesk = file.readInt(kSection, "To", -1);
    const int phase = file.readInt(kSection, "Phase", 0);
    if (!isDeskIndex(oldDesk) || !isDeskIndex(newDesk) || oldDesk == newDesk || !isPhase(phase)) {
        return std::nullopt;
    }
    return SwitchJournal{oldDesk, newDesk, static_cast<SwitchPhase>(phase),
                         file.readString(kSection, "Token", ""), readLeftBehind(file)};
}

bool clearSwitchJournal(Platform& platform, const SharedState& state) {
    const std::string path = switchJournalPath(state);
    return !platform.files.plainFileExists(path) || platform.files.deleteFile(path);
}

std::string setSwitchJournalAside(Platform& platform, const SharedState& state) {
    const std::string path = switchJournalPath(state);
    for (int number = 1; number <= kLastNumberedName; ++number) {
        const std::string name = number == 1 ? kSetAsideName : numberedName(kSetAsideName, number);
        const FileResult moved = platform.files.moveFileNoReplace(path, state.programDir + name);
        if (moved) return name;
        if (moved.error != FileError::Exists) break;
    }
    // Not kept aside, it is not acted on either: the next switch writes over it.
    (void)platform.files.deleteFile(path);
    return {};
}

}  // namespace koruvan
