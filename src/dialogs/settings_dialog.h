#pragma once
// The settings dialog frmSET: the bar's position, auto-hide and always-on-top, and the colours of the
// desk-name tip. It edits working copies; only OK stores them. It also opens the desk dialog and the about
// box, and can end the program.

#include <array>
#include <cstdint>

#include "dialogs/settings_view.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// The colours a swatch can set, left to right (0x00BBGGRR).
inline constexpr std::array<std::int32_t, 15> kPalette{
    0xFFFFFF, 0x808080, 0x000000, 0x8080FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF80FF,
    0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF,
};

inline constexpr int kFreePosition = 3;

class SettingsDialog {
  public:
    SettingsDialog(Platform& platform, SharedState& state, SettingsView& view);

    void OnOpen();
    void OnKindChosen(int kind);
    void OnColorPartChosen(bool text);
    void OnSwatchClicked(int swatch);
    void OnPositionClicked(int position);
    void OnAutoHideChanged(bool ticked);
    void OnTopmostChanged(bool ticked);
    void OnOK();
    void OnCancel();
    // Closed other than by its buttons: nothing is stored and dialogCancelled stays as it was.
    void OnClose();
    void OnNewDesk();
    void OnAbout();
    void OnQuit();

    const BarColorTable& workColors() const { return workColors_; }
    int chosenPosition() const { return chosenPosition_; }

  private:
    void showSample();
    void showPositions();

    Platform& platform_;
    SharedState& state_;
    SettingsView& view_;
    BarColorTable workColors_{};
    int chosenPosition_ = 0;
    bool autoHide_ = false;
    bool topmost_ = false;
    int kind_ = 0;
    bool textPart_ = true;
};

}  // namespace koruvan
