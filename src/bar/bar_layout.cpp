#include "bar/bar_layout.h"

#include <cmath>

#include "core/text.h"

namespace koruvan {

bool IsSizePreset(int sizeNum) {
    return sizeNum >= 0 && sizeNum <= 2;
}

int ButtonSizeFor(int sizeNum) {
    return IsSizePreset(sizeNum) ? 40 - 6 * sizeNum : sizeNum;
}

int SizeMenuIndexFor(int sizeNum) {
    return IsSizePreset(sizeNum) ? sizeNum : 3;
}

SlotLayout AssignSlots(const DeskTable& desks, const std::array<std::int16_t, kDeskCount>& previousSlots) {
    SlotLayout layout;
    layout.buttonSlot = previousSlots;
    for (int d = 0; d < kDeskCount; ++d) {
        if (desks[static_cast<std::size_t>(d)].exists()) {
            layout.buttonSlot[static_cast<std::size_t>(d)] = layout.buttonCount++;
        }
    }
    if (layout.buttonCount < kMinimumSlots) layout.buttonCount = kMinimumSlots;
    return layout;
}

double SlotLeft(int buttonSize, int slot) {
    return static_cast<double>(buttonSize + kButtonGap) * slot;
}

RealRect ButtonRect(int buttonSize, int slot, bool pressed) {
    const double off = pressed ? kPressedOffset : 0;
    return {SlotLeft(buttonSize, slot) + off, off, static_cast<double>(buttonSize), buttonSize * 0.75};
}

double BarClientWidth(int buttonSize, int buttonCount) {
    return (buttonCount + 0.2) * (buttonSize + kButtonGap);
}

double BarClientHeight(int buttonSize) {
    return buttonSize * 0.75 + 2;
}

int ToPixels(double value) {
    return static_cast<int>(std::floor(value + 0.5));
}

std::string Ccnv(const std::string& text) {
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
int Frame(const BarGeometry& bar) {
    return ToPixels((bar.outerWidth - bar.clientWidth) / 2.0);
}
int HiddenTop(const BarGeometry& bar) {
    return -ToPixels(bar.outerHeight - 1.5 * Frame(bar));
}
bool AtBottom(int position) {
    return position == 4 || position == 5;
}
}  // namespace

BarPlacement HiddenPlacement(const BarGeometry& bar, int autoHide, int position, int screenWidth,
                             int screenHeight) {
    BarPlacement place{bar.left, bar.top};
    if (autoHide == 1) {
        // Behind the edge, leaving the same strip of 1.5 frame thicknesses on the screen at either edge.
        const int strip = bar.outerHeight + HiddenTop(bar);
        place.top = AtBottom(position) ? screenHeight - strip : HiddenTop(bar);
    }
    switch (position) {
        case 0:
            place.left = 0;
            break;
        case 1:
        case 4:
            place.left = screenWidth - bar.outerWidth;
            break;
        case 2:
            if (autoHide == 0) place.top = 0;
            break;
        default:
            break;
    }
    if (AtBottom(position) && autoHide == 0) place.top = screenHeight - bar.outerHeight;
    return place;
}

BarPlacement RevealedPlacement(const BarGeometry& bar, int autoHide, int position, int screenHeight) {
    BarPlacement place{bar.left, bar.top};
    if (autoHide == 1) place.top = AtBottom(position) ? screenHeight - bar.outerHeight : 0;
    return place;
}

int TipLeft(double pointerX, int twipsPerPixelX, int buttonSize, int slot, int buttonCount, int tipWidth) {
    const double pitch = buttonSize + kButtonGap;
    if (slot > buttonCount / 2) return static_cast<int>(roundHalfEven(pitch * (slot + 1) - tipWidth));
    const double perPixel = twipsPerPixelX > 0 ? twipsPerPixelX : 15;
    return static_cast<int>(roundHalfEven(pointerX / perPixel + pitch * slot + kPressedOffset));
}

}  // namespace koruvan
