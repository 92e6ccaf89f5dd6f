#pragma once
// Cleaning of texts that come from fixed-size system buffers and hand-edited files.

#include <string>

namespace koruvan {

// Removes surrounding blanks, then turns every control or unprintable character (U+0000..U+0020 and
// U+007F..U+00A0) into a blank. Every other character is kept, so accented letters, Japanese text and
// half-width katakana survive whatever the system's code page.
void blankNonPrinting(std::string& text);

// Removes the surrounding blanks of a text; blanks inside it (as in "C:\My Pictures\") are kept. The argument
// is changed and also returned.
std::string& removeBlanks(std::string& text);

}  // namespace koruvan
