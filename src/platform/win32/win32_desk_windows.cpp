// The window operations that move another program's window between desks: hide it, stack a desk's windows and
// give one the focus, tell whose a window is, and whether its program lets this one move it.
#include <utility>
#include <vector>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_window_system.h"

namespace koruvan::win32 {
namespace {

// True when the process runs elevated. A process whose token cannot be read is taken as elevated: the
// system keeps a more privileged process's token from a less privileged one.
bool isElevated(HANDLE process) {
    KernelObject token;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.receive())) return true;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size)) return false;
    return elevation.TokenIsElevated != 0;
}

constexpr UINT kStackFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

}  // namespace

// Asynchronous for the same reason as minimizeWindow: a hung program must not hold up the switch.
bool Win32WindowSystem::hideWindow(WindowHandle window) {
    return ShowWindowAsync(toHwnd(window), SW_HIDE) != FALSE;
}

// The windows whose programs answer are stacked in one batch, each behind the one before it; a window whose
// program does not answer gets its place behind its predecessor posted, and takes it when it wakes. A batch
// the system refuses (a window closed meanwhile, or one of a program with more rights) is posted window by
// window instead.
void Win32WindowSystem::stackWindows(const std::vector<WindowHandle>& frontToBack) {
    HDWP batch = BeginDeferWindowPos(static_cast<int>(frontToBack.size()));
    std::vector<std::pair<HWND, HWND>> placed;  // each window and the one it goes behind
    std::vector<std::pair<HWND, HWND>> late;    // those of them whose programs do not answer now
    HWND behind = HWND_TOP;
    HWND lastAnswering = HWND_TOP;
    for (const WindowHandle handle : frontToBack) {
        const HWND window = toHwnd(handle);
        if (!IsWindow(window)) continue;
        if (batch && answersNow(window)) {
            batch = DeferWindowPos(batch, window, lastAnswering, 0, 0, 0, 0, kStackFlags);
            lastAnswering = window;
        } else {
            late.emplace_back(window, behind);
        }
        placed.emplace_back(window, behind);
        behind = window;
    }
    // Posted after the batch: a busy program that took its place first would have the batch stack the
    // others over it.
    const bool batched = batch && EndDeferWindowPos(batch);
    for (const auto& [window, after] : batched ? late : placed)
        SetWindowPos(window, after, 0, 0, 0, 0, kStackFlags | SWP_ASYNCWINDOWPOS);
}

bool Win32WindowSystem::activateWindow(WindowHandle window) {
    // The program that the user's click or key reached may hand the foreground on; the system refuses anyone
    // else, which would flash the window's taskbar button instead.
    return SetForegroundWindow(toHwnd(window)) != FALSE;
}

std::uint32_t Win32WindowSystem::windowProcessId(WindowHandle window) {
    DWORD process = 0;
    if (!GetWindowThreadProcessId(toHwnd(window), &process)) return 0;
    return process;
}

WindowHandle Win32WindowSystem::foregroundWindow() {
    return toWindowHandle(GetForegroundWindow());
}

bool Win32WindowSystem::windowRefusesControl(WindowHandle window) {
    if (isElevated(GetCurrentProcess())) return false;
    const std::uint32_t id = windowProcessId(window);
    if (id == 0) return false;
    KernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    // Not even this much is allowed: a protected or more privileged process.
    if (!process) return true;
    return isElevated(process.get());
}

}  // namespace koruvan::win32
