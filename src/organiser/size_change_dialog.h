#pragma once
// The button-size dialog frmSIZECHG: any button width from a scroll bar, with a preview of a button of that
// size. Set leaves the width in SizeNum; the bar turns preset widths back into presets and saves it.

#include "organiser/size_change_view.h"
#include "store/shared_state.h"

namespace koruvan {

enum class ScrollMove { LineLess, LineMore, PageLess, PageMore, Least, Most, To };
// What is under the pointer as it moves over the dialog.
enum class PointerPlace { Preview, Background, OtherControl };

class SizeChangeDialog {
  public:
    static constexpr int kSmallest = 28;
    static constexpr int kLargest = 64;
    static constexpr int kPage = 6;  // from one preset to the next

    SizeChangeDialog(SharedState& state, SizeChangeView& view);

    void OnLoad();
    // `to` is the thumb's position for ScrollMove::To.
    void OnScroll(ScrollMove move, int to = 0);
    void OnPointerMoved(PointerPlace place);
    void OnSet();
    // The cancel button and the close box: SizeNum stays as it was.
    void OnCancel();

    int value() const { return value_; }

  private:
    // A value outside the scroll bar's range is refused and changes nothing.
    void assign(int value);

    SharedState& state_;
    SizeChangeView& view_;
    int value_ = kSmallest;
};

}  // namespace koruvan
