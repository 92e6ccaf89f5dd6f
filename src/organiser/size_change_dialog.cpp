#include "organiser/size_change_dialog.h"

#include <string>

namespace koruvan {
namespace {

// The preset a width stands for, "" for none.
const char* PresetNameOf(int width) {
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

SizeChangeDialog::SizeChangeDialog(SharedState& state, SizeChangeView& view) : state_(state), view_(view) {}

void SizeChangeDialog::OnLoad() {
    view_.setScrollRange(kSmallest, kLargest, kPage);
    view_.showScrollValue(value_);
    const Desk* desk = deskAt(state_, state_.currentDesk);
    if (desk && !desk->wallpaper().empty()) view_.loadPreviewPicture(desk->wallpaper());
    // Two steps, so that the preview follows even when the final value is the one the bar starts with.
    const int sizeNum = state_.SizeNum;
    if (sizeNum >= 0 && sizeNum <= 2) {
        assign(30);
        assign(40 - 6 * sizeNum);
    } else {
        assign(sizeNum - 1);
        assign(sizeNum);
    }
    const auto& colors = state_.BarColors[0];  // the current desk's tip
    view_.setTipLook(desk ? desk->name() : std::string(), colors[0], colors[1]);
}

void SizeChangeDialog::assign(int value) {
    if (value < kSmallest || value > kLargest || value == value_) return;
    value_ = value;
    view_.showScrollValue(value);
    view_.showSizeNumber(std::to_string(value));
    view_.setPreviewSize(value, 0.75 * value);
    const std::string preset = PresetNameOf(value);
    view_.showPresetName(!preset.empty(), preset);
}

void SizeChangeDialog::OnScroll(ScrollMove move, int to) {
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

void SizeChangeDialog::OnPointerMoved(PointerPlace place) {
    if (place == PointerPlace::Preview) {
        view_.showTip(true);
    } else if (place == PointerPlace::Background) {
        view_.showTip(false);
    }
}

void SizeChangeDialog::OnSet() {
    state_.SizeNum = static_cast<std::int16_t>(value_);
    view_.close();
}

void SizeChangeDialog::OnCancel() {
    view_.close();
}

}  // namespace koruvan
