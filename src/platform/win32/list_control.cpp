#include "platform/win32/list_control.h"

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {

void fillList(HWND control, ListControl kind, const std::vector<std::string>& texts, int selected) {
    const bool combo = kind == ListControl::ComboBox;
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SendMessageW(control, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) {
        SendMessageW(control, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(widen(text).c_str()));
    }
    if (selected >= 0)
        SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

}  // namespace koruvan::win32
