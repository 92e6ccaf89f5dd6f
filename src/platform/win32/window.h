#pragma once
// Base of our own top-level windows: one window procedure trampoline binds `this` at WM_NCCREATE and clears
// it at WM_NCDESTROY; subclasses handle messages in onMessage. Nothing thrown there leaves the window
// procedure: the message then gets the system's default handling.

#include <windows.h>

namespace koruvan::win32 {

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

  protected:
    // Registers the class once per process and creates the window; false when it could not be made.
    bool create(const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* title, int x, int y,
                int width, int height, HWND owner, HBRUSH background, HCURSOR cursor);
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    HWND hwnd_ = nullptr;
};

}  // namespace koruvan::win32
