#include "store/text_cleaning.h"

#include "core/text.h"

namespace koruvan {

void blankNonPrinting(std::string& text) {
    const std::string trimmed = trimBlanks(text);
    std::string cleaned;
    cleaned.reserve(trimmed.size());
    std::size_t pos = 0;
    while (pos < trimmed.size()) {
        const std::size_t start = pos;
        const char32_t cp = nextCodePoint(trimmed, pos);
        if (cp <= 0x20 || (cp >= 0x7F && cp <= 0xA0)) {
            cleaned += ' ';
        } else {
            cleaned.append(trimmed, start, pos - start);
        }
    }
    text = std::move(cleaned);
}

std::string& removeBlanks(std::string& text) {
    text = trimBlanks(text);
    return text;
}

}  // namespace koruvan
