#pragma once
// Where the organiser's controls go for a window size: lists and buttons follow the window, everything in
// twips.

#include <array>
#include <cstddef>

#include "core/geometry.h"

namespace koruvan {

enum class ArrangeControl : std::size_t {
    DeskNameCaption,
    DeskName,
    AddApplication,
    Applications,
    ShortcutNameCaption,
    ShortcutName,
    PoolCaption,
    DeskItemsCaption,
    PoolList,
    CopyItems,
    RemoveItems,
    DeskList,
    Set,
    Cancel,
};
inline constexpr std::size_t kArrangeControlCount = 14;

using ArrangeLayout = std::array<Rect<int>, kArrangeControlCount>;

inline Rect<int>& at(ArrangeLayout& layout, ArrangeControl control) {
    return layout[static_cast<std::size_t>(control)];
}
inline const Rect<int>& at(const ArrangeLayout& layout, ArrangeControl control) {
    return layout[static_cast<std::size_t>(control)];
}

// The smallest outer size; a smaller window is set to exactly this, both ways.
inline constexpr Size<int> kArrangeMinimumSize{4665, 3675};
// The client area the dialog opens with.
inline constexpr Size<int> kArrangeDesignClient{4545, 3570};

// The layout for a window of the given outer width and client size. `deskNameWidth` is the width of the
// desk's name, to which its label is sized.
ArrangeLayout arrangeLayoutFor(int outerWidth, Size<int> client, int deskNameWidth);

}  // namespace koruvan
