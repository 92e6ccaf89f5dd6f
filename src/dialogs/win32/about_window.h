#pragma once
// The about box's window: the framed picture and the figure over it drawn from the program's bitmaps, the
// title drawn twice, a 100 ms timer; what is shown when is the AboutBox model's.

#include <windows.h>

#include <array>

#include "dialogs/about_box.h"
#include "platform/win32/dialog.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class AboutWindow final : public ModalDialog, public AboutView {
  public:
    explicit AboutWindow(Platform& platform) : model_(platform, *this) {}
    void open(HWND owner);

    void showPicture(int picture) override;
    void showFigure(int frame) override;
    void close() override;

  protected:
    bool onInit() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onDrawItem(const DRAWITEMSTRUCT& draw) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void drawPicture(const DRAWITEMSTRUCT& draw) const;
    void drawTitle(const DRAWITEMSTRUCT& draw) const;

    AboutBox model_;
    std::array<Bitmap, kAboutPictureCount> pictures_;
    std::array<Bitmap, 2> figures_;
    std::array<Bitmap, 3> icons_;
    Font titleFont_;
    int picture_ = 0;
    int figure_ = 0;  // 0 while the figure is hidden
};

}  // namespace koruvan::win32
