#include "bar/bar_layout.h"

#include <gtest/gtest.h>

namespace koruvan {
namespace {

DeskTable desksNamed(std::initializer_list<int> named) {
    DeskTable desks{};
    for (int d : named)
        desks[static_cast<std::size_t>(d)].name = "desk" + std::to_string(d);
    return desks;
}

TEST(BarLayout, NamedDesksTakeConsecutiveSlotsAndTheBarHasThreeAtLeast) {
    const SlotLayout one = assignSlots(desksNamed({0}), {});
    EXPECT_EQ(one.buttonCount, 3);
    EXPECT_EQ(one.buttonSlot[0], 0);

    std::array<std::int16_t, kDeskCount> previous{};
    previous.fill(7);
    const SlotLayout gaps = assignSlots(desksNamed({0, 3, 7}), previous);
    EXPECT_EQ(gaps.buttonCount, 3);
    EXPECT_EQ(gaps.buttonSlot[0], 0);
    EXPECT_EQ(gaps.buttonSlot[3], 1);
    EXPECT_EQ(gaps.buttonSlot[7], 2);
    EXPECT_EQ(gaps.buttonSlot[5], 7) << "slots of unnamed desks keep their values";

    const SlotLayout all = assignSlots(desksNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), {});
    EXPECT_EQ(all.buttonCount, 10);
    EXPECT_EQ(all.buttonSlot[9], 9);
}

TEST(BarLayout, ButtonAndBarGeometryForEverySize) {
    struct Case {
        int sizeNum, size;
    };
    for (const Case c : {Case{0, 40}, Case{1, 34}, Case{2, 28}, Case{45, 45}}) {
        SCOPED_TRACE(c.sizeNum);
        EXPECT_EQ(buttonSizeFor(c.sizeNum), c.size);
        EXPECT_EQ(buttonRect(c.size, 2, false),
                  (Rect<double>{2.0 * (c.size + 2), 0, double(c.size), c.size * 0.75}));
        EXPECT_EQ(buttonRect(c.size, 2, true),
                  (Rect<double>{2.0 * (c.size + 2) + 2, 2, double(c.size), c.size * 0.75}));
        for (int count = 3; count <= 10; ++count) {
            EXPECT_DOUBLE_EQ(barClientWidth(c.size, count), (count + 0.2) * (c.size + 2));
        }
        EXPECT_DOUBLE_EQ(barClientHeight(c.size), c.size * 0.75 + 2);
    }
    EXPECT_DOUBLE_EQ(barClientWidth(40, 3), 134.4);
    EXPECT_DOUBLE_EQ(barClientHeight(34), 27.5);
    EXPECT_EQ(sizeMenuIndexFor(1), 1);
    EXPECT_EQ(sizeMenuIndexFor(45), 3);
    EXPECT_EQ(sizeMenuIndexFor(-4), 3);
}

TEST(BarLayout, RgbTextBecomesAColourValue) {
    EXPECT_EQ(rgbTextToColorNumber("0 128 128"), "8421376");
    EXPECT_EQ(rgbTextToColorNumber("255 0 0"), "255");
    EXPECT_EQ(rgbTextToColorNumber("1 2 3"), std::to_string(1 + 2 * 256 + 3 * 65536));
    EXPECT_EQ(rgbTextToColorNumber(""), "0");
    EXPECT_EQ(rgbTextToColorNumber("12"), "12");
    EXPECT_EQ(rgbTextToColorNumber("red green blue"), "0");
}

TEST(BarLayout, PlacesTheBarByPositionAndHidesBehindTheEdge) {
    // Outer 140 x 59, client 134 x 35: a frame of 3 pixels, so a strip of 4.5 rows stays visible.
    const BarGeometry bar{300, 200, 140, 59, 134, 35};
    struct Case {
        int autoHide, position, left, top;
    };
    const Case cases[] = {
        {0, 0, 0, 200},        {0, 1, 1024 - 140, 200}, {0, 2, 300, 0},       {0, 3, 300, 200},
        {0, 4, 884, 768 - 59}, {0, 5, 300, 768 - 59},   {1, 0, 0, -55},       {1, 1, 884, -55},
        {1, 2, 300, -55},      {1, 3, 300, -55},        {1, 4, 884, 768 - 4}, {1, 5, 300, 768 - 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "AutoHide " << c.autoHide << " Position " << c.position);
        const BarPlacement place =
            hiddenPlacement(bar, c.autoHide, BarPosition{static_cast<std::int16_t>(c.position)}, 1024, 768);
        EXPECT_EQ(place.left, c.left);
        EXPECT_EQ(place.top, c.top);
    }
    EXPECT_EQ(revealedPlacement(bar, 1, BarPosition::TopLeft, 768).top, 0);
    EXPECT_EQ(revealedPlacement(bar, 1, BarPosition::BottomEdge, 768).top, 768 - 59);
    EXPECT_EQ(revealedPlacement(bar, 0, BarPosition::TopLeft, 768).top, 200);
}

TEST(BarLayout, TipStartsBesideThePointerOrEndsAtTheSlotInTheRightHalf) {
    // Four desks: slots 0..2 start 2 pixels right of their slot (plus the pointer term), slot 3 ends at its
    // slot.
    EXPECT_EQ(tipLeft(0, 15, 40, 0, 4, 30), 2);
    EXPECT_EQ(tipLeft(30, 15, 40, 1, 4, 30), 42 + 2 + 2);
    EXPECT_EQ(tipLeft(0, 15, 40, 2, 4, 30), 84 + 2);
    EXPECT_EQ(tipLeft(0, 15, 40, 3, 4, 30), 168 - 30);
    // Three desks: only slot 2 is aligned to the right.
    EXPECT_EQ(tipLeft(0, 15, 40, 1, 3, 30), 44);
    EXPECT_EQ(tipLeft(0, 15, 40, 2, 3, 30), 126 - 30);
    // Halves go to the even neighbour.
    EXPECT_EQ(tipLeft(7.5, 15, 40, 0, 4, 30), 2);
    EXPECT_EQ(tipLeft(22.5, 15, 40, 0, 4, 30), 4);
}

}  // namespace
}  // namespace koruvan
