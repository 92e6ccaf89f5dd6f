#include "bar/button_size_dialog.h"

#include <string>

#include "bar/bar_layout.h"

namespace koruvan {
namespace {

// The preset a width stands for, "" for none.
const char* presetNameOf(int width) {
    switch (width) {
        case 28:
            return "ｻｲｽﾞ小";
        case 34:
            return "ｻｲｽﾞ中";
        case 40:
            return "ｻｲｽﾞ大";
        default:
            return "";
    }
}

}  // namespace

ButtonSizeDialog::ButtonSizeDialog(const SharedState& state, ButtonSizeView& view)
    : state_(state), view_(view) {}

void ButtonSizeDialog::onLoad() {
    chosenWidth_.reset();
    view_.setScrollRange(kSmallest, kLargest, kPage);
    view_.showScrollValue(value_);
    const Desk* desk = deskAt(state_, state_.currentDesk);
    if (desk && !desk->wallpaper.empty()) view_.loadPreviewPicture(desk->wallpaper);
    // Two steps, so that the preview follows even when the final value is the one the bar starts with: the
    // first lies beside the final value, above it at the range's lowest end, so the second always shows.
    const int setting = state_.buttonSizeSetting;
    if (isSizePreset(setting)) {
        assign(30);
        assign(buttonSizeFor(setting));
    } else {
        assign(setting == kSmallest ? setting + 1 : setting - 1);
        assign(setting);
    }
    view_.setTipLook(desk ? desk->name : std::string(),
                     tipColor(state_.tipColors, TipKind::CurrentDesk, TipPart::Text),
                     tipColor(state_.tipColors, TipKind::CurrentDesk, TipPart::Background));
}

void ButtonSizeDialog::assign(int value) {
    if (value < kSmallest || value > kLargest || value == value_) return;
    value_ = value;
    view_.showScrollValue(value);
    view_.showSizeNumber(std::to_string(value));
    view_.setPreviewSize(value, 0.75 * value);
    const std::string preset = presetNameOf(value);
    view_.showPresetName(!preset.empty(), preset);
}

void ButtonSizeDialog::onScroll(ScrollMove move, int to) {
    int next = value_;
    switch (move) {
        case ScrollMove::LineLess:
            next -= 1;
            break;
        case ScrollMove::LineMore:
            next += 1;
            break;
        case ScrollMove::PageLess:
            next -= kPage;
            break;
        case ScrollMove::PageMore:
            next += kPage;
            break;
        case ScrollMove::Least:
            next = kSmallest;
            break;
        case ScrollMove::Most:
            next = kLargest;
            break;
        case ScrollMove::To:
            next = to;
            break;
    }
    // The bar stops at its ends.
    assign(next < kSmallest ? kSmallest : next > kLargest ? kLargest : next);
}

void ButtonSizeDialog::onPointerMoved(PointerPlace place) {
    if (place == PointerPlace::Preview) {
        view_.showTip(true);
    } else if (place == PointerPlace::Background) {
        view_.showTip(false);
    }
}

void ButtonSizeDialog::onSet() {
    chosenWidth_ = value_;
    view_.close();
}

void ButtonSizeDialog::onCancel() {
    view_.close();
}

}  // namespace koruvan
