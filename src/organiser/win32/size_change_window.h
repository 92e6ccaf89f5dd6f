#pragma once
// The button-size dialog's window: standard controls from the IDD_SIZECHG template, the preview drawn by the
// dialog (its control carries a name for screen readers), the scroll bar and pointer movement passed to the
// SizeChangeDialog model.

#include "organiser/size_change_dialog.h"
#include "platform/win32/dialog.h"
#include "platform/win32/picture.h"

namespace koruvan::win32 {

class SizeChangeWindow final : public ModalDialog, public SizeChangeView {
  public:
    explicit SizeChangeWindow(SharedState& state) : model_(state, *this) {}
    ~SizeChangeWindow() override;
    void open(HWND owner);

    // SizeChangeView
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

    SizeChangeDialog model_;
    Picture picture_;
    POINT previewOrigin_{};
    COLORREF tipText_ = 0;
    COLORREF tipBack_ = 0;
    HBRUSH tipBrush_ = nullptr;
};

}  // namespace koruvan::win32
