#include "dialogs/settings_dialog.h"

#include "store/settings.h"

namespace koruvan {

SettingsDialog::SettingsDialog(Platform& platform, SharedState& state, SettingsView& view)
    : platform_(platform), state_(state), view_(view) {}

void SettingsDialog::onOpen() {
    workColors_ = state_.tipColors;
    // Shown as the bar behaves with them: auto-hide only for 1, in front for anything but 0, and a position
    // it does not know as free (the bar then stays where it is).
    autoHide_ = state_.autoHide == 1;
    topmost_ = state_.alwaysOnTop != 0;
    const int stored = static_cast<int>(state_.barPosition);
    chosenPosition_ = stored >= 0 && stored < kBarPositionCount ? state_.barPosition : BarPosition::Free;
    // "自由" is hidden while auto-hide is ticked: the choice never rests on a label that cannot be seen.
    if (autoHide_ && chosenPosition_ == BarPosition::Free) chosenPosition_ = BarPosition::TopLeft;
    view_.showChecks(autoHide_, topmost_);
    kind_ = TipKind::CurrentDesk;
    view_.showKinds({"現在のﾃﾞｽｸﾄｯﾌﾟ", "移動可能なﾃﾞｽｸﾄｯﾌﾟ"}, static_cast<int>(kind_));
    textPart_ = true;
    view_.showColorPart(textPart_);
    showSample();
    showPositions();
}

void SettingsDialog::showSample() {
    view_.showSample(tipColor(workColors_, kind_, TipPart::Text),
                     tipColor(workColors_, kind_, TipPart::Background));
}

void SettingsDialog::showPositions() {
    PositionLooks looks{};
    for (int p = 0; p < kBarPositionCount; ++p)
        looks[static_cast<std::size_t>(p)].chosen = p == static_cast<int>(chosenPosition_);
    looks[static_cast<std::size_t>(BarPosition::Free)].visible = !autoHide_;
    view_.showPositions(looks);
}

void SettingsDialog::onKindChosen(int kind) {
    if (kind != 0 && kind != 1) return;
    kind_ = static_cast<TipKind>(kind);
    showSample();
}

void SettingsDialog::onColorPartChosen(bool text) {
    textPart_ = text;
}

void SettingsDialog::onSwatchClicked(int swatch) {
    if (swatch < 0 || swatch >= static_cast<int>(kPalette.size())) return;
    tipColor(workColors_, kind_, textPart_ ? TipPart::Text : TipPart::Background) =
        kPalette[static_cast<std::size_t>(swatch)];
    showSample();
}

void SettingsDialog::onPositionClicked(int position) {
    if (position < 0 || position >= kBarPositionCount || position == static_cast<int>(chosenPosition_))
        return;
    chosenPosition_ = static_cast<BarPosition>(position);
    showPositions();
}

void SettingsDialog::onAutoHideChanged(bool ticked) {
    autoHide_ = ticked;
    // A free bar cannot hide behind an edge of its own choosing: the choice moves to the top left.
    if (autoHide_ && chosenPosition_ == BarPosition::Free) chosenPosition_ = BarPosition::TopLeft;
    showPositions();
}

void SettingsDialog::onTopmostChanged(bool ticked) {
    topmost_ = ticked;
}

void SettingsDialog::onOk() {
    state_.tipColors = workColors_;
    state_.barPosition = chosenPosition_;
    state_.alwaysOnTop = topmost_ ? 1 : 0;
    state_.autoHide = autoHide_ ? 1 : 0;
    if (const FileResult saved = saveSettings(platform_.files, state_); !saved) written_ = saved;
    result_ = DialogResult::Stored;
    view_.close();
}

void SettingsDialog::onCancel() {
    result_ = DialogResult::Cancelled;
    view_.close();
}

void SettingsDialog::onClose() {
    view_.close();
}

void SettingsDialog::onNewDesk() {
    if (const FileResult made = view_.openDeskDialog(firstFreeDeskSlot(state_.deskTable)); !made)
        written_ = made;
}

void SettingsDialog::onAbout() {
    view_.openAbout();
}

void SettingsDialog::onQuit() {
    if (view_.askYesNo("「コルヴァン」を終了しますか", "終了処理")) view_.endProgram();
}

}  // namespace koruvan
