#pragma once
// Other programs' windows through user32 and the DWM. win32_window_system.cpp holds what the capture asks,
// win32_desk_windows.cpp what moves a window between desks, win32_applications.cpp the organiser's list.

#include <windows.h>

#include <cstdint>

#include "platform/window_system.h"

namespace koruvan::win32 {

// Window handles cross the platform interface as integers.
inline HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
inline WindowHandle toWindowHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

class Win32WindowSystem final : public WindowSystem {
  public:
    WindowHandle ownerWindow(WindowHandle window) override;
    WindowHandle parentWindow(WindowHandle window) override;
    bool isWindowVisible(WindowHandle window) override;
    std::string windowTitle(WindowHandle window) override;
    std::string windowClassName(WindowHandle window) override;
    ScreenRect windowRect(WindowHandle window) override;
    bool isWindowZoomed(WindowHandle window) override;
    bool isWindowIconic(WindowHandle window) override;
    std::vector<TopLevelWindow> listTopLevelWindows() override;
    bool minimizeWindow(WindowHandle window) override;
    bool showWindow(WindowHandle window, ShowCommand command) override;
    // win32_desk_windows.cpp
    bool hideWindow(WindowHandle window) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    WindowHandle foregroundWindow() override;
    bool windowRefusesControl(WindowHandle window) override;
    // win32_applications.cpp
    std::vector<RunningWindow> listRunningWindows() override;
};

}  // namespace koruvan::win32
