#include "store/program_desks.h"

#include <algorithm>
#include <charconv>

#include "core/paths.h"

namespace koruvan {

namespace {

bool sameProgram(std::string_view a, std::string_view b) {
    return fileNameKey(a) == fileNameKey(b);
}

// One field of a line, up to the next tab (the rest of the line for the last).
std::string_view takeField(std::string_view& line) {
    const std::size_t tab = line.find('\t');
    const std::string_view field = line.substr(0, tab);
    line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    return field;
}

}  // namespace

std::string programName(std::string_view programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? programPath : programPath.substr(slash + 1));
}

std::optional<DeskId> ruleDesk(const ProgramRules& rules, std::string_view programPath) {
    const std::string name = programName(programPath);
    for (const ProgramRule& rule : rules) {
        if (sameProgram(rule.program, name)) return rule.desk;
    }
    return std::nullopt;
}

void setRule(ProgramRules& rules, std::string_view programPath, DeskId desk) {
    const std::string name = programName(programPath);
    std::erase_if(rules, [&](const ProgramRule& rule) { return sameProgram(rule.program, name); });
    if (desk != 0 && !name.empty()) rules.push_back({name, desk});
}

void forgetDesk(ProgramRules& rules, RememberedWindows& remembered, DeskId desk) {
    std::erase_if(rules, [&](const ProgramRule& rule) { return rule.desk == desk; });
    std::erase_if(remembered, [&](const RememberedWindow& window) { return window.desk == desk; });
}

namespace {

std::optional<DeskId> take(RememberedWindows& remembered, RememberedWindows::iterator found) {
    if (found == remembered.end()) return std::nullopt;
    const DeskId desk = found->desk;
    remembered.erase(found);
    return desk;
}

}  // namespace

std::optional<DeskId> takeRememberedByTitle(RememberedWindows& remembered, std::string_view programPath,
                                            std::string_view title) {
    return take(remembered,
                std::find_if(remembered.begin(), remembered.end(), [&](const RememberedWindow& w) {
                    return sameProgram(w.program, programPath) && w.title == title;
                }));
}

std::optional<DeskId> takeRemembered(RememberedWindows& remembered, std::string_view programPath,
                                     std::string_view title) {
    if (const std::optional<DeskId> desk = takeRememberedByTitle(remembered, programPath, title)) return desk;
    const auto ofProgram = [&](const RememberedWindow& window) {
        return sameProgram(window.program, programPath);
    };
    if (std::count_if(remembered.begin(), remembered.end(), ofProgram) != 1) return std::nullopt;
    return take(remembered, std::find_if(remembered.begin(), remembered.end(), ofProgram));
}

std::string formatRememberedWindows(const RememberedWindows& windows) {
    std::string text;
    for (const RememberedWindow& window : windows)
        text += std::to_string(window.desk) + "\t" + window.program + "\t" + window.title + "\r\n";
    return text;
}

RememberedWindows parseRememberedWindows(std::string_view text) {
    RememberedWindows windows;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::string_view deskText = takeField(line);
        const std::string_view program = takeField(line);
        DeskId desk = 0;
        const auto [at, error] = std::from_chars(deskText.data(), deskText.data() + deskText.size(), desk);
        if (error != std::errc() || at != deskText.data() + deskText.size() || desk == 0 || program.empty())
            continue;
        windows.push_back({std::string(program), std::string(line), desk});
    }
    return windows;
}

}  // namespace koruvan
