// Other programs' windows: what the capture of a desk's windows asks of them, and the asynchronous calls that
// minimise, show and hide them without waiting on a hung program.
#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <dwmapi.h>

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

ScreenRect rectOf(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return {};
    return {static_cast<std::int32_t>(rect.left), static_cast<std::int32_t>(rect.top),
            static_cast<std::int32_t>(rect.right), static_cast<std::int32_t>(rect.bottom)};
}

// The styles answer visible, minimised, maximised, child and tool window at once; a hidden window is asked
// nothing more.
TopLevelWindow describe(HWND hwnd) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    TopLevelWindow window;
    window.window = toWindowHandle(hwnd);
    window.visible = (style & WS_VISIBLE) != 0;
    if (!window.visible) return window;
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    window.owner = toWindowHandle(owner);
    // As GetParent answers: a child's parent, a pop-up's owner.
    window.hasParent = (style & WS_CHILD) != 0 || ((style & WS_POPUP) != 0 && owner != nullptr);
    window.iconic = (style & WS_MINIMIZE) != 0;
    window.zoomed = (style & WS_MAXIMIZE) != 0;
    window.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0 && (exStyle & WS_EX_APPWINDOW) == 0;
    window.cloaked = isCloaked(hwnd);
    window.title = windowTitleOf(hwnd);
    window.className = windowClassOf(hwnd);
    window.rect = rectOf(hwnd);
    return window;
}

// A hidden window keeps its state, maximised or not, and is shown without being activated or moved in the
// order. A minimised one comes back the same way, but the system restores without activating only to the
// normal size: one that was maximised is shown maximised, which activates it in its own program; the caller
// gives the focus to the window it chooses afterwards.
int restoreCode(HWND window, ShowCommand command) {
    if (!IsIconic(window)) return SW_SHOWNA;
    return command == ShowCommand::RestoredMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE;
}

}  // namespace

std::string windowTitleOf(HWND window) {
    // GetWindowTextW sends WM_GETTEXT to windows of this process and would wait on a hung one; the stored
    // caption needs no answer from anyone.
    return fixedBufferText(
        [&](wchar_t* buffer, int size) { return InternalGetWindowText(window, buffer, size); });
}

std::string windowClassOf(HWND window) {
    return fixedBufferText([&](wchar_t* buffer, int size) { return GetClassNameW(window, buffer, size); });
}

bool isCloaked(HWND window) {
    DWORD cloaked = 0;
    return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked != 0;
}

bool answersNow(HWND window) {
    constexpr UINT kPatienceMilliseconds = 50;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kPatienceMilliseconds,
                               &result) != 0;
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
    for (HWND hwnd : handles)
        windows.push_back(describe(hwnd));
    return windows;
}

TopLevelWindow Win32WindowSystem::describeWindow(WindowHandle window) {
    return describe(toHwnd(window));
}

bool Win32WindowSystem::isWindowVisible(WindowHandle window) {
    return IsWindowVisible(toHwnd(window)) != FALSE;
}

bool Win32WindowSystem::isWindowCloaked(WindowHandle window) {
    return isCloaked(toHwnd(window));
}

ScreenRect Win32WindowSystem::virtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
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
    const int code = command == ShowCommand::Minimized ? SW_SHOWMINNOACTIVE : restoreCode(hwnd, command);
    ShowWindowAsync(hwnd, code);
    // Queued behind the show: its answer, delivered while this thread pumps messages, tells that the program
    // has handled it.
    if (SendMessageCallbackW(hwnd, WM_NULL, 0, 0, onShowHandled, reinterpret_cast<ULONG_PTR>(this)))
        ++unansweredShows_[hwnd];
    return true;
}

void CALLBACK Win32WindowSystem::onShowHandled(HWND window, UINT, ULONG_PTR self, LRESULT) {
    auto& unanswered = reinterpret_cast<Win32WindowSystem*>(self)->unansweredShows_;
    const auto it = unanswered.find(window);
    if (it != unanswered.end() && --it->second <= 0) unanswered.erase(it);
}

// A window closed before its program answered never will: its count goes with it.
bool Win32WindowSystem::showsHandled(WindowHandle window) {
    const HWND hwnd = toHwnd(window);
    if (!IsWindow(hwnd)) {
        unansweredShows_.erase(hwnd);
        return true;
    }
    return !unansweredShows_.contains(hwnd);
}

}  // namespace koruvan::win32
