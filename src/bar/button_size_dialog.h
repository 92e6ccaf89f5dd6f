#pragma once
// The button-size dialog: any button width from a scroll bar, with a preview of a button of that size. Set
// gives the width chosen; the bar stores it.

#include <optional>

#include "bar/button_size_view.h"
#include "store/shared_state.h"

namespace koruvan {

enum class ScrollMove { LineLess, LineMore, PageLess, PageMore, Least, Most, To };
// What is under the pointer as it moves over the dialog.
enum class PointerPlace { Preview, Background, OtherControl };

class ButtonSizeDialog {
  public:
    static constexpr int kSmallest = 28;
    static constexpr int kLargest = 64;
    static constexpr int kPage = 6;  // from one preset to the next

    ButtonSizeDialog(const SharedState& state, ButtonSizeView& view);

    void onLoad();
    // `to` is the thumb's position for ScrollMove::To.
    void onScroll(ScrollMove move, int to = 0);
    void onPointerMoved(PointerPlace place);
    void onSet();
    // The cancel button and the close box: no width is chosen.
    void onCancel();

    int value() const { return value_; }
    // The width Set chose; nothing before Set, or after Cancel.
    std::optional<int> chosenWidth() const { return chosenWidth_; }

  private:
    // A value outside the scroll bar's range is refused and changes nothing.
    void assign(int value);

    const SharedState& state_;
    ButtonSizeView& view_;
    int value_ = kSmallest;
    std::optional<int> chosenWidth_;
};

}  // namespace koruvan
