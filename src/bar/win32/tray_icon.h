#pragma once
// The program's icon in the notification area: the current desk's number drawn on it, a tip beside it, and
// clicks sent to its window as `callbackMessage`. It is added again when Explorer restarts (TaskbarCreated)
// and removed with this object. The shell is told on a thread of its own: it answers only when it is done
// with what it is doing, and right after a switch that is redrawing the Desktop's icons, tens of
// milliseconds in which the bar would otherwise stand still.

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class TrayIcon {
  public:
    TrayIcon(HWND window, UINT callbackMessage);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon, or changes it when the number or the tip changed.
    void show(int number, const std::wstring& tip);
    // A balloon beside the icon, once it is there; a newer one takes the place of one not yet shown.
    void showBalloon(const std::wstring& title, const std::wstring& text);
    // The message Explorer broadcasts when it starts again: the icon is added anew.
    bool isTaskbarCreated(UINT message) const { return message == taskbarCreated_; }
    void addAgain();

  private:
    struct Balloon {
        std::wstring title;
        std::wstring text;
    };
    struct Wanted {
        int number = -1;
        std::wstring tip;
        bool addAgain = false;
        std::optional<Balloon> balloon;
    };

    void tellShell();  // the thread's loop
    void apply(const Wanted& wanted);
    bool notify(DWORD action, const Balloon* balloon = nullptr);

    HWND window_;
    UINT callbackMessage_;
    UINT taskbarCreated_;

    std::mutex mutex_;
    std::condition_variable asked_;
    Wanted wanted_;  // the newest request: requests that come faster than the shell answers fold into one
    bool pending_ = false;
    bool ending_ = false;

    // The thread's own: what the shell shows.
    Icon icon_;
    int number_ = -1;
    std::wstring tip_;
    bool added_ = false;

    std::thread thread_;  // last: starts when the rest exists
};

}  // namespace koruvan::win32
