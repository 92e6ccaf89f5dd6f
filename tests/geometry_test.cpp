#include "core/geometry.h"

#include <gtest/gtest.h>

namespace koruvan {
namespace {

// Pixels round up and twips down, so a length taken there and back keeps its pixels at any resolution.
TEST(GeometryTest, TwipsAndPixelsRoundTrip) {
    struct Case {
        int dpi, twips, pixels, twipsBack, perPixel;
    };
    const Case cases[] = {
        {96, 4665, 311, 4665, 15},  {144, 4035, 404, 4040, 10}, {120, 4035, 337, 4044, 12},
        {110, 4665, 357, 4673, 14}, {0, 1440, 96, 1440, 15},    {96, -20, -1, -15, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels);
        EXPECT_EQ(pixelsToTwips(c.pixels, c.dpi), c.twipsBack);
        EXPECT_EQ(twipsToPixels(pixelsToTwips(c.pixels, c.dpi), c.dpi), c.pixels);
        EXPECT_EQ(twipsPerPixel(c.dpi), c.perPixel);
    }
}

}  // namespace
}  // namespace koruvan
