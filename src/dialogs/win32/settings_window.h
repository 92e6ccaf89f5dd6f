#pragma once
// The settings dialog's window: standard controls from the IDD_SETTINGS template. The swatches, the position
// labels and the screen picture behind them are drawn here; everything they mean is the SettingsDialog
// model's.

#include <windows.h>

#include <string>

#include "dialogs/settings_dialog.h"
#include "platform/win32/dialog.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class SettingsWindow final : public ModalDialog, public SettingsView {
  public:
    SettingsWindow(Platform& platform, SharedState& state);
    DialogResult open(HWND owner);
    FileResult written() const { return model_.written(); }

    // SettingsView
    void showChecks(bool autoHide, bool topmost) override;
    void showKinds(const std::vector<std::string>& entries, int selected) override;
    void showColorPart(bool text) override;
    void showSample(std::int32_t textColor, std::int32_t backColor) override;
    void showPositions(const PositionLooks& looks) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    FileResult openDeskDialog(int slot) override;
    void openAbout() override;
    void endProgram() override;
    void close() override;

  protected:
    bool onInit() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onDrawItem(const DRAWITEMSTRUCT& draw) override;
    bool onCloseBox() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void drawScreen(const DRAWITEMSTRUCT& draw) const;
    void drawPosition(const DRAWITEMSTRUCT& draw, int position) const;
    void drawSwatch(const DRAWITEMSTRUCT& draw, int swatch) const;

    Platform& platform_;
    SharedState& state_;
    SettingsDialog model_;
    PositionLooks positions_{};
    COLORREF sampleText_ = 0;
    Brush sampleBrush_;
    Font boldFont_;
};

}  // namespace koruvan::win32
