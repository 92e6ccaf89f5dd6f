#pragma once
// What a switch, a start or the organiser could not do with the user's items, gathered while it runs and told
// once when it has finished.

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

struct ItemProblem {
    std::string name;
    int desk = 0;
    FileError why = FileError::Other;
    friend bool operator==(const ItemProblem&, const ItemProblem&) = default;
};

struct StoreReport {
    // A desk's items that could not be put on the Desktop: they stay in the desk's folder.
    std::vector<ItemProblem> notPlaced;
    // Desktop files that could not go to their desk's folder: they stay on the Desktop, still that desk's.
    std::vector<ItemProblem> leftBehind;
    // The journal could not be written, so the switch did not start.
    std::optional<FileError> journalUnwritable;
    // A journal that did not agree with the settings (or could not be read: journalUnreadable) was set aside
    // under this name and not acted on.
    std::string journalSetAside;
    bool journalUnreadable = false;
    // The Desktop folder could not be reached or listed, so no item moved and the switch did not start.
    bool desktopUnreachable = false;
    // LastUse could not be written after a switch: the next start still begins at the desk the Desktop
    // holds, as the record of items says.
    std::optional<FileError> lastUseUnwritten;
    // The record of items could not be written at a switch's end: no other switch starts until it can be.
    std::optional<FileError> recordUnwritten;
    // The settings file or the record of items could not be written: what it was to keep holds until the
    // program ends, but not at its next start.
    std::optional<FileError> settingsUnwritten;

    bool empty() const {
        return notPlaced.empty() && leftBehind.empty() && !journalUnwritable && journalSetAside.empty() &&
               !settingsUnwritten && !desktopUnreachable && !lastUseUnwritten && !recordUnwritten;
    }
    // Notes a write's failure; a done write notes nothing.
    void noteSettingsWrite(FileResult result) {
        if (!result && !settingsUnwritten) settingsUnwritten = result.error;
    }
};

// Why a file operation failed, in the user's words.
std::string reasonText(FileError why);

// The message that tells the user what the report holds; empty for an empty report. An item whose desk is
// no longer there (desk -1) is named as the pool's.
std::string reportText(const StoreReport& report, const DeskTable& desks, const std::string& programDir,
                       const std::string& desktopFolder = {});
inline constexpr const char* kReportTitle = "ﾃﾞｽｸﾄｯﾌﾟの項目";

}  // namespace koruvan
