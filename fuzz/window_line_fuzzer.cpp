// Window lines as the listing writes them, or anything else: reading one never fails, a capture from any
// lines keeps at most 100 windows and ends them, and a window whose texts the line format can carry reads
// back as itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fake/fake_platform.h"
#include "store/text_cleaning.h"
#include "store/window_table.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Texts the line format can carry: no separator of its own, nothing the line's cleaning would change.
bool carried(const std::string& text, std::string_view separator) {
    std::string cleaned = text;
    koruvan::blankNonPrinting(cleaned);
    return text.find(separator) == std::string::npos && cleaned == text && !text.empty() &&
           text.front() != ' ' && text.back() != ' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace koruvan;
    static testing::FakePlatform platform;
    const std::string text(reinterpret_cast<const char*>(data), size);

    SharedState state;
    const std::vector<std::string> lines = Lines(text);
    for (const std::string& line : lines)
        parseWindowLine(platform, line);
    const int count = captureWindows(platform, state, lines);
    Check(count >= 0 && count <= kMaxCapturedWindows &&
          state.windowTable[0][static_cast<std::size_t>(count)].className.empty());

    // The first line is a title, the second a class name.
    if (lines.size() < 2 || !carried(lines[0], " <") || !carried(lines[1], "> ") ||
        lines[1].find('>') != std::string::npos)
        return 0;
    static const WindowHandle handle = platform.addWindow({.rect = {-32000, 5, 1024, 2147483647}});
    const TopLevelWindow window{.window = handle,
                                .visible = true,
                                .title = lines[0],
                                .className = lines[1],
                                .rect = {-32000, 5, 1024, 2147483647}};
    std::vector<std::string> described;
    Check(describeWindow(window, 1, described));
    const WindowEntry entry = parseWindowLine(platform, described.front());
    Check(entry.window == handle && entry.title == lines[0] && entry.className == lines[1] &&
          entry.left == -32000 && entry.top == 5 && entry.right == 1024 && entry.bottom == 2147483647);
    return 0;
}
