#pragma once
// The numbers of the desk bar: button sizes, slots, geometry, placement. Pure functions, in pixels.

#include <array>
#include <cstdint>
#include <string>

#include "store/shared_state.h"

namespace koruvan {

constexpr int kMinimumSlots = 3;
constexpr int kButtonGap = 2;
constexpr int kPressedOffset = 2;

struct RealRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const RealRect&, const RealRect&) = default;
};

// SizeNum 0, 1, 2 are the presets 40, 34, 28; any other value is a width in pixels.
bool IsSizePreset(int sizeNum);
int ButtonSizeFor(int sizeNum);
// The size menu item that carries the check mark: the preset index, or 3 for a custom size.
int SizeMenuIndexFor(int sizeNum);

struct SlotLayout {
    std::int16_t buttonCount = 0;
    std::array<std::int16_t, kDeskCount> buttonSlot{};
};
// Named desks take consecutive slots in desk order; the bar is never narrower than three slots. Slots of
// unnamed desks keep the values they had.
SlotLayout AssignSlots(const DeskTable& desks, const std::array<std::int16_t, kDeskCount>& previousSlots);

double SlotLeft(int buttonSize, int slot);
RealRect ButtonRect(int buttonSize, int slot, bool pressed);
double BarClientWidth(int buttonSize, int buttonCount);
double BarClientHeight(int buttonSize);

// The window system works in whole pixels: sizes and positions are rounded to the nearest, halves up.
int ToPixels(double value);

// "R G B" (the form of the desktop's Background value) to the decimal text of R + G*256 + B*65536.
std::string Ccnv(const std::string& text);

struct BarPlacement {
    int left = 0;
    int top = 0;
};
struct BarGeometry {
    int left = 0;
    int top = 0;
    int outerWidth = 0;
    int outerHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};
// Where FormHide puts the bar for the settings AutoHide and Position on a screen of the given size.
BarPlacement HiddenPlacement(const BarGeometry& bar, int autoHide, int position, int screenWidth,
                             int screenHeight);
// Where the hidden bar goes when the pointer moves over its visible strip.
BarPlacement RevealedPlacement(const BarGeometry& bar, int autoHide, int position, int screenHeight);

// Left edge of the name tip over the button in `slot`: beside the pointer, or ending at the slot's right end
// in the right half of the bar.
int TipLeft(double pointerX, int twipsPerPixelX, int buttonSize, int slot, int buttonCount, int tipWidth);

}  // namespace koruvan
