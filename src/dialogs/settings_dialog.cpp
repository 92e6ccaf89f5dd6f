#include "dialogs/settings_dialog.h"

#include "store/settings.h"

namespace koruvan {

SettingsDialog::SettingsDialog(Platform& platform, SharedState& state, SettingsView& view)
    : platform_(platform), state_(state), view_(view) {}

void SettingsDialog::OnOpen() {
    workColors_ = state_.BarColors;
    // Shown as the bar behaves with them: auto-hide only for 1, in front for anything but 0, and a position
    // it does not know as free (the bar then stays where it is).
    autoHide_ = state_.AutoHide == 1;
    topmost_ = state_.Topwindow != 0;
    chosenPosition_ =
        state_.Position >= 0 && state_.Position < kPositionCount ? state_.Position : kFreePosition;
    // "自由" is hidden while auto-hide is ticked: the choice never rests on a label that cannot be seen.
    if (autoHide_ && chosenPosition_ == kFreePosition) chosenPosition_ = 0;
    view_.showChecks(autoHide_, topmost_);
    kind_ = 0;
    view_.showKinds({"現在のﾃﾞｽｸﾄｯﾌﾟ", "移動可能なﾃﾞｽｸﾄｯﾌﾟ"}, kind_);
    textPart_ = true;
    view_.showColorPart(textPart_);
    showSample();
    showPositions();
}

void SettingsDialog::showSample() {
    const auto& pair = workColors_[static_cast<std::size_t>(kind_)];
    view_.showSample(pair[0], pair[1]);
}

void SettingsDialog::showPositions() {
    PositionLooks looks{};
    for (int p = 0; p < kPositionCount; ++p)
        looks[static_cast<std::size_t>(p)].chosen = p == chosenPosition_;
    looks[kFreePosition].visible = !autoHide_;
    view_.showPositions(looks);
}

void SettingsDialog::OnKindChosen(int kind) {
    if (kind != 0 && kind != 1) return;
    kind_ = kind;
    showSample();
}

void SettingsDialog::OnColorPartChosen(bool text) {
    textPart_ = text;
}

void SettingsDialog::OnSwatchClicked(int swatch) {
    if (swatch < 0 || swatch >= static_cast<int>(kPalette.size())) return;
    workColors_[static_cast<std::size_t>(kind_)][textPart_ ? 0 : 1] =
        kPalette[static_cast<std::size_t>(swatch)];
    showSample();
}

void SettingsDialog::OnPositionClicked(int position) {
    if (position < 0 || position >= kPositionCount || position == chosenPosition_) return;
    chosenPosition_ = position;
    showPositions();
}

void SettingsDialog::OnAutoHideChanged(bool ticked) {
    autoHide_ = ticked;
    // A free bar cannot hide behind an edge of its own choosing: the choice moves to the top left.
    if (autoHide_ && chosenPosition_ == kFreePosition) chosenPosition_ = 0;
    showPositions();
}

void SettingsDialog::OnTopmostChanged(bool ticked) {
    topmost_ = ticked;
}

void SettingsDialog::OnOK() {
    state_.BarColors = workColors_;
    state_.Position = static_cast<std::int16_t>(chosenPosition_);
    state_.Topwindow = topmost_ ? 1 : 0;
    state_.AutoHide = autoHide_ ? 1 : 0;
    SaveSettings(platform_, state_);
    state_.dialogCancelled = 0;
    view_.close();
}

void SettingsDialog::OnCancel() {
    state_.dialogCancelled = 1;
    view_.close();
}

void SettingsDialog::OnClose() {
    view_.close();
}

void SettingsDialog::OnNewDesk() {
    state_.targetDesk = static_cast<std::int16_t>(FirstFreeDeskSlot(state_.deskTable));
    view_.openDeskDialog();
}

void SettingsDialog::OnAbout() {
    view_.openAbout();
}

void SettingsDialog::OnQuit() {
    if (view_.askYesNo("「コルヴァン」を終了しますか", "終了処理")) view_.endProgram();
}

}  // namespace koruvan
