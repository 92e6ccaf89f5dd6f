#pragma once
// An INI file with the semantics of the Windows private-profile calls, on every platform. The file is never
// held open: each call reads it whole, and each write replaces it atomically, so a crash never leaves it
// half-written.
//
// Section and key names compare case-insensitively (ASCII), without the blanks around them. CRLF, LF and a
// lone CR each end a line. Lines before the first section belong to no section. A key is looked up in the
// first section of its name only, and the first key of its name there counts. The file is written as UTF-16LE
// with a byte-order mark and CRLF line ends; every line the write does not change is kept, comments and blank
// lines included.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace koruvan {

class ProfileFile {
  public:
    ProfileFile(Platform& platform, std::string path) : platform_(platform), path_(std::move(path)) {}

    // The key's whole value, surrounding blanks and tabs removed, and unquoted when a pair of double (or
    // single) quotes wraps it. `fallback` when the file, the section or the key is missing, or the key has no
    // "=".
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;

    // The integer at the start of the value, with its sign: decimal, or hexadecimal, octal or binary after a
    // lower-case "0x", "0o" or "0b" (0 when the value does not start with one); `fallback` when the key is
    // missing or its value is empty. Clamped to the 32-bit range.
    std::int32_t readInt(const std::string& section, const std::string& key, std::int32_t fallback) const;

    // Replaces the key's value, making the file, the section (at the end of the file) and the key (at the end
    // of its section) as needed; an empty value keeps "key=". A line break in the value becomes a blank, and
    // a value that reading would unquote is quoted once more, so it reads back as written (surrounding blanks
    // excepted). False when nothing was written: the file could not be read though it exists, or the
    // replacement failed; the file is then as it was.
    bool writeString(const std::string& section, const std::string& key, const std::string& value);

    const std::string& path() const { return path_; }

  private:
    Platform& platform_;
    std::string path_;
};

}  // namespace koruvan
