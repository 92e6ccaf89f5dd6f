#pragma once
// What the button-size dialog's model needs from its window. The Win32 view implements it; tests use a fake.

#include <cstdint>
#include <string>

namespace koruvan {

class ButtonSizeView {
  public:
    virtual ~ButtonSizeView() = default;

    // The preview's picture; one that cannot be loaded leaves the built-in picture.
    virtual void loadPreviewPicture(const std::string& path) = 0;
    virtual void setScrollRange(int smallest, int largest, int page) = 0;
    virtual void showScrollValue(int value) = 0;
    virtual void showSizeNumber(const std::string& text) = 0;
    // Pixels; the height may be a half pixel.
    virtual void setPreviewSize(int width, double height) = 0;
    // The name of the preset the size is, or hidden.
    virtual void showPresetName(bool shown, const std::string& name) = 0;
    // The bar's name tip for the current desk; colours are 0x00BBGGRR.
    virtual void setTipLook(const std::string& text, std::int32_t textColor, std::int32_t backColor) = 0;
    virtual void showTip(bool shown) = 0;
    virtual void close() = 0;
};

}  // namespace koruvan
