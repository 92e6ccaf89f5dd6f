#include "bar/button_size_dialog.h"

#include <gtest/gtest.h>

#include "fake/fake_button_size_view.h"

namespace koruvan::testing {
namespace {

class ButtonSizeDialogTest : public ::testing::Test {
  protected:
    ButtonSizeDialogTest() {
        state.currentDesk = 1;
        state.deskTable[1].name = "仕事";
        state.deskTable[1].wallpaper = "C:\\pics\\blue.bmp";
        state.tipColors = {{{0x000000, 0x0000FF}, {0xFFFFFF, 0xFF0000}}};
    }
    void open(int sizeNum) {
        state.buttonSizeSetting = static_cast<std::int16_t>(sizeNum);
        view = FakeButtonSizeView{};
        dialog.onLoad();
    }

    SharedState state;
    FakeButtonSizeView view;
    ButtonSizeDialog dialog{state, view};
};

TEST_F(ButtonSizeDialogTest, OpensAtTheWidthOfSizeNum) {
    const struct {
        int sizeNum;
        int value;
        const char* number;
        int width;
        double height;
        const char* preset;  // nullptr: hidden
    } cases[] = {
        {0, 40, "40", 40, 30, "ｻｲｽﾞ大"},
        {1, 34, "34", 34, 25.5, "ｻｲｽﾞ中"},
        {2, 28, "28", 28, 21, "ｻｲｽﾞ小"},
        {50, 50, "50", 50, 37.5, nullptr},
        {29, 29, "29", 29, 21.75, nullptr},
        // The scroll bar's lowest value, stored as a width rather than as the preset: shown all the same.
        {28, 28, "28", 28, 21, "ｻｲｽﾞ小"},
        {64, 64, "64", 64, 48, nullptr},
        // Out of the scroll bar's range: both steps are refused, and nothing follows the bar.
        {100, 28, "", 64, 48, nullptr},
        {-1, 28, "", 64, 48, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sizeNum);
        ButtonSizeDialog fresh{state, view};
        state.buttonSizeSetting = static_cast<std::int16_t>(c.sizeNum);
        view = FakeButtonSizeView{};
        fresh.onLoad();
        EXPECT_EQ(view.smallest, 28);
        EXPECT_EQ(view.largest, 64);
        EXPECT_EQ(fresh.value(), c.value);
        EXPECT_EQ(view.scrollValue, c.value);
        EXPECT_EQ(view.sizeNumber, c.number);
        EXPECT_EQ(view.previewWidth, c.width);
        EXPECT_DOUBLE_EQ(view.previewHeight, c.height);
        EXPECT_EQ(view.presetShown, c.preset != nullptr);
        if (c.preset) {
            EXPECT_EQ(view.presetName, c.preset);
        }
    }
}

TEST_F(ButtonSizeDialogTest, ScrollingFollowsThePresetsAndStopsAtTheEnds) {
    open(0);
    const struct {
        ScrollMove move;
        int to;
        int value;
        bool presetShown;
    } steps[] = {
        {ScrollMove::LineMore, 0, 41, false}, {ScrollMove::LineLess, 0, 40, true},
        {ScrollMove::PageLess, 0, 34, true},  {ScrollMove::PageLess, 0, 28, true},
        {ScrollMove::PageLess, 0, 28, true},  {ScrollMove::LineLess, 0, 28, true},
        {ScrollMove::To, 45, 45, false},      {ScrollMove::Most, 0, 64, false},
        {ScrollMove::PageMore, 0, 64, false}, {ScrollMove::Least, 0, 28, true},
    };
    for (const auto& step : steps) {
        dialog.onScroll(step.move, step.to);
        EXPECT_EQ(view.scrollValue, step.value);
        EXPECT_EQ(view.sizeNumber, std::to_string(step.value));
        EXPECT_EQ(view.presetShown, step.presetShown) << step.value;
    }
}

TEST_F(ButtonSizeDialogTest, SetGivesTheWidthAndCancelNone) {
    const struct {
        int to;
        bool set;
        std::optional<int> width;
    } cases[] = {{45, true, 45}, {40, true, 40}, {34, true, 34}, {45, false, std::nullopt}};
    for (const auto& c : cases) {
        open(2);
        dialog.onScroll(ScrollMove::To, c.to);
        if (c.set) {
            dialog.onSet();
        } else {
            dialog.onCancel();
        }
        EXPECT_TRUE(view.closed);
        EXPECT_EQ(dialog.chosenWidth(), c.width);
        EXPECT_EQ(state.buttonSizeSetting, 2) << "the bar stores the width, not the dialog";
    }
}

TEST_F(ButtonSizeDialogTest, PreviewShowsTheCurrentDesksWallpaperAndNameTip) {
    open(1);
    EXPECT_EQ(view.picture, "C:\\pics\\blue.bmp");
    EXPECT_EQ(view.tipText, "仕事");
    EXPECT_EQ(view.tipTextColor, 0x000000);
    EXPECT_EQ(view.tipBackColor, 0x0000FF);
    EXPECT_FALSE(view.tipShown);
    const std::pair<PointerPlace, bool> moves[] = {{PointerPlace::Preview, true},
                                                   {PointerPlace::OtherControl, true},
                                                   {PointerPlace::Background, false},
                                                   {PointerPlace::OtherControl, false}};
    for (const auto& [place, shown] : moves) {
        dialog.onPointerMoved(place);
        EXPECT_EQ(view.tipShown, shown);
    }

    state.deskTable[1].wallpaper.clear();
    open(1);
    EXPECT_EQ(view.picture, "<built-in>");
}

}  // namespace
}  // namespace koruvan::testing
