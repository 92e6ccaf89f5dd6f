#include "store/window_table.h"

#include <array>
#include <limits>
#include <string_view>

#include "core/text.h"
#include "store/text_cleaning.h"

namespace koruvan {

namespace {

constexpr std::string_view kShownMark = "*Show*";
constexpr std::string_view kHiddenMark = "-Hide-";
constexpr std::string_view kOwnDisplayName = "コルヴァン";
// Coordinates from here on are off any screen the bar was made for.
constexpr std::int32_t kFarEdge = 3000;

void appendHandle(std::string& line, WindowHandle handle) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::array<char, 16> reversed{};
    std::size_t count = 0;
    do {
        reversed[count++] = kDigits[handle & 0xF];
        handle >>= 4;
    } while (handle != 0);
    for (std::size_t padding = count; padding < 4; ++padding)
        line += '0';
    while (count > 0)
        line += reversed[--count];
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Takes the hexadecimal digits at the start of the text. A value too long for a handle reads as 0.
WindowHandle takeHandle(std::string_view& text) {
    WindowHandle value = 0;
    std::size_t count = 0;
    for (; count < text.size() && hexDigitValue(text[count]) >= 0; ++count) {
        value = (value << 4) | static_cast<WindowHandle>(hexDigitValue(text[count]));
    }
    text.remove_prefix(count);
    return count > 2 * sizeof(WindowHandle) ? 0 : value;
}

std::int32_t readCoordinate(std::string_view text) {
    const std::int64_t value = leadingInteger(text);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(value);
}

// Takes one coordinate up to its separator; a "-" that begins the number is its sign, not the separator.
std::int32_t takeCoordinate(std::string_view& text, char separator) {
    const std::size_t from = !text.empty() && text.front() == '-' ? 1 : 0;
    const std::size_t at = text.find(separator, from);
    const std::int32_t value = readCoordinate(text.substr(0, at));
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    return value;
}

// Text up to the first `delimiter` (all of it when there is none); the text continues after the delimiter.
std::string_view takeUpTo(std::string_view& text, std::string_view delimiter) {
    const std::size_t at = text.find(delimiter);
    const std::string_view field = text.substr(0, at);
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + delimiter.size());
    return field;
}

// Every field of the line except `Zoomed`, which needs the platform.
WindowEntry parseLineText(std::string_view text) {
    WindowEntry entry;
    const std::size_t firstUnmarked = text.find_first_not_of('+');
    text.remove_prefix(firstUnmarked == std::string_view::npos ? text.size() : firstUnmarked);
    entry.window = takeHandle(text);
    if (text.starts_with(":[")) {
        text.remove_prefix(2);
        if (text.find(']') != std::string_view::npos) entry.owner = takeHandle(text);
    }

    const std::size_t shown = text.find(kShownMark);
    if (shown == std::string_view::npos) {
        entry.showState = "hide";
        return entry;
    }
    entry.showState = "show";
    text.remove_prefix(shown + kShownMark.size());
    entry.title = takeUpTo(text, " <");
    entry.className = takeUpTo(text, "> ");
    if (text.starts_with('(')) {
        text.remove_prefix(1);
        text = text.substr(0, text.find(')'));
        entry.left = takeCoordinate(text, ',');
        entry.top = takeCoordinate(text, '-');
        entry.right = takeCoordinate(text, ',');
        entry.bottom = readCoordinate(text);
    }
    return entry;
}

bool isExcludedUnownedClass(const std::string& upperClass) {
    return upperClass == "THUNDERRTMAIN" || upperClass == "THUNDERFORM" || upperClass == "INDICATOR" ||
           upperClass == "SHELL_TRAYWND" || upperClass == "PROGMAN";
}

// The application windows a desk keeps: not the shell's own windows, not system classes ("#32770" dialogs and
// the like), not this program's windows, and only windows with an area that begins on the screen.
bool isCapturedWindow(const WindowEntry& entry) {
    if (entry.showState != "show") return false;
    const std::string upperClass = toUpperAscii(entry.className);
    if (entry.owner != 0) {
        if (upperClass != "THUNDERFORM") return false;
    } else if (isExcludedUnownedClass(upperClass)) {
        return false;
    }
    if (entry.className.starts_with('#')) return false;
    if (entry.title.find(kOwnDisplayName) != std::string::npos) return false;
    if (upperClass == "THUNDERMAIN") return true;
    return entry.left != entry.right && entry.top != entry.bottom && entry.left < kFarEdge &&
           entry.top < kFarEdge;
}

}  // namespace

