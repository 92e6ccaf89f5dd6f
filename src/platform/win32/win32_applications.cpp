// The running applications of the organiser: our own window enumeration with each window's program file.
#include <windows.h>

#include <map>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_window_system.h"

namespace koruvan::win32 {
namespace {

// The full path of a process's program file; empty when the process cannot be asked (it ended, or it runs
// with more rights than ours).
std::string programFileOf(DWORD processId) {
    KernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    std::wstring path(32768, L'\0');  // the longest path the system allows
    DWORD length = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) return {};
    path.resize(length);
    return narrow(path);
}

BOOL CALLBACK collectWindow(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<RunningWindow> Win32WindowSystem::listRunningWindows() {
    // The handles first: the window texts are read outside the enumeration's callback.
    std::vector<HWND> handles;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&handles));
    std::map<DWORD, std::string> programs;  // one question per process
    std::vector<RunningWindow> windows;
    windows.reserve(handles.size());
    for (HWND handle : handles) {
        RunningWindow window;
        window.className = windowClassOf(handle);
        window.title = windowTitleOf(handle);
        // A window the DWM keeps out of sight is visible only in name: the desks' capture takes the same
        // view.
        window.visible = IsWindowVisible(handle) != FALSE && !isCloaked(handle);
        window.parent = GetWindow(handle, GW_OWNER) ? 1 : 0;
        DWORD processId = 0;
        if (GetWindowThreadProcessId(handle, &processId) && processId != 0) {
            auto known = programs.find(processId);
            if (known == programs.end()) known = programs.emplace(processId, programFileOf(processId)).first;
            window.programFile = known->second;
        }
        windows.push_back(std::move(window));
    }
    return windows;
}

std::string Win32WindowSystem::windowProgramFile(WindowHandle window) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(toHwnd(window), &processId) || processId == 0) return {};
    return programFileOf(processId);
}

}  // namespace koruvan::win32
