#include "bar/bar_layout.h"

#include <cmath>

#include "core/text.h"

namespace koruvan {

namespace {
constexpr int kLargestPreset = 40;
constexpr int kPresetStep = 6;
constexpr int kPresetCount = 3;
}  // namespace

bool isSizePreset(int setting) {
    return setting >= 0 && setting < kPresetCount;
}

int buttonSizeFor(int setting) {
    return isSizePreset(setting) ? kLargestPreset - kPresetStep * setting : setting;
}

int buttonSizeSettingFor(int width) {
    const int steps = (kLargestPreset - width) / kPresetStep;
    const bool preset =
        width <= kLargestPreset && (kLargestPreset - width) % kPresetStep == 0 && isSizePreset(steps);
    return preset ? steps : width;
}

int sizeMenuIndexFor(int setting) {
    return isSizePreset(setting) ? setting : 3;
}

SlotLayout assignSlots(const DeskTable& desks, const std::array<std::int16_t, kDeskCount>& previousSlots) {
    std::vector<int> named;
    for (int d = 0; d < kDeskCount; ++d) {
        if (desks[static_cast<std::size_t>(d)].exists()) named.push_back(d);
    }
    return assignSlots(named, previousSlots);
}

SlotLayout assignSlots(const std::vector<int>& order,
                       const std::array<std::int16_t, kDeskCount>& previousSlots) {
    SlotLayout layout;
    layout.buttonSlot = previousSlots;
    for (int d : order) {
        if (isDeskIndex(d)) layout.buttonSlot[static_cast<std::size_t>(d)] = layout.buttonCount++;
    }
    if (layout.buttonCount < kMinimumSlots) layout.buttonCount = kMinimumSlots;
    return layout;
}

double slotLeft(int buttonSize, int slot) {
    return static_cast<double>(buttonSize + kButtonGap) * slot;
}

Rect<double> buttonRect(int buttonSize, int slot, bool pressed) {
    const double off = pressed ? kPressedOffset : 0;
    return {slotLeft(buttonSize, slot) + off, off, static_cast<double>(buttonSize), buttonSize * 0.75};
}

double barClientWidth(int buttonSize, int buttonCount) {
    return (buttonCount + 0.2) * (buttonSize + kButtonGap);
}

double barClientHeight(int buttonSize) {
    return buttonSize * 0.75 + 2;
}

int toPixels(double value) {
    return static_cast<int>(std::floor(value + 0.5));
}

std::string rgbTextToColorNumber(const std::string& text) {
    std::string rest = text;
    std::int64_t parts[3] = {0, 0, 0};
    for (int i = 0; i < 2; ++i) {
        const std::string padded = rest + " ";
        const std::size_t blank = padded.find(' ');
        parts[i] = static_cast<std::int64_t>(leadingNumber(padded.substr(0, blank)));
        rest =
            blank + 1 < padded.size() ? padded.substr(blank + 1, padded.size() - blank - 2) : std::string();
    }
    parts[2] = static_cast<std::int64_t>(leadingNumber(rest));
    return std::to_string(parts[0] + parts[1] * 256 + parts[2] * 65536);
}

namespace {
int frameThickness(const BarGeometry& bar) {
    return toPixels((bar.outerWidth - bar.clientWidth) / 2.0);
}
int hiddenTop(const BarGeometry& bar) {
    return -toPixels(bar.outerHeight - 1.5 * frameThickness(bar));
}
bool atBottom(BarPosition position) {
    return position == BarPosition::BottomRight || position == BarPosition::BottomEdge;
}
}  // namespace

BarPlacement hiddenPlacement(const BarGeometry& bar, int autoHide, BarPosition position, int screenWidth,
                             int screenHeight) {
    BarPlacement place{bar.left, bar.top};
    if (autoHide == 1) {
        // Behind the edge, leaving the same strip of 1.5 frame thicknesses on the screen at either edge.
        const int strip = bar.outerHeight + hiddenTop(bar);
        place.top = atBottom(position) ? screenHeight - strip : hiddenTop(bar);
    }
    switch (position) {
        case BarPosition::TopLeft:
            place.left = 0;
            break;
        case BarPosition::TopRight:
        case BarPosition::BottomRight:
            place.left = screenWidth - bar.outerWidth;
            break;
        case BarPosition::TopEdge:
            if (autoHide == 0) place.top = 0;
            break;
        default:
            break;
    }
    if (atBottom(position) && autoHide == 0) place.top = screenHeight - bar.outerHeight;
    return place;
}

BarPlacement revealedPlacement(const BarGeometry& bar, int autoHide, BarPosition position, int screenHeight) {
    BarPlacement place{bar.left, bar.top};
    if (autoHide == 1) place.top = atBottom(position) ? screenHeight - bar.outerHeight : 0;
    return place;
}

int tipLeft(double pointerX, int twipsPerPixelX, int buttonSize, int slot, int buttonCount, int tipWidth) {
    const double pitch = buttonSize + kButtonGap;
    if (slot > buttonCount / 2) return static_cast<int>(roundHalfEven(pitch * (slot + 1) - tipWidth));
    const double perPixel = twipsPerPixelX > 0 ? twipsPerPixelX : 15;
    return static_cast<int>(roundHalfEven(pointerX / perPixel + pitch * slot + kPressedOffset));
}

}  // namespace koruvan
