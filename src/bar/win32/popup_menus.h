#pragma once
// The bar's pop-up menus, built from the standard menu calls. Item identifiers are the commands themselves;
// the tray menu's desks come after them.

#include <windows.h>

#include <string>
#include <vector>

#include "bar/bar_popups.h"

namespace koruvan::win32 {

HMENU makeDeskMenu(bool openAndDeleteEnabled);
HMENU makeOptionsMenu(int checkedSizeItem);
// The named desks, the current one checked, the toggles, then the options menu's items.
HMENU makeTrayMenu(const std::vector<TrayDesk>& desks, const std::vector<TrayToggle>& toggles,
                   int checkedSizeItem);

// A desk's name as menu text: "&" would mark the next character as the item's access key.
std::wstring menuText(const std::string& text);

// Shows the menu at the pointer for `owner`, destroys it and gives the chosen item (0 for none).
UINT trackMenuAtPointer(HWND owner, HMENU menu);
MenuCommand commandOf(UINT item);
// The desk of a tray menu item, or -1 for a command.
int trayDeskOf(UINT item);

}  // namespace koruvan::win32
