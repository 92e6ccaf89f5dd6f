#pragma once
// The upper case that Windows' file systems compare names by.

namespace koruvan {

// The upper case of one character as NTFS compares file names: one character for one, within the Basic
// Multilingual Plane; every other character is its own upper case.
char32_t fileNameUpperCase(char32_t c);

}  // namespace koruvan
