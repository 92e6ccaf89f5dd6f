#pragma once
// Programs that know their desk: a rule that sends every new window of a program to one desk, and the windows
// each desk had when the program last ended, found again after a restart by their program and title.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/desk_index.h"

namespace koruvan {

// "notepad.exe" opens on `desk`. Programs are named by their executable's file name, compared as the file
// system compares names.
struct ProgramRule {
    std::string program;
    DeskId desk = 0;
    friend bool operator==(const ProgramRule&, const ProgramRule&) = default;
};
using ProgramRules = std::vector<ProgramRule>;

// A window of a desk when the program last ended: its program's full path and its title.
struct RememberedWindow {
    std::string program;
    std::string title;
    DeskId desk = 0;
    friend bool operator==(const RememberedWindow&, const RememberedWindow&) = default;
};
using RememberedWindows = std::vector<RememberedWindow>;

// The executable's file name of a program's full path.
std::string programName(std::string_view programPath);

// The desk a program's rule names; nothing without a rule.
std::optional<DeskId> ruleDesk(const ProgramRules& rules, std::string_view programPath);
// Sets or (with desk 0) drops a program's rule.
void setRule(ProgramRules& rules, std::string_view programPath, DeskId desk);
// A deleted desk drops its rules and its remembered windows.
void forgetDesk(ProgramRules& rules, RememberedWindows& remembered, DeskId desk);

// The remembered window a window that appears stands for: the same program and title first, else the same
// program when only one remembered window of it is left. The entry is used up.
std::optional<DeskId> takeRemembered(RememberedWindows& remembered, std::string_view programPath,
                                     std::string_view title);
// Only the same program and title.
std::optional<DeskId> takeRememberedByTitle(RememberedWindows& remembered, std::string_view programPath,
                                            std::string_view title);

// The file of remembered windows: one line each, desk, program and title separated by tabs. A line that does
// not parse is skipped.
std::string formatRememberedWindows(const RememberedWindows& windows);
RememberedWindows parseRememberedWindows(std::string_view text);

}  // namespace koruvan
