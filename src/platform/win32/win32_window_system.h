#pragma once
// Other programs' windows through user32 and the DWM. win32_window_system.cpp holds what the capture asks,
// win32_desk_windows.cpp what moves a window between desks, win32_applications.cpp the organiser's list.

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/window_system.h"

namespace koruvan::win32 {

// Window handles cross the platform interface as integers.
inline HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
inline WindowHandle toWindowHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

// A window's title as the system keeps it (never waiting on its program), at most 254 characters.
std::string windowTitleOf(HWND window);
std::string windowClassOf(HWND window);
// The DWM keeps the window out of sight: it belongs to another of the system's virtual desktops, or is the
// frame of a suspended app or a hidden window of the shell.
bool isCloaked(HWND window);
// Whether the window's program handles a message now: a short wait for one that is busy, none for one the
// system already takes for hung.
bool answersNow(HWND window);

class Win32WindowSystem final : public WindowSystem {
  public:
    std::vector<TopLevelWindow> listTopLevelWindows() override;
    TopLevelWindow describeWindow(WindowHandle window) override;
    bool isWindowVisible(WindowHandle window) override;
    bool isWindowCloaked(WindowHandle window) override;
    ScreenRect virtualScreen() override;
    bool minimizeWindow(WindowHandle window) override;
    bool showWindow(WindowHandle window, ShowCommand command) override;
    bool showsHandled(WindowHandle window) override;
    // win32_desk_windows.cpp
    bool hideWindow(WindowHandle window) override;
    void stackWindows(const std::vector<WindowHandle>& frontToBack) override;
    bool activateWindow(WindowHandle window) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    WindowHandle foregroundWindow() override;
    bool windowRefusesControl(WindowHandle window) override;
    // win32_applications.cpp
    std::vector<RunningWindow> listRunningWindows() override;
    std::string windowProgramFile(WindowHandle window) override;

  private:
    static void CALLBACK onShowHandled(HWND window, UINT message, ULONG_PTR self, LRESULT result);

    // Each window's shows whose programs have not answered yet.
    std::unordered_map<HWND, int> unansweredShows_;
};

}  // namespace koruvan::win32
