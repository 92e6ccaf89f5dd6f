#pragma once
// Encodings of the settings file. It is read in whatever form earlier versions or a text editor left it, and
// always written in the one form that Windows' own profile calls read back losslessly on every system locale.

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace koruvan {

// The file's text as UTF-8. UTF-16 (little or big endian) needs its byte-order mark; UTF-8 is taken with a
// mark, or without one when the bytes are valid UTF-8; anything else is the Japanese legacy code page, line
// by line so that one damaged line does not cost the others (a line not valid there is read as UTF-8 with
// replacements).
std::string decodeProfileBytes(std::string_view bytes, FileSystem& files);

// UTF-8 text as UTF-16LE with a byte-order mark; malformed UTF-8 becomes U+FFFD.
std::string encodeProfileText(std::string_view text);

}  // namespace koruvan
