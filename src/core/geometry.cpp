#include "core/geometry.h"

namespace koruvan {
namespace {

std::int64_t known(int dotsPerInch) {
    return dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch;
}

// Integer division rounding towards minus infinity, for negative lengths too.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int twipsToPixels(int twips, int dotsPerInch) {
    return static_cast<int>(-floorDiv(-static_cast<std::int64_t>(twips) * known(dotsPerInch), kTwipsPerInch));
}

int pixelsToTwips(int pixels, int dotsPerInch) {
    return static_cast<int>(floorDiv(static_cast<std::int64_t>(pixels) * kTwipsPerInch, known(dotsPerInch)));
}

int twipsPerPixel(int dotsPerInch) {
    return static_cast<int>(-floorDiv(-static_cast<std::int64_t>(kTwipsPerInch), known(dotsPerInch)));
}

}  // namespace koruvan
