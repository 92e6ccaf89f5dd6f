#pragma once
// The settings dialog: the bar's position, auto-hide and always-on-top, and the colours of the
// desk-name tip. It edits working copies; only OK stores them. It also opens the desk dialog and the about
// box, and can end the program.

#include <array>
#include <cstdint>

#include "core/dialog_result.h"
#include "dialogs/settings_view.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// The colours a swatch can set, left to right (0x00BBGGRR).
inline constexpr std::array<std::int32_t, 15> kPalette{
    0xFFFFFF, 0x808080, 0x000000, 0x8080FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF80FF,
    0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF,
};

class SettingsDialog {
  public:
    SettingsDialog(Platform& platform, SharedState& state, SettingsView& view);

    void onOpen();
    void onKindChosen(int kind);
    void onColorPartChosen(bool text);
    void onSwatchClicked(int swatch);
    void onPositionClicked(int position);
    void onAutoHideChanged(bool ticked);
    void onTopmostChanged(bool ticked);
    void onOk();
    void onCancel();
    // Closed other than by its buttons: nothing is stored.
    void onClose();
    void onNewDesk();
    void onAbout();
    void onQuit();

    DialogResult result() const { return result_; }
    // What became of the dialog's writes: the settings at OK, a desk made from it.
    FileResult written() const { return written_; }
    const TipColorTable& workColors() const { return workColors_; }
    BarPosition chosenPosition() const { return chosenPosition_; }

  private:
    void showSample();
    void showPositions();

    Platform& platform_;
    SharedState& state_;
    SettingsView& view_;
    DialogResult result_ = DialogResult::Closed;
    FileResult written_;
    TipColorTable workColors_{};
    BarPosition chosenPosition_ = BarPosition::TopLeft;
    bool autoHide_ = false;
    bool topmost_ = false;
    TipKind kind_ = TipKind::CurrentDesk;
    bool textPart_ = true;
};

}  // namespace koruvan
