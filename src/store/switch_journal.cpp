#include "store/switch_journal.h"

#include "store/profile_encoding.h"
#include "store/profile_file.h"

namespace koruvan {

namespace {

constexpr const char* kSection = "Switch";

bool isPhase(int value) {
    return value >= static_cast<int>(SwitchPhase::Clearing) && value <= static_cast<int>(SwitchPhase::Placed);
}

}  // namespace

std::string switchJournalPath(const SharedState& state) {
    return state.programDir + "KORUVAN.jnl";
}

// The settings file's own form, so the same reader reads it and a person can too.
FileResult writeSwitchJournal(Platform& platform, const SharedState& state, const SwitchJournal& journal) {
    const std::string text = std::string("[") + kSection + "]\r\nFrom=" + std::to_string(journal.oldDesk) +
                             "\r\nTo=" + std::to_string(journal.newDesk) +
                             "\r\nPhase=" + std::to_string(static_cast<int>(journal.phase)) + "\r\n";
    return platform.replaceFileBytes(switchJournalPath(state), encodeProfileText(text));
}

std::optional<SwitchJournal> readSwitchJournal(Platform& platform, const SharedState& state) {
    const std::string path = switchJournalPath(state);
    if (!platform.plainFileExists(path)) return std::nullopt;
    const ProfileFile file(platform, path);
    const int oldDesk = file.readInt(kSection, "From", -1);
    const int newDesk = file.readInt(kSection, "To", -1);
    const int phase = file.readInt(kSection, "Phase", 0);
    if (!isDeskIndex(oldDesk) || !isDeskIndex(newDesk) || oldDesk == newDesk || !isPhase(phase)) {
        return std::nullopt;
    }
    return SwitchJournal{oldDesk, newDesk, static_cast<SwitchPhase>(phase)};
}

bool clearSwitchJournal(Platform& platform, const SharedState& state) {
    const std::string path = switchJournalPath(state);
    return !platform.plainFileExists(path) || platform.deleteFile(path);
}

}  // namespace koruvan
