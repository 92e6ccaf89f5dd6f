#include "core/paths.h"

#include "core/name_case.h"
#include "core/text.h"

namespace koruvan {
namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string folderOfPath(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string fileNameOfPath(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string rootOfPath(const std::string& path) {
    // "C:name" is relative to the drive's current folder: no root of its own.
    if (path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == ':' &&
        (path.size() == 2 || path[2] == '\\')) {
        return toUpperAscii(path.substr(0, 1)) + ":\\";
    }
    if (path.rfind("\\\\", 0) == 0) {
        const std::size_t serverEnd = path.find('\\', 2);
        if (serverEnd == std::string::npos || serverEnd == 2) return {};
        std::size_t shareEnd = path.find('\\', serverEnd + 1);
        if (shareEnd == serverEnd + 1) return {};
        if (shareEnd == std::string::npos) shareEnd = path.size();
        return path.substr(0, shareEnd) + "\\";
    }
    return {};
}

std::string withTrailingBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string fileNameKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t start = at;
        const char32_t c = nextCodePoint(name, at);
        if (c == 0xFFFD && at - start == 1) {
            key += name[start];  // a byte that is no character stays as it is, unlike any other
        } else {
            appendUtf8(key, fileNameUpperCase(c));
        }
    }
    return key;
}

}  // namespace koruvan
