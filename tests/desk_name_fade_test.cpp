#include "bar/desk_name_fade.h"

#include <gtest/gtest.h>

namespace koruvan {
namespace {

// Fully there for a second, then fading over 0.4 s in steps; gone after, with no more steps asked for.
TEST(DeskNameFade, ShownForASecondThenFadedOutAndGone) {
    const struct {
        double elapsed;
        int opacity;
        double next;
    } cases[] = {
        {0.0, 255, 1.0},  {0.5, 255, 0.5}, {1.0, 255, 0.04}, {1.2, 128, 0.04},
        {1.38, 13, 0.02}, {1.4, 0, -1},    {5.0, 0, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(deskNameOpacity(c.elapsed), c.opacity) << c.elapsed;
        EXPECT_NEAR(secondsToNextDeskNameFrame(c.elapsed), c.next, 1e-9) << c.elapsed;
    }
}

}  // namespace
}  // namespace koruvan