std::vector<std::string> listWindows(Platform& platform) {
    std::vector<std::string> lines;
    const WindowHandle desktop = platform.desktopWindow();
    std::string desktopLine;
    appendHandle(desktopLine, desktop);
    desktopLine += ":DeskTop";
    lines.push_back(std::move(desktopLine));
    // The desktop's first window is marked one level, the later ones two, as a walk of the window tree marks
    // them; nothing below them is ever listed, since a window inside another has a parent.
    for (const TopLevelWindow& window : platform.listTopLevelWindows())
        describeWindow(window, lines.size() == 1 ? 1 : 2, lines);
    return lines;
}

bool describeWindow(const TopLevelWindow& window, int depth, std::vector<std::string>& lines) {
    if (kListVisibleOnly && !window.visible) return false;
    if (kListTopLevelOnly && window.hasParent) return false;

    std::string line(static_cast<std::size_t>(depth > 0 ? depth : 0), '+');
    appendHandle(line, window.window);
    line += ":[";
    appendHandle(line, window.owner);
    line += ']';
    line += window.visible ? kShownMark : kHiddenMark;
    line += window.title;
    line += " <";
    line += window.className;
    line += "> (";
    line += std::to_string(window.rect.left);
    line += ',';
    line += std::to_string(window.rect.top);
    line += '-';
    line += std::to_string(window.rect.right);
    line += ',';
    line += std::to_string(window.rect.bottom);
    line += ')';
    blankNonPrinting(line);
    lines.push_back(std::move(line));
    return true;
}

WindowEntry parseWindowLine(Platform& platform, const std::string& line) {
    WindowEntry entry = parseLineText(line);
    if (entry.showState == "show") entry.zoomed = platform.isWindowZoomed(entry.window) ? 1 : 0;
    return entry;
}

int captureWindows(Platform& platform, SharedState& state, const std::vector<std::string>& lines) {
    if (!isDeskIndex(state.currentDesk)) return 0;
    DeskWindows& desk = state.windowTable[static_cast<std::size_t>(state.currentDesk)];
    std::size_t count = 0;
    for (const std::string& line : lines) {
        if (count == kMaxCapturedWindows) break;
        WindowEntry entry = parseLineText(line);
        // A minimised window is parked off the desk's area (Windows 95 put it at 3000,3000, which the size
        // test drops; later systems put it at -32000 or at the screen's edge): it belongs to no desk.
        if (!isCapturedWindow(entry) || platform.isWindowIconic(entry.window)) continue;
        // Asked only of the windows kept: the answer of a dropped one is never read.
        entry.zoomed = platform.isWindowZoomed(entry.window) ? 1 : 0;
        desk[count++] = std::move(entry);
    }
    desk[count].className.clear();
    return static_cast<int>(count);
}

std::optional<WindowEntry> deskWindowEntry(Platform& platform, WindowHandle window) {
    if (platform.parentWindow(window) != 0) return std::nullopt;
    WindowEntry entry;
    entry.window = window;
    entry.owner = platform.ownerWindow(window);
    entry.showState = platform.isWindowVisible(window) ? "show" : "hide";
    entry.title = platform.windowTitle(window);
    entry.className = platform.windowClassName(window);
    const ScreenRect rect = platform.windowRect(window);
    entry.left = rect.left;
    entry.top = rect.top;
    entry.right = rect.right;
    entry.bottom = rect.bottom;
    if (!isCapturedWindow(entry)) return std::nullopt;
    entry.zoomed = platform.isWindowZoomed(window) ? 1 : 0;
    return entry;
}

std::size_t deskWindowCount(const DeskWindows& entries) {
    std::size_t count = 0;
    while (count < entries.size() && !entries[count].className.empty())
        ++count;
    return count;
}

void removeDeskWindow(DeskWindows& entries, WindowHandle window) {
    const std::size_t count = deskWindowCount(entries);
    std::size_t kept = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (entries[k].window == window) continue;
        if (kept != k) entries[kept] = std::move(entries[k]);
        ++kept;
    }
    if (kept < entries.size()) entries[kept].className.clear();
}

bool addDeskWindow(DeskWindows& entries, WindowEntry entry) {
    const std::size_t count = deskWindowCount(entries);
    if (count >= static_cast<std::size_t>(kMaxCapturedWindows)) return false;
    entries[count] = std::move(entry);
    entries[count + 1].className.clear();
    return true;
}

}  // namespace koruvan
