#include "store/icon_layout_file.h"

#include <charconv>
#include <optional>
#include <vector>

#include "core/text.h"

namespace koruvan {
namespace {

constexpr std::string_view kHeader = "KORUVAN icons 1";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// No Windows file name can hold a tab.
constexpr char kSeparator = '\t';

std::optional<int> numberOf(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Reads the file's lines into `layouts`; `current` is the layout the icon lines go to.
class LayoutReader {
  public:
    explicit LayoutReader(IconLayouts& layouts) : layouts_(layouts) {}

    void read(std::string_view line) {
        const std::vector<std::string_view> f = splitFields(line, kSeparator);
        if (f.size() == 5 && f[0] == "desk") {
            const auto width = numberOf(f[2]);
            const auto height = numberOf(f[3]);
            const auto dpi = numberOf(f[4]);
            current_ = nullptr;
            if (!f[1].empty() && width && height && dpi)
                current_ = &layouts_[std::string(f[1])][IconScreen{*width, *height, *dpi}];
        } else if (f.size() == 5 && f[0] == "icon" && current_) {
            const auto x = numberOf(f[1]);
            const auto y = numberOf(f[2]);
            if (x && y && !f[4].empty())
                current_->push_back({std::string(f[4]), std::string(f[3]), {*x, *y}});
        }
    }

  private:
    IconLayouts& layouts_;
    DeskIconLayout* current_ = nullptr;
};

}  // namespace

std::string iconLayoutPath(const SharedState& state) {
    return state.programDir + "KORUVAN.icons";
}

std::string formatIconLayouts(const IconLayouts& layouts) {
    std::string text = std::string(kByteOrderMark) + std::string(kHeader) + "\r\n";
    for (const auto& [desk, screens] : layouts) {
        for (const auto& [screen, layout] : screens) {
            if (layout.empty()) continue;
            text += fieldLine({"desk", desk, std::to_string(screen.width), std::to_string(screen.height),
                               std::to_string(screen.dpi)},
                              kSeparator);
            for (const PlacedItem& item : layout) {
                text += fieldLine(
                    {"icon", std::to_string(item.at.x), std::to_string(item.at.y), item.identity, item.name},
                    kSeparator);
            }
        }
    }
    return text;
}

IconLayouts parseIconLayouts(std::string_view text) {
    IconLayouts layouts;
    const std::vector<std::string_view> lines = textLines(text);
    // A file of another kind, or of a later version, holds no layout this one knows.
    if (lines.empty() || lines[0] != kHeader) return {};
    LayoutReader reader(layouts);
    for (std::size_t i = 1; i < lines.size(); ++i)
        reader.read(lines[i]);
    return layouts;
}

IconLayouts readIconLayouts(FileSystem& files, const std::string& path) {
    const std::optional<std::string> bytes = files.readFileBytes(path);
    return bytes ? parseIconLayouts(*bytes) : IconLayouts{};
}

FileResult writeIconLayouts(FileSystem& files, const std::string& path, const IconLayouts& layouts) {
    return files.replaceFileBytes(path, formatIconLayouts(layouts));
}

}  // namespace koruvan
