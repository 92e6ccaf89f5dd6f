// Other programs' windows: what the capture of a desk's windows asks of them, and the asynchronous calls that
// minimise, show and hide them without waiting on a hung program.
#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

// GetWindowTextW/GetClassNameW buffer: at most 254 characters, as the window listing has always read them.
constexpr int kWindowTextBufferLength = 255;

template <typename Reader>
std::string fixedBufferText(Reader read) {
    wchar_t buffer[kWindowTextBufferLength + 1] = {};
    int length = read(buffer, kWindowTextBufferLength);
    if (length <= 0) return {};
    length = std::min(length, kWindowTextBufferLength - 1);
    if (IS_HIGH_SURROGATE(buffer[length - 1])) --length;
    return narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

}  // namespace

WindowHandle Win32WindowSystem::ownerWindow(WindowHandle window) {
    return toWindowHandle(GetWindow(toHwnd(window), GW_OWNER));
}

WindowHandle Win32WindowSystem::parentWindow(WindowHandle window) {
    return toWindowHandle(GetParent(toHwnd(window)));
}

bool Win32WindowSystem::isWindowVisible(WindowHandle window) {
    return IsWindowVisible(toHwnd(window)) != FALSE;
}

std::string Win32WindowSystem::windowTitle(WindowHandle window) {
    // GetWindowTextW sends WM_GETTEXT to windows of this process and would wait on a hung one; the stored
    // caption needs no answer from anyone.
    return fixedBufferText(
        [&](wchar_t* buffer, int size) { return InternalGetWindowText(toHwnd(window), buffer, size); });
}

std::string Win32WindowSystem::windowClassName(WindowHandle window) {
    return fixedBufferText(
        [&](wchar_t* buffer, int size) { return GetClassNameW(toHwnd(window), buffer, size); });
}

ScreenRect Win32WindowSystem::windowRect(WindowHandle window) {
    RECT rect{};
    if (!GetWindowRect(toHwnd(window), &rect)) return {};
    return {static_cast<std::int32_t>(rect.left), static_cast<std::int32_t>(rect.top),
            static_cast<std::int32_t>(rect.right), static_cast<std::int32_t>(rect.bottom)};
}

bool Win32WindowSystem::isWindowZoomed(WindowHandle window) {
    return IsZoomed(toHwnd(window)) != FALSE;
}

bool Win32WindowSystem::isWindowIconic(WindowHandle window) {
    return IsIconic(toHwnd(window)) != FALSE;
}

std::vector<TopLevelWindow> Win32WindowSystem::listTopLevelWindows() {
    std::vector<HWND> handles;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&handles));
    std::vector<TopLevelWindow> windows;
    windows.reserve(handles.size());
    for (HWND hwnd : handles) {
        // The style answers visible, minimised, maximised and child at once.
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        TopLevelWindow window;
        window.window = toWindowHandle(hwnd);
        window.visible = (style & WS_VISIBLE) != 0;
        if (window.visible) {
            const HWND owner = GetWindow(hwnd, GW_OWNER);
            window.owner = toWindowHandle(owner);
            // As GetParent answers: a child's parent, a pop-up's owner.
            window.hasParent = (style & WS_CHILD) != 0 || ((style & WS_POPUP) != 0 && owner != nullptr);
            window.iconic = (style & WS_MINIMIZE) != 0;
            window.zoomed = (style & WS_MAXIMIZE) != 0;
            window.title = windowTitle(window.window);
            window.className = windowClassName(window.window);
            window.rect = windowRect(window.window);
        }
        windows.push_back(std::move(window));
    }
    return windows;
}

// CloseWindow and ShowWindow wait until the window's program has handled the change, for ever when it has
// stopped answering; the asynchronous form posts the change and the window follows when its program wakes.
// For a window of this thread the result is the earlier visibility, not success: a closed window is the
// failure that matters.
bool Win32WindowSystem::minimizeWindow(WindowHandle window) {
    const HWND hwnd = toHwnd(window);
    if (!IsWindow(hwnd)) return false;
    ShowWindowAsync(hwnd, SW_MINIMIZE);
    return true;
}

bool Win32WindowSystem::showWindow(WindowHandle window, ShowCommand command) {
    const HWND hwnd = toHwnd(window);
    if (!IsWindow(hwnd)) return false;
    ShowWindowAsync(hwnd, static_cast<int>(command));
    return true;
}
}  // namespace koruvan::win32
