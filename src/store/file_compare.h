#pragma once
// Whether two files hold the same item, decided cheaply where that is safe.

#include <string>

#include "platform/platform.h"

namespace koruvan {

enum class Comparison { Same, Different, Unreadable };

// Same when the two paths are one file (the same identity on one volume), or two files of the same size whose
// bytes are equal, compared block by block so that a file of any size is compared in little memory. Equal
// times are not trusted: a copy keeps its source's time, and an edit within the file system's time resolution
// may not change it.
Comparison compareContents(Platform& platform, const std::string& a, const std::string& b);

inline bool sameContents(Platform& platform, const std::string& a, const std::string& b) {
    return compareContents(platform, a, b) == Comparison::Same;
}

}  // namespace koruvan
