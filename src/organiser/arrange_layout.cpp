#include "organiser/arrange_layout.h"

namespace koruvan {
namespace {

constexpr int kMargin = 240;
constexpr int kGap = 120;
// The button strip along the bottom edge: its height, and the buttons' top inside it.
constexpr int kStripHeight = 630;
constexpr int kStripButtonTop = 120;

// The design places; the widths and lefts that follow the window are filled in by arrangeLayoutFor.
constexpr ArrangeLayout kDesign{{
    {90, 60, 1005, 195},              // DeskNameCaption
    {1110, 30, 0, 240},               // DeskName
    {180, 390, 1755, 405},            // AddApplication
    {2100, 300, 0, 300},              // Applications
    {2070, 660, 855, 180},            // ShortcutNameCaption
    {2970, 600, 0, 270},              // ShortcutName
    {90, 930, 1455, 345},             // PoolCaption
    {0, 930, 1485, 345},              // DeskItemsCaption
    {60, 1320, 0, 0},                 // PoolList
    {0, 1440, 735, 345},              // CopyItems
    {0, 2400, 855, 375},              // RemoveItems
    {0, 1320, 0, 0},                  // DeskList
    {0, kStripButtonTop, 1035, 405},  // Set
    {0, kStripButtonTop, 1035, 405},  // Cancel
}};

}  // namespace

ArrangeLayout arrangeLayoutFor(int outerWidth, Size<int> client, int deskNameWidth) {
    using enum ArrangeControl;
    ArrangeLayout layout = kDesign;
    at(layout, DeskName).width = deskNameWidth;

    Rect<int>& shortcut = at(layout, ShortcutName);
    shortcut.width = outerWidth - shortcut.left - kMargin;
    Rect<int>& applications = at(layout, Applications);
    applications.width = outerWidth - applications.left - kMargin;

    const int stripTop = client.height - kStripHeight;
    Rect<int>& cancel = at(layout, Cancel);
    Rect<int>& set = at(layout, Set);
    cancel.left = client.width - cancel.width - kMargin;
    set.left = cancel.left - set.width - kMargin;
    cancel.top += stripTop;
    set.top += stripTop;

    Rect<int>& copy = at(layout, CopyItems);
    copy.left = (client.width - copy.width) / 2;
    at(layout, RemoveItems).left = copy.left;

    Rect<int>& pool = at(layout, PoolList);
    Rect<int>& desk = at(layout, DeskList);
    pool.width = (client.width - copy.width) / 2 - kMargin;
    desk.width = pool.width;
    pool.height = stripTop - pool.top - kGap;
    desk.height = pool.height;
    desk.left = copy.left + copy.width + kGap;
    at(layout, DeskItemsCaption).left = desk.left + 60;
    for (Rect<int>& rect : layout) {  // a window below the minimum size never gets one
        if (rect.width < 0) rect.width = 0;
        if (rect.height < 0) rect.height = 0;
    }
    return layout;
}

}  // namespace koruvan
