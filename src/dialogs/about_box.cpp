#include "dialogs/about_box.h"

#include <cmath>

namespace koruvan {
namespace {

int randomBelow(Platform& platform, int count) {
    const int value = static_cast<int>(platform.session.randomFraction() * count);
    return value < 0 ? 0 : value >= count ? count - 1 : value;
}

}  // namespace

AboutBox::AboutBox(Platform& platform, AboutView& view) : platform_(platform), view_(view) {}

void AboutBox::onOpen() {
    advanced_ = false;
    pictureIndex_ = randomBelow(platform_, kAboutPictureCount);
    shownPicture_ = storedPicture(pictureIndex_);
    view_.showPicture(shownPicture_);
}

void AboutBox::onTimer() {
    figureFrame_ = randomBelow(platform_, 2) + 1;
    if (figureVisible_) view_.showFigure(figureFrame_);

    const long second = std::lround(platform_.session.secondsOfDay());
    if (second % 10 != 0) {
        advanced_ = false;
    } else if (!advanced_) {
        pictureIndex_ = (pictureIndex_ + 1) % kAboutPictureCount;
        shownPicture_ = storedPicture(pictureIndex_);
        view_.showPicture(shownPicture_);
        advanced_ = true;
    }
}

void AboutBox::onPictureMouseDown(bool ctrlHeld) {
    ctrlHeld_ = ctrlHeld;
}

void AboutBox::onPictureDoubleClick() {
    if (!ctrlHeld_ || figureVisible_) return;
    figureVisible_ = true;
    view_.showFigure(figureFrame_);
}

void AboutBox::onOk() {
    view_.close();
}

}  // namespace koruvan
