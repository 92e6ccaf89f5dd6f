#pragma once
// What the settings dialog's model needs from its window. The Win32 view implements it; tests use a fake.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/shared_state.h"

namespace koruvan {

struct PositionLook {
    bool visible = true;
    bool chosen = false;  // drawn red and bold; otherwise black and plain
    friend bool operator==(const PositionLook&, const PositionLook&) = default;
};
using PositionLooks = std::array<PositionLook, kBarPositionCount>;

class SettingsView {
  public:
    virtual ~SettingsView() = default;

    virtual void showChecks(bool autoHide, bool topmost) = 0;
    virtual void showKinds(const std::vector<std::string>& entries, int selected) = 0;
    // The option buttons "文字" (true) and "背景".
    virtual void showColorPart(bool text) = 0;
    virtual void showSample(std::int32_t textColor, std::int32_t backColor) = 0;
    virtual void showPositions(const PositionLooks& looks) = 0;
    // A question with an exclamation icon and the buttons Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // The desk dialog on a slot and the about box, modal over this one.
    virtual FileResult openDeskDialog(int slot) = 0;
    virtual void openAbout() = 0;
    // Ends the program the way the bar's own command does.
    virtual void endProgram() = 0;
    virtual void close() = 0;
};

}  // namespace koruvan
