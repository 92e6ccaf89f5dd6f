#pragma once
// A ButtonSizeView for native tests: keeps what the dialog shows.

#include <string>

#include "bar/button_size_view.h"

namespace koruvan::testing {

class FakeButtonSizeView : public ButtonSizeView {
  public:
    std::string picture = "<built-in>";
    int smallest = 0;
    int largest = 0;
    int scrollValue = -1;
    std::string sizeNumber;
    int previewWidth = 64;
    double previewHeight = 48;
    bool presetShown = false;
    std::string presetName;
    std::string tipText;
    std::int32_t tipTextColor = -1;
    std::int32_t tipBackColor = -1;
    bool tipShown = false;
    bool closed = false;

    void loadPreviewPicture(const std::string& path) override { picture = path; }
    void setScrollRange(int low, int high, int) override {
        smallest = low;
        largest = high;
    }
    void showScrollValue(int value) override { scrollValue = value; }
    void showSizeNumber(const std::string& text) override { sizeNumber = text; }
    void setPreviewSize(int width, double height) override {
        previewWidth = width;
        previewHeight = height;
    }
    void showPresetName(bool shown, const std::string& name) override {
        presetShown = shown;
        presetName = name;
    }
    void setTipLook(const std::string& text, std::int32_t textColor, std::int32_t backColor) override {
        tipText = text;
        tipTextColor = textColor;
        tipBackColor = backColor;
    }
    void showTip(bool shown) override { tipShown = shown; }
    void close() override { closed = true; }
};

}  // namespace koruvan::testing
