#include "platform/win32/dialog.h"

#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_session.h"

namespace koruvan::win32 {

INT_PTR ModalDialog::run(HWND owner, int templateId) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                           &ModalDialog::procedure, reinterpret_cast<LPARAM>(this));
}

void ModalDialog::end(INT_PTR result) {
    if (hwnd_) EndDialog(hwnd_, result);
}

void ModalDialog::setItemText(int id, const std::string& text) const {
    SetDlgItemTextW(hwnd_, id, widen(text).c_str());
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string ModalDialog::itemText(int id) const {
    return narrow(windowText(item(id)));
}

int ModalDialog::dotsPerInch() const {
    const WindowDc dc(hwnd_);
    const int dpi = GetDeviceCaps(dc.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : 96;
}

void ModalDialog::warn(const std::string& text, const std::string& title) const {
    MessageBoxW(hwnd_, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

INT_PTR CALLBACK ModalDialog::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return dispatch(hwnd, message, wParam, lParam);
    } catch (...) {
        // A C++ exception must not unwind through the system's dialog manager: the message gets its default.
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
}

INT_PTR ModalDialog::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return self->onInit() ? TRUE : FALSE;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            self->hwnd_ = nullptr;
            return FALSE;
        case WM_SETCURSOR:
            // Over every dialog, and over each of its controls, while the program works.
            if (!busyPointerActive()) break;
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return answer(hwnd, message, TRUE);
        case WM_COMMAND:
            if (self->onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (self->onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CLOSE:
            if (self->onCloseBox()) return TRUE;
            break;
        default:
            break;
    }
    INT_PTR result = FALSE;
    if (!self->onMessage(message, wParam, lParam, result)) return FALSE;
    return answer(hwnd, message, result);
}

INT_PTR ModalDialog::answer(HWND hwnd, UINT message, INT_PTR result) {
    switch (message) {
        // These few return their result directly; every other one through DWLP_MSGRESULT.
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return result;
        default:
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

}  // namespace koruvan::win32
