// The window operations that move another program's window between desks: hide it, tell whose it is, and
// whether its program lets this one move it.
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

}  // namespace

// Asynchronous for the same reason as minimizeWindow: a hung program must not hold up the switch.
bool Win32WindowSystem::hideWindow(WindowHandle window) {
    return ShowWindowAsync(toHwnd(window), SW_HIDE) != FALSE;
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
