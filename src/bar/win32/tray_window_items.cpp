#include "bar/win32/tray_window_items.h"

#include <optional>
#include <string>

#include "bar/win32/popup_menus.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

// Above the tray menu's desk items.
constexpr UINT kFirstMoveItem = 1100;
constexpr UINT kFirstProgramDeskItem = 1200;
constexpr UINT kNoProgramDeskItem = kFirstProgramDeskItem + kDeskCount;

UINT checkedIf(bool on) {
    return on ? MF_CHECKED : MF_UNCHECKED;
}

}  // namespace

void insertTrayWindowItems(HMENU menu, UINT position, const TrayWindowItems& items) {
    // Destroying the menu destroys the submenu too.
    HMENU desks = CreatePopupMenu();
    for (const TrayDesk& desk : items.moveDesks) {
        AppendMenuW(desks, MF_STRING | checkedIf(desk.current), kFirstMoveItem + static_cast<UINT>(desk.desk),
                    menuText(desk.text).c_str());
    }
    HMENU programDesks = CreatePopupMenu();
    bool ruled = false;
    for (const TrayDesk& desk : items.programDesks)
        ruled = ruled || desk.current;
    AppendMenuW(programDesks, MF_STRING | checkedIf(!ruled), kNoProgramDeskItem, L"(決めない)");
    for (const TrayDesk& desk : items.programDesks) {
        AppendMenuW(programDesks, MF_STRING | checkedIf(desk.current),
                    kFirstProgramDeskItem + static_cast<UINT>(desk.desk), menuText(desk.text).c_str());
    }
    const auto insert = [&](UINT flags, UINT_PTR item, const std::string& text) {
        InsertMenuW(menu, position++, MF_BYPOSITION | flags, item,
                    text.empty() ? nullptr : widen(text).c_str());
    };
    const UINT window = items.enabled && items.windowChosen ? MF_ENABLED : MF_GRAYED;
    const UINT hide = items.enabled ? MF_ENABLED : MF_GRAYED;
    const std::string pin = "すべてのデスクに表示" + (items.pinKey.empty() ? "" : "\t" + items.pinKey);
    insert(MF_SEPARATOR, 0, "");
    insert(MF_POPUP | MF_STRING | window, reinterpret_cast<UINT_PTR>(desks), "このウィンドウを移動");
    insert(MF_POPUP | MF_STRING | (items.programEnabled ? MF_ENABLED : MF_GRAYED),
           reinterpret_cast<UINT_PTR>(programDesks), "このプログラムを開くデスク");
    insert(MF_STRING | window | checkedIf(items.pinned), static_cast<UINT_PTR>(MenuCommand::PinWindow), pin);
    insert(MF_STRING | hide | checkedIf(items.hideOtherDeskWindows),
           static_cast<UINT_PTR>(MenuCommand::HideOtherDeskWindows), "他のデスクのウィンドウを隠す");
    insert(MF_STRING | checkedIf(items.startWithWindows),
           static_cast<UINT_PTR>(MenuCommand::StartWithWindows), "Windows の起動時に開始");
}

int trayMoveDeskOf(UINT item) {
    return item >= kFirstMoveItem && item < kFirstMoveItem + kDeskCount
               ? static_cast<int>(item - kFirstMoveItem)
               : -1;
}

std::optional<int> trayProgramDeskOf(UINT item) {
    if (item == kNoProgramDeskItem) return -1;
    if (item >= kFirstProgramDeskItem && item < kNoProgramDeskItem)
        return static_cast<int>(item - kFirstProgramDeskItem);
    return std::nullopt;
}

}  // namespace koruvan::win32
