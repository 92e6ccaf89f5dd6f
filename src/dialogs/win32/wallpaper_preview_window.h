#pragma once
// The enlarged wallpaper preview's window: the picture drawn over the whole client area, mouse buttons and
// size changes passed to the WallpaperPreview model.

#include <optional>
#include <string>

#include "dialogs/wallpaper_preview.h"
#include "platform/win32/dialog.h"
#include "platform/win32/picture.h"

namespace koruvan::win32 {

class WallpaperPreviewWindow final : public ModalDialog, public WallpaperPreviewView {
  public:
    explicit WallpaperPreviewWindow(std::string path) : path_(std::move(path)) {}
    void open(HWND owner);

    Size<int> outerSize() override;
    Size<int> clientSize() override;
    void setOuterSize(Size<int> size) override;
    void placePicture(int left, int top, int width, int height) override;

  protected:
    bool onInit() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onDrawItem(const DRAWITEMSTRUCT& draw) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    std::string path_;
    Picture picture_;
    std::optional<WallpaperPreview> model_;
};

}  // namespace koruvan::win32
