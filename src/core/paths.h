#pragma once
// Windows paths as text: "C:\dir\file", folders ending in "\".

#include <string>
#include <string_view>

namespace koruvan {

// The path up to and including its last "\" (a folder's path is kept whole); empty without a "\".
std::string folderOfPath(const std::string& path);
// The characters after the last "\".
std::string fileNameOfPath(const std::string& path);
// "C:\" (letter upper-cased) or "\\server\share\"; empty for a path with neither.
std::string rootOfPath(const std::string& path);
// The folder with exactly the "\" it needs at its end; an empty text becomes "\".
std::string withTrailingBackslash(std::string folder);
// What two file names are compared by: each character in the upper case NTFS compares names in, so that
// "ｍｅｍｏ.txt" and "ＭＥＭＯ.TXT" are one name, and "ß" is not "SS".
std::string fileNameKey(std::string_view name);

}  // namespace koruvan
