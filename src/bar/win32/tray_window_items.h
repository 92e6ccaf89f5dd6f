#pragma once
// The tray menu's window group: move or pin the window that was active before the menu opened, choose the
// desk its program opens on, hide the other desks' windows, start with Windows.

#include <windows.h>

#include <optional>

#include "bar/bar_popups.h"

namespace koruvan::win32 {

// Inserts the group, led by a separator, at `position` of the tray menu (after its desks).
void insertTrayWindowItems(HMENU menu, UINT position, const TrayWindowItems& items);
// The desk of an item of the move submenu, or -1 for another item.
int trayMoveDeskOf(UINT item);
// The desk of an item of "このプログラムを開くデスク": -1 for "(決めない)", nothing for another item.
std::optional<int> trayProgramDeskOf(UINT item);

}  // namespace koruvan::win32
