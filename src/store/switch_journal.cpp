#include "store/switch_journal.h"

#include <charconv>

#include "store/desk_identity.h"
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

// "<desk>\t<Desktop name>\t<stored name>\t<volume>\t<file ID>": the desk first, so that the profile reader's
// trimming of the value's ends never touches a name (a Windows name cannot end in a blank). Earlier versions
// wrote the first three fields, with the desk's slot.
std::string leftLine(const DesktopEntry& entry) {
    return std::to_string(entry.desk) + "\t" + entry.name + "\t" + entry.storedName + "\t" +
           std::to_string(entry.volume) + "\t" + std::to_string(entry.fileId);
}

std::vector<std::string> tabFields(const std::string& line) {
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

template <typename Number>
std::optional<Number> numberOf(const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<DesktopEntry> leftEntry(const std::string& line, const SharedState& state, bool slotNumbered) {
    const std::vector<std::string> f = tabFields(line);
    if (f.size() != (slotNumbered ? 3u : 5u) || f[1].empty() || f[2].empty()) return std::nullopt;
    const std::optional<DeskId> desk = numberOf<DeskId>(f[0]);
    if (!desk || (slotNumbered && !isDeskIndex(static_cast<int>(*desk)))) return std::nullopt;
    DesktopEntry entry{f[1], slotNumbered ? deskIdAt(state, static_cast<int>(*desk)) : *desk, f[2]};
    if (!slotNumbered) {
        entry.volume = numberOf<std::uint64_t>(f[3]).value_or(0);
        entry.fileId = numberOf<std::uint64_t>(f[4]).value_or(0);
    }
    return entry;
}

std::vector<DesktopEntry> readLeftBehind(const ProfileFile& file, const SharedState& state) {
    const bool slotNumbered = file.readInt(kSection, "Version", 1) < 2;
    std::vector<DesktopEntry> entries;
    for (int k = 0;; ++k) {
        const std::string line = file.readString(kLeftSection, std::to_string(k), "");
        if (line.empty()) return entries;
        if (std::optional<DesktopEntry> entry = leftEntry(line, state, slotNumbered))
            entries.push_back(std::move(*entry));
    }
}

}  // namespace

std::string switchJournalPath(const SharedState& state) {
    return state.programDir + "KORUVAN.jnl";
}

// The settings file's own form, so the same reader reads it and a person can too.
FileResult writeSwitchJournal(Platform& platform, const SharedState& state, const SwitchJournal& journal) {
    std::string text = std::string("[") + kSection +
                       "]\r\nVersion=2\r\nFrom=" + std::to_string(journal.oldDesk) +
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
                         file.readString(kSection, "Token", ""), readLeftBehind(file, state)};
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
