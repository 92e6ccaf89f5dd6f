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

std::string joinFields(std::initializer_list<std::string_view> fields) {
    std::string line;
    for (std::string_view field : fields) {
        if (!line.empty()) line += kSeparator;
        line += field;
    }
    return line + "\r\n";
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
            text += joinFields({"desk", desk, std::to_string(screen.width), std::to_string(screen.height),
                                std::to_string(screen.dpi)});
            for (const PlacedItem& item : layout) {
                text += joinFields(
                    {"icon", std::to_string(item.at.x), std::to_string(item.at.y), item.identity, item.name});
            }
        }
    }
    return text;
}

IconLayouts parseIconLayouts(std::string_view text) {
    IconLayouts layouts;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    LayoutReader reader(layouts);
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // A file of another kind, or of a later version, holds no layout this one knows.
        if (first && line != kHeader) return {};
        if (!first) reader.read(line);
        first = false;
    }
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
