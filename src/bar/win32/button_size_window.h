#pragma once
// The button-size dialog's window: standard controls from the IDD_BUTTON_SIZE template, the preview drawn by
// the dialog (its control carries a name for screen readers), the scroll bar and pointer movement passed to
// the ButtonSizeDialog model.

#include "bar/button_size_dialog.h"
#include "platform/win32/dialog.h"
#include "platform/win32/picture.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class ButtonSizeWindow final : public ModalDialog, public ButtonSizeView {
  public:
    explicit ButtonSizeWindow(const SharedState& state) : model_(state, *this) {}
    // The width chosen; nothing when the dialog was cancelled or closed.
    std::optional<int> open(HWND owner);

    // ButtonSizeView
    void loadPreviewPicture(const std::string& path) override;
    void setScrollRange(int smallest, int largest, int page) override;
    void showScrollValue(int value) override;
    void showSizeNumber(const std::string& text) override;
    void setPreviewSize(int width, double height) override;
    void showPresetName(bool shown, const std::string& name) override;
    void setTipLook(const std::string& text, std::int32_t textColor, std::int32_t backColor) override;
    void showTip(bool shown) override;
    void close() override;

  protected:
    bool onInit() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void onScroll(int code);
    void onPointerMoved(POINT point);

    ButtonSizeDialog model_;
    Picture picture_;
    POINT previewOrigin_{};
    COLORREF tipText_ = 0;
    COLORREF tipBack_ = 0;
    Brush tipBrush_;
};

}  // namespace koruvan::win32
