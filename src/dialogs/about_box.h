#pragma once
// The about box: a framed picture that changes at every ten-second mark of the clock, and a small
// figure that a Ctrl+double-click on the picture brings out, changing frame at every tick.

#include "platform/platform.h"

namespace koruvan {

constexpr int kAboutPictureCount = 10;
constexpr int kAboutTickMilliseconds = 100;

class AboutView {
  public:
    virtual ~AboutView() = default;
    virtual void showPicture(int picture) = 0;  // 0..9
    virtual void showFigure(int frame) = 0;     // 1 or 2; called only while the figure is out
    virtual void close() = 0;
};

class AboutBox {
  public:
    AboutBox(Platform& platform, AboutView& view);

    void onOpen();
    void onTimer();
    void onPictureMouseDown(bool ctrlHeld);
    void onPictureDoubleClick();
    void onOk();

    int pictureIndex() const { return pictureIndex_; }
    int shownPicture() const { return shownPicture_; }
    bool figureVisible() const { return figureVisible_; }
    int figureFrame() const { return figureFrame_; }

  private:
    // The picture stored at an index. The display is itself the first store, so index 0 holds whatever it
    // shows.
    int storedPicture(int index) const { return index == 0 ? shownPicture_ : index; }

    Platform& platform_;
    AboutView& view_;
    int pictureIndex_ = 0;
    int shownPicture_ = 0;
    bool advanced_ = false;
    bool ctrlHeld_ = false;
    bool figureVisible_ = false;
    int figureFrame_ = 1;
};

}  // namespace koruvan
