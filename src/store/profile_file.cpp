#include "store/profile_file.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "store/profile_encoding.h"

namespace koruvan {

namespace {

using Lines = std::vector<std::string>;

bool isProfileSpace(char c) {
    // Carriage return and ^Z (an old end-of-file mark) count as space, as for the system's own reader.
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trimSpace(std::string_view text) {
    while (!text.empty() && isProfileSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isProfileSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && toUpperAscii(a) == toUpperAscii(b);
}

// CRLF, a lone LF and a lone CR each end a line, as for the system's reader: a file saved with CR line ends,
// or one stray CR in a CRLF file, must not join lines.
Lines splitLines(std::string_view text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    }
    return lines;
}

std::string joinLines(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// A section header gives its name; any other line may be a key, with or without "=".
struct ParsedLine {
    bool isSection = false;
    std::string_view name;
    std::optional<std::string_view> value;
};

ParsedLine parseLine(std::string_view line) {
    line = trimSpace(line);
    ParsedLine parsed;
    if (line.starts_with('[')) {
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            parsed.isSection = true;
            parsed.name = trimSpace(line.substr(1, close - 1));  // "[ DeskTop ]" is the section DeskTop
            return parsed;
        }
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        parsed.name = line;
    } else {
        parsed.name = trimSpace(line.substr(0, equals));
        parsed.value = trimSpace(line.substr(equals + 1));
    }
    return parsed;
}

// Where a key lives: the first section of its name (body up to the next header) and the key's line in it.
struct KeyPlace {
    std::optional<std::size_t> header;
    std::size_t sectionEnd = 0;
    std::optional<std::size_t> keyLine;
};

KeyPlace findKey(const Lines& lines, std::string_view section, std::string_view key) {
    KeyPlace place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (parsed.isSection) {
            if (place.header) {
                place.sectionEnd = i;
                return place;
            }
            if (!parsed.name.empty() && sameName(parsed.name, section)) place.header = i;
        } else if (place.header && !place.keyLine && sameName(parsed.name, key)) {
            place.keyLine = i;
        }
    }
    place.sectionEnd = lines.size();
    return place;
}

bool isBlankOrComment(std::string_view line) {
    line = trimSpace(line);
    return line.empty() || line.front() == ';';
}

bool isQuoted(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

std::string storableValue(const std::string& value) {
    std::string line = value;
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    if (isQuoted(trimSpace(line))) line = '"' + line + '"';
    return line;
}

// A change of the file that keeps its length and stays within one disk sector (LastUse from one desk to
// another, say) is written in place: the disk writes a sector whole, so the file is never half-changed, and
// the file is not read, rewritten and renamed for the sake of one digit.
struct Patch {
    std::size_t offset;
    std::string_view bytes;
};
constexpr std::size_t kSectorSize = 512;

std::optional<Patch> smallPatch(std::string_view oldBytes, std::string_view newBytes) {
    if (oldBytes.size() != newBytes.size()) return std::nullopt;
    const auto first = std::mismatch(oldBytes.begin(), oldBytes.end(), newBytes.begin()).first;
    const auto last = std::mismatch(oldBytes.rbegin(), oldBytes.rend(), newBytes.rbegin()).first.base();
    const std::size_t begin = static_cast<std::size_t>(first - oldBytes.begin());
    const std::size_t end = static_cast<std::size_t>(last - oldBytes.begin());
    if (end <= begin || begin / kSectorSize != (end - 1) / kSectorSize) return std::nullopt;
    return Patch{begin, newBytes.substr(begin, end - begin)};
}

// Replaces one key's value in the lines, or adds the key (and its section).
void setValue(Lines& lines, const ProfileValue& value) {
    const KeyPlace place = findKey(lines, value.section, value.key);
    if (value.remove) {
        if (place.keyLine) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*place.keyLine));
        return;
    }
    const std::string storable = storableValue(value.value);
    if (place.keyLine) {
        // The name keeps the spelling the file gave it.
        std::string& line = lines[*place.keyLine];
        line = std::string(parseLine(line).name) + "=" + storable;
    } else if (place.header) {
        // After the section's last entry: blank lines and comments that lead to the next section stay there.
        std::size_t at = place.sectionEnd;
        while (at > *place.header + 1 && isBlankOrComment(lines[at - 1]))
            --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), value.key + "=" + storable);
    } else {
        // Straight after the last line, as the system's own profile calls append a section.
        lines.push_back("[" + value.section + "]");
        lines.push_back(value.key + "=" + storable);
    }
}

}  // namespace

ProfileText ProfileFile::read() const {
    const std::optional<std::string> bytes = files_.readFileBytes(path_);
    if (!bytes) return {};
    return ProfileText(splitLines(decodeProfileBytes(*bytes, files_)));
}

std::string ProfileText::readString(const std::string& section, const std::string& key,
                                    const std::string& fallback) const {
    const KeyPlace place = findKey(lines_, section, key);
    if (!place.keyLine) return fallback;
    const std::optional<std::string_view> value = parseLine(lines_[*place.keyLine]).value;
    if (!value) return fallback;
    if (isQuoted(*value)) return std::string(value->substr(1, value->size() - 2));
    return std::string(*value);
}

std::vector<std::pair<std::string, std::string>> ProfileText::entries(const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> found;
    bool inSection = false;
    for (const std::string& line : lines_) {
        const ParsedLine parsed = parseLine(line);
        if (parsed.isSection) {
            if (inSection) break;
            inSection = !parsed.name.empty() && sameName(parsed.name, section);
        } else if (inSection && parsed.value && !parsed.name.empty()) {
            const std::string key(parsed.name);
            found.emplace_back(key, readString(section, key, ""));
        }
    }
    return found;
}

std::int32_t ProfileText::readInt(const std::string& section, const std::string& key,
                                  std::int32_t fallback) const {
    const std::string value = readString(section, key, "");
    if (value.empty()) return fallback;
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(leadingPrefixedInteger(value), kLowest, kHighest));
}

FileResult ProfileFile::writeStrings(const std::vector<ProfileValue>& values) {
    for (const ProfileValue& value : values) {
        if (value.section.empty() || value.key.empty()) return FileError::Other;
    }
    const std::optional<std::string> bytes = files_.readFileBytes(path_);
    // A file that exists but cannot be read now (in use, say) must not be replaced by these keys alone.
    if (!bytes && files_.plainFileExists(path_)) return FileError::InUse;

    Lines lines = bytes ? splitLines(decodeProfileBytes(*bytes, files_)) : Lines{};
    for (const ProfileValue& value : values)
        setValue(lines, value);

    const std::string newBytes = encodeProfileText(joinLines(lines));
    if (bytes && *bytes == newBytes) return {};
    if (bytes) {
        if (const std::optional<Patch> patch = smallPatch(*bytes, newBytes))
            return files_.patchFileBytes(path_, patch->offset, patch->bytes);
    }
    return files_.replaceFileBytes(path_, newBytes);
}

}  // namespace koruvan
