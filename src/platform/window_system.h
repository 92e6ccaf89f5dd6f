#pragma once
// Other programs' windows, as the core sees them through the platform. Handles are opaque integers: a window
// of another program is never owned or destroyed through them.

#include <cstdint>
#include <string>
#include <vector>

namespace koruvan {

using WindowHandle = std::uint64_t;

struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// One window of the desktop's own (a top-level window), as the capture of a desk's windows sees it.
struct TopLevelWindow {
    WindowHandle window = 0;
    WindowHandle owner = 0;
    bool visible = false;
    bool hasParent = false;  // GetParent gives a window: the owner of a pop-up, say
    bool iconic = false;
    bool zoomed = false;
    // The DWM keeps it out of sight: a window of another of the system's virtual desktops, a suspended app's
    // frame, one of the shell's hidden windows.
    bool cloaked = false;
    // A tool window (WS_EX_TOOLWINDOW without WS_EX_APPWINDOW): a palette or a floating bar, no taskbar
    // button.
    bool toolWindow = false;
    // Read only of visible windows: the others are never described.
    std::string title;
    std::string className;
    ScreenRect rect;
};

// One top-level window as the organiser's application list sees it.
struct RunningWindow {
    std::string className;
    std::string title;
    std::string programFile;  // full path of the program file of the window's process; empty when unknown
    bool visible = false;
    int parent = 0;  // 0: a window of its own; 1: owned by another window
};

// How a window is shown. Minimized minimises it without activating it. Restored and RestoredMaximized show a
// minimised or hidden window again in its place in the order, normal or maximised as it was when it left the
// screen, activating at most a minimised maximised one.
enum class ShowCommand : int { Restored = 4, Minimized = 7, RestoredMaximized = 3 };

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // The desktop's windows, front to back, each asked once and cheapest first: a hidden window costs one
    // question. Windows inside other windows are not among them.
    virtual std::vector<TopLevelWindow> listTopLevelWindows() = 0;
    // One window as the listing describes it.
    virtual TopLevelWindow describeWindow(WindowHandle window) = 0;
    virtual bool isWindowVisible(WindowHandle window) = 0;
    virtual bool isWindowCloaked(WindowHandle window) = 0;
    // Every monitor together, in screen coordinates.
    virtual ScreenRect virtualScreen() = 0;
    // Neither waits on a program that does not answer: its window follows when it answers again. False when
    // the handle names no window.
    virtual bool minimizeWindow(WindowHandle window) = 0;
    virtual bool showWindow(WindowHandle window, ShowCommand command) = 0;
    // True once the window's program has handled every show asked of it, or the window is gone: only then
    // does a stacking or a focus given stay, since the program's own handling of a show would undo it.
    virtual bool showsHandled(WindowHandle window) = 0;
    // Off the screen and off the taskbar (SW_HIDE), without waiting, as above.
    virtual bool hideWindow(WindowHandle window) = 0;
    // Stacks the windows in this order, front to back, activating none. A window whose program does not
    // answer now takes its place when it answers again; the caller never waits for it.
    virtual void stackWindows(const std::vector<WindowHandle>& frontToBack) = 0;
    // Brings the window to the front and gives it the keyboard focus; false when the system refused.
    virtual bool activateWindow(WindowHandle window) = 0;
    // The process that made the window; 0 when the handle names no window.
    virtual std::uint32_t windowProcessId(WindowHandle window) = 0;
    // The window the user works in now (0 for none).
    virtual WindowHandle foregroundWindow() = 0;
    // True when the window's program runs with more rights than this one (elevated) and so refuses to be
    // shown or hidden by it.
    virtual bool windowRefusesControl(WindowHandle window) = 0;
    // Every top-level window open now, in the system's order (front to back), with its program's file.
    virtual std::vector<RunningWindow> listRunningWindows() = 0;
    // The full path of the program file of the window's process; empty when it cannot be told.
    virtual std::string windowProgramFile(WindowHandle window) = 0;
};

}  // namespace koruvan
