#include "store/hidden_windows.h"

#include <cinttypes>
#include <cstdio>

namespace koruvan {

std::string hiddenWindowsPath(const SharedState& state) {
    return state.programDir + "KORUVAN.hidden";
}

namespace {

constexpr std::string_view kLogonMark = "logon ";

}  // namespace

std::string formatHiddenWindows(const std::string& logon, const HiddenWindows& windows) {
    std::string text = std::string(kLogonMark) + logon + "\r\n";
    for (const HiddenWindow& hidden : windows) {
        char line[64];
        std::snprintf(line, sizeof(line), "%" PRIX64 "\t%" PRIu32 "\t%d\r\n",
                      static_cast<std::uint64_t>(hidden.window), hidden.processId, hidden.desk);
        text += line;
    }
    return text;
}

HiddenRecord parseHiddenWindows(std::string_view text) {
    HiddenRecord record;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.starts_with(kLogonMark)) {
            if (line.ends_with('\r')) line.pop_back();
            record.logon = line.substr(kLogonMark.size());
            continue;
        }
        std::uint64_t window = 0;
        std::uint32_t process = 0;
        int desk = -1;
        char rest = 0;
        if (std::sscanf(line.c_str(), "%" SCNx64 "\t%" SCNu32 "\t%d%c", &window, &process, &desk, &rest) >=
                3 &&
            window != 0 && process != 0 && isDeskIndex(desk) && (rest == 0 || rest == '\r')) {
            record.windows.push_back({window, process, desk});
        }
    }
    return record;
}

FileResult writeHiddenWindows(Platform& platform, const SharedState& state, const HiddenWindows& windows) {
    const std::string path = hiddenWindowsPath(state);
    if (windows.empty())
        return platform.files.plainFileExists(path) ? platform.files.deleteFile(path) : FileResult();
    // Not flushed: the windows it names end with the system, so only the program's own end must find it
    // whole.
    return platform.files.replaceFileBytesUnflushed(
        path, formatHiddenWindows(platform.session.logonIdentity(), windows));
}

int showWindowsAgain(Platform& platform, const HiddenWindows& windows) {
    int shown = 0;
    for (const HiddenWindow& hidden : windows) {
        if (platform.windows.windowProcessId(hidden.window) != hidden.processId ||
            platform.windows.isWindowVisible(hidden.window)) {
            continue;
        }
        if (platform.windows.showWindow(hidden.window, ShowCommand::Minimized)) ++shown;
    }
    return shown;
}

std::optional<int> showHiddenWindows(Platform& platform, const SharedState& state) {
    const std::string path = hiddenWindowsPath(state);
    if (!platform.files.plainFileExists(path)) return 0;
    const std::optional<std::string> text = platform.files.readFileBytes(path);
    if (!text) return std::nullopt;
    const HiddenRecord record = parseHiddenWindows(*text);
    // Another logon's windows are gone with it; their handles may now name anyone's.
    const bool thisLogon = !record.logon || *record.logon == platform.session.logonIdentity();
    const int shown = thisLogon ? showWindowsAgain(platform, record.windows) : 0;
    // A record left in place names windows shown already: the next start leaves them as they are.
    (void)platform.files.deleteFile(path);
    return shown;
}

}  // namespace koruvan
