#include "bar/bar_face.h"

#include "bar/bar_layout.h"
#include "bar/desk_keys.h"
#include "core/text.h"
#include "platform/busy_pointer.h"
#include "store/appearance.h"

namespace koruvan {

BarFace::BarFace(Platform& platform, SharedState& state, BarView& view, BarNotices& notices)
    : platform_(platform), state_(state), view_(view), notices_(notices) {}

void BarFace::setDotsPerInch(int dotsPerInchX, int /*dotsPerInchY*/) {
    twipsPerPixelX_ = twipsPerPixel(dotsPerInchX);
}

void BarFace::applyButtonSizeSetting() {
    buttonSize_ = buttonSizeFor(state_.buttonSizeSetting);
    checkedSizeItem_ = sizeMenuIndexFor(state_.buttonSizeSetting);
}

void BarFace::fitToDesks(const std::vector<int>& order) {
    const SlotLayout layout = assignSlots(order, buttonSlot_);
    buttonCount_ = layout.buttonCount;
    buttonSlot_ = layout.buttonSlot;
    for (int d = 0; d < kDeskCount; ++d) {
        DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        button.boxRect =
            buttonRect(buttonSize_, buttonSlot_[static_cast<std::size_t>(d)], d == state_.currentDesk);
        button.pictureRect = button.boxRect;
    }
    view_.showButtons(buttons_);
    const BarGeometry bar = view_.geometry();
    view_.setOuterSize(bar.outerWidth - bar.clientWidth + toPixels(barClientWidth(buttonSize_, buttonCount_)),
                       bar.outerHeight - bar.clientHeight + toPixels(barClientHeight(buttonSize_)));
}

void BarFace::drawButtonFaces() {
    const BusyPointer busy(platform_);
    // The desktop's colour is the same for every box of one redraw: read it once.
    const std::int64_t colour = leadingInteger(rgbTextToColorNumber(readBackgroundColor(platform_)));
    for (int d = 0; d < kDeskCount; ++d) {
        DeskButton& button = buttons_[static_cast<std::size_t>(d)];
        button.picturePath.clear();
        button.pictureVisible = false;
        button.boxVisible = false;
        button.boxColor = static_cast<std::int32_t>(colour);
        const Desk& desk = state_.deskTable[static_cast<std::size_t>(d)];
        if (!desk.exists()) continue;
        const double left = slotLeft(buttonSize_, buttonSlot_[static_cast<std::size_t>(d)]);
        if (!desk.wallpaper.empty()) {
            button.picturePath = trimBlanks(desk.wallpaper);
            button.pictureVisible = true;
            button.pictureRect.left = left;
            button.pictureRect.top = 0;
        } else {
            button.boxVisible = true;
            button.boxRect.left = left;
            button.boxRect.top = 0;
        }
        if (d == state_.currentDesk) {
            button.pictureRect.left = left + kPressedOffset;
            button.pictureRect.top = kPressedOffset;
            button.boxRect.left = button.pictureRect.left;
            button.boxRect.top = button.pictureRect.top;
        }
    }
    view_.showButtons(buttons_);
}

void BarFace::showTrayDesk(const std::vector<int>& order) {
    if (const Desk* current = deskAt(state_, state_.currentDesk)) {
        notices_.showTray(deskNumber(order, state_.currentDesk),
                          std::string(kBarCaption) + " - " + current->name);
    }
}

void BarFace::pressButton(int desk) {
    DeskButton& button = buttons_[static_cast<std::size_t>(desk)];
    for (Rect<double>* rect : {&button.pictureRect, &button.boxRect}) {
        rect->left += kPressedOffset;
        rect->top += kPressedOffset;
    }
    view_.showButtons(buttons_);
}

void BarFace::showDeskTip(int desk, double pointerX) {
    const Desk* entry = deskAt(state_, desk);
    if (!entry) return;
    tip_.text = entry->name;
    tip_.left = tipLeft(pointerX, twipsPerPixelX_, buttonSize_, buttonSlot_[static_cast<std::size_t>(desk)],
                        buttonCount_, view_.tipWidth(tip_.text));
    tip_.visible = true;
    const TipKind kind = desk == state_.currentDesk ? TipKind::CurrentDesk : TipKind::OtherDesks;
    tip_.textColor = tipColor(state_.tipColors, kind, TipPart::Text);
    tip_.backColor = tipColor(state_.tipColors, kind, TipPart::Background);
    view_.showTip(tip_);
}

void BarFace::showTipText(const std::string& text) {
    tip_.text = text;
    view_.showTip(tip_);
}

void BarFace::hideTip() {
    tip_.visible = false;
    view_.showTip(tip_);
}

void BarFace::placeOrHide() {
    const BarGeometry bar = view_.geometry();
    const BarPlacement place =
        hiddenPlacement(bar, state_.autoHide, state_.barPosition, view_.screenWidth(), view_.screenHeight());
    if (place.left != bar.left || place.top != bar.top) view_.moveTo(place.left, place.top);
}

void BarFace::hideWhenIdle() {
    // A monotonic clock: the idle time stays right across midnight and clock changes.
    const double idle = platform_.session.monotonicSeconds() - lastPointerTime_;
    if (idle > kIdleSecondsBeforeHiding) {
        placeOrHide();
    } else {
        view_.wakeAfter(kIdleSecondsBeforeHiding - idle + kWakeMargin);
    }
}

void BarFace::onBackgroundPointerMoved() {
    if (tip_.visible) hideTip();
    const BarGeometry bar = view_.geometry();
    const BarPlacement place =
        revealedPlacement(bar, state_.autoHide, state_.barPosition, view_.screenHeight());
    if (place.left != bar.left || place.top != bar.top) view_.moveTo(place.left, place.top);
    lastPointerTime_ = platform_.session.monotonicSeconds();
    view_.wakeAfter(kIdleSecondsBeforeHiding + kWakeMargin);
}

void BarFace::setWatching(bool on) {
    watching_ = on;
    view_.setWatching(on);
}

void BarFace::pauseWatching() {
    setWatching(false);
    view_.setTopmost(false);
}

}  // namespace koruvan
