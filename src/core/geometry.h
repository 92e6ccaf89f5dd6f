#pragma once
// One rectangle, one size and one conversion between twips and pixels for every layout of the program.

#include <cstdint>

namespace koruvan {

// Pixels of the bar's layout may be fractional (a button is three quarters as high as wide); twips and the
// pixels of the system's windows are whole.
template <typename Number>
struct Rect {
    Number left{};
    Number top{};
    Number width{};
    Number height{};
    friend bool operator==(const Rect&, const Rect&) = default;
};

template <typename Number>
struct Size {
    Number width{};
    Number height{};
    friend bool operator==(const Size&, const Size&) = default;
};

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDotsPerInch = 96;

// Pixels for twips round up and twips for pixels round down: a length taken there and back is the same number
// of pixels, and a smallest size given in twips is never undershot on the screen. An unknown resolution
// (zero or less) counts as 96 dots per inch.
int twipsToPixels(int twips, int dotsPerInch);
int pixelsToTwips(int pixels, int dotsPerInch);
// Whole twips per pixel (15 at 96 dots per inch), by the same rule.
int twipsPerPixel(int dotsPerInch);

}  // namespace koruvan
