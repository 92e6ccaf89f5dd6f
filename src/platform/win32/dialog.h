#pragma once
// Base of our modal dialogs, made from a dialog template of the program's resources. DialogBoxParamW gives
// the modal loop, Tab between controls, Enter on the default button (IDOK) and Esc (IDCANCEL). One dialog
// procedure binds `this` at WM_INITDIALOG; subclasses handle messages in small virtual handlers. It shows the
// hourglass over every dialog while the program is busy, and lets nothing thrown through.

#include <windows.h>

#include <string>

namespace koruvan::win32 {

// A window's text, read in the window's own process.
std::wstring windowText(HWND window);

class ModalDialog {
  public:
    ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() = default;

    // Shows the dialog owned by `owner` and returns once it has closed; -1 when it could not be made.
    INT_PTR run(HWND owner, int templateId);
    HWND hwnd() const { return hwnd_; }
    bool isOpen() const { return hwnd_ != nullptr; }
    // Closes the dialog; run() then returns `result`.
    void end(INT_PTR result);

  protected:
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    void setItemText(int id, const std::string& text) const;
    std::string itemText(int id) const;
    int dotsPerInch() const;
    void warn(const std::string& text, const std::string& title) const;

    // WM_INITDIALOG; true lets the system put the focus on the first control.
    virtual bool onInit() { return true; }
    // WM_COMMAND from a control (or Enter and Esc as IDOK and IDCANCEL); true when handled.
    virtual bool onCommand(int id, int code, HWND control) {
        (void)id;
        (void)code;
        (void)control;
        return false;
    }
    // WM_DRAWITEM of an owner-drawn control; true when drawn.
    virtual bool onDrawItem(const DRAWITEMSTRUCT& draw) {
        (void)draw;
        return false;
    }
    // The close box (and Alt+F4); by default it is Esc, IDCANCEL.
    virtual bool onCloseBox() { return false; }
    // Any other message; return true and set `result` when handled.
    virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
        (void)message;
        (void)wParam;
        (void)lParam;
        (void)result;
        return false;
    }

  private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // A handled message's result as the dialog manager takes it.
    static INT_PTR answer(HWND hwnd, UINT message, INT_PTR result);
    HWND hwnd_ = nullptr;
};

}  // namespace koruvan::win32
