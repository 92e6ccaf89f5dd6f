#pragma once
// The numbers of the desk bar: button sizes, slots, geometry, placement. Pure functions, in pixels.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "store/shared_state.h"

namespace koruvan {

constexpr int kMinimumSlots = 3;
constexpr int kButtonGap = 2;
constexpr int kPressedOffset = 2;

// The button-size setting: 0, 1, 2 are the presets 40, 34, 28 pixels; any other value is a width in pixels.
bool isSizePreset(int setting);
int buttonSizeFor(int setting);
// The setting that stores a button width: a preset's width as that preset, any other width as itself.
int buttonSizeSettingFor(int width);
// The size menu item that carries the check mark: the preset index, or 3 for a custom size.
int sizeMenuIndexFor(int setting);

struct SlotLayout {
    std::int16_t buttonCount = 0;
    std::array<std::int16_t, kDeskCount> buttonSlot{};
};
// named desks take consecutive slots in desk order; the bar is never narrower than three slots. Slots of
// unnamed desks keep the values they had.
SlotLayout assignSlots(const DeskTable& desks, const std::array<std::int16_t, kDeskCount>& previousSlots);
// The same with the named desks in a given order (see DeskFollower::viewOrder): each takes the slot of its
// place in it.
SlotLayout assignSlots(const std::vector<int>& order,
                       const std::array<std::int16_t, kDeskCount>& previousSlots);

double slotLeft(int buttonSize, int slot);
Rect<double> buttonRect(int buttonSize, int slot, bool pressed);
double barClientWidth(int buttonSize, int buttonCount);
double barClientHeight(int buttonSize);

// The window system works in whole pixels: sizes and positions are rounded to the nearest, halves up.
int toPixels(double value);

// "R G B" (the form of the desktop's Background value) to the decimal text of R + G*256 + B*65536.
std::string rgbTextToColorNumber(const std::string& text);

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
// Where placeOrHide puts the bar for the auto-hide and position settings on a screen of the given size.
BarPlacement hiddenPlacement(const BarGeometry& bar, int autoHide, BarPosition position, int screenWidth,
                             int screenHeight);
// Where the hidden bar goes when the pointer moves over its visible strip.
BarPlacement revealedPlacement(const BarGeometry& bar, int autoHide, BarPosition position, int screenHeight);

// Left edge of the name tip over the button in `slot`: beside the pointer, or ending at the slot's right end
// in the right half of the bar.
int tipLeft(double pointerX, int twipsPerPixelX, int buttonSize, int slot, int buttonCount, int tipWidth);

}  // namespace koruvan
