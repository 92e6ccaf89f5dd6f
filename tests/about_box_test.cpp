#include "dialogs/about_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace koruvan::testing {
namespace {

using ::testing::ElementsAre;

struct FakeAboutView : AboutView {
    std::vector<int> pictures;
    std::vector<int> figures;
    bool closed = false;
    void showPicture(int picture) override { pictures.push_back(picture); }
    void showFigure(int frame) override { figures.push_back(frame); }
    void close() override { closed = true; }
};

TEST(AboutBoxTest, ThePictureAdvancesOncePerTenSecondMark) {
    struct Case {
        double firstRandom;
        std::vector<double> ticks;  // seconds of the day
        std::vector<int> shown;
    };
    const Case cases[] = {
        // Several ticks in one mark advance once; a tick off the mark ends it.
        {0.15, {39.4, 39.6, 40.0, 40.3, 40.6, 50.0}, {1, 2, 3}},
        // Opened at 0, the display shows its own picture until the next mark.
        {0.0, {41.0, 50.0}, {0, 1}},
        // From 9 to 0 the display is its own store: it keeps picture 9 for one more period.
        {0.95, {60.0, 61.0, 70.0, 71.0, 80.0}, {9, 9, 1, 2}},
        // Midnight rounds up to a mark.
        {0.5, {86399.7}, {5, 6}},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        platform.randoms = {c.firstRandom};
        FakeAboutView view;
        AboutBox box(platform, view);
        box.onOpen();
        for (double second : c.ticks) {
            platform.timeOfDay = second;
            box.onTimer();
        }
        EXPECT_EQ(view.pictures, c.shown) << c.firstRandom;
    }
}

TEST(AboutBoxTest, ACtrlDoubleClickBringsOutTheFigureThatChangesEveryTick) {
    FakePlatform platform;
    FakeAboutView view;
    AboutBox box(platform, view);
    box.onOpen();
    box.onPictureMouseDown(false);
    box.onPictureDoubleClick();
    platform.randoms = {0.7};
    box.onTimer();
    EXPECT_FALSE(box.figureVisible());
    EXPECT_TRUE(view.figures.empty());

    box.onPictureMouseDown(true);
    box.onPictureDoubleClick();
    platform.randoms = {0.2, 0.9};
    box.onTimer();
    box.onTimer();
    EXPECT_THAT(view.figures, ElementsAre(2, 1, 2));
    box.onOk();
    EXPECT_TRUE(view.closed);
}

}  // namespace
}  // namespace koruvan::testing
