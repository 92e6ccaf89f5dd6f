#pragma once
// Filling the standard list controls, list box and combo box, from the texts a model gives.

#include <windows.h>

#include <string>
#include <vector>

namespace koruvan::win32 {

enum class ListControl { ListBox, ComboBox };

// Replaces every entry of `control` with `texts` in their order and selects the entry `selected` (none when
// negative), without redrawing the control entry by entry.
void fillList(HWND control, ListControl kind, const std::vector<std::string>& texts, int selected = -1);

}  // namespace koruvan::win32
