#pragma once
// An INI file with the semantics of the Windows private-profile calls, on every platform. The file is never
// held open: each call reads it whole, and each write replaces it atomically, so a crash never leaves it
// half-written. Several keys read through one ProfileText, or written by one writeStrings, cost one read or
// one write of the file.
//
// Section and key names compare case-insensitively (ASCII), without the blanks around them. CRLF, LF and a
// lone CR each end a line. Lines before the first section belong to no section. A key is looked up in the
// first section of its name only, and the first key of its name there counts. The file is written as UTF-16LE
// with a byte-order mark and CRLF line ends; every line the write does not change is kept, comments and blank
// lines included.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace koruvan {

// The file's lines as one read found them.
class ProfileText {
  public:
    ProfileText() = default;
    explicit ProfileText(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // The key's whole value, surrounding blanks and tabs removed, and unquoted when a pair of double (or
    // single) quotes wraps it. `fallback` when the file, the section or the key is missing, or the key has no
    // "=".
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;

    // The integer at the start of the value, with its sign: decimal, or hexadecimal, octal or binary after a
    // lower-case "0x", "0o" or "0b" (0 when the value does not start with one); `fallback` when the key is
    // missing or its value is empty. Clamped to the 32-bit range.
    std::int32_t readInt(const std::string& section, const std::string& key, std::int32_t fallback) const;

    // The keys of the first section of that name, in the file's order, each with its value as readString
    // gives it; a key with no "=" is left out.
    std::vector<std::pair<std::string, std::string>> entries(const std::string& section) const;

  private:
    std::vector<std::string> lines_;
};

// One key to write.
struct ProfileValue {
    std::string section;
    std::string key;
    std::string value;
    bool remove = false;  // the key's line goes instead
};

class ProfileFile {
  public:
    ProfileFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    // The file as it is now; a missing or unreadable file reads as one without keys.
    ProfileText read() const;
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const {
        return read().readString(section, key, fallback);
    }
    std::int32_t readInt(const std::string& section, const std::string& key, std::int32_t fallback) const {
        return read().readInt(section, key, fallback);
    }

    // Replaces each key's value in turn, making the file, the section (at the end of the file) and the key
    // (at the end of its section) as needed; an empty value keeps "key=". A line break in a value becomes a
    // blank, and a value that reading would unquote is quoted once more, so it reads back as written
    // (surrounding blanks excepted). The file is read and written once. Nothing is written when the file
    // could not be read though it exists, or the replacement failed: the file is then as it was.
    [[nodiscard]] FileResult writeStrings(const std::vector<ProfileValue>& values);
    [[nodiscard]] FileResult writeString(const std::string& section, const std::string& key,
                                         const std::string& value) {
        return writeStrings({{section, key, value}});
    }

    const std::string& path() const { return path_; }

  private:
    FileSystem& files_;
    std::string path_;
};

}  // namespace koruvan
