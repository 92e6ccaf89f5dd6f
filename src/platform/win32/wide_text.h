#pragma once
// The program's one conversion between its UTF-8 text and the UTF-16 of the W calls. Every Win32 file uses
// this pair; no other code converts text encodings at the system boundary.

#include <string>
#include <string_view>

namespace koruvan::win32 {

// Invalid UTF-8 sequences become U+FFFD rather than failing the whole text.
std::wstring widen(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string narrow(std::wstring_view utf16);

}  // namespace koruvan::win32
