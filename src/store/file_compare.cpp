#include "store/file_compare.h"

#include <optional>

namespace koruvan {
namespace {

constexpr std::size_t kBlockSize = 256 * 1024;

bool oneFile(const PlainFile& a, const PlainFile& b) {
    return a.fileId != 0 && a.fileId == b.fileId && a.volume == b.volume;
}

}  // namespace

Comparison compareContents(Platform& platform, const std::string& a, const std::string& b) {
    const std::optional<PlainFile> first = platform.files.fileInfo(a);
    const std::optional<PlainFile> second = platform.files.fileInfo(b);
    if (!first || !second) return Comparison::Unreadable;
    if (oneFile(*first, *second)) return Comparison::Same;
    if (first->size != second->size) return Comparison::Different;
    for (std::uint64_t offset = 0; offset < first->size; offset += kBlockSize) {
        const std::optional<std::string> left = platform.files.readFileBlock(a, offset, kBlockSize);
        const std::optional<std::string> right = platform.files.readFileBlock(b, offset, kBlockSize);
        if (!left || !right) return Comparison::Unreadable;
        if (*left != *right) return Comparison::Different;
        if (left->size() < kBlockSize) break;  // both ended early: they shrank while compared
    }
    return Comparison::Same;
}

}  // namespace koruvan
