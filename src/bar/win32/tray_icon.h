#pragma once
// The program's icon in the notification area: the current desk's number drawn on it, a tip beside it, and
// clicks sent to its window as `callbackMessage`. It is added again when Explorer restarts (TaskbarCreated)
// and removed with this object.

#include <windows.h>

#include <string>

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
    // The message Explorer broadcasts when it starts again: the icon is added anew.
    bool isTaskbarCreated(UINT message) const { return message == taskbarCreated_; }
    void addAgain();

  private:
    bool notify(DWORD action);

    HWND window_;
    UINT callbackMessage_;
    UINT taskbarCreated_;
    Icon icon_;
    int number_ = -1;
    std::wstring tip_;
    bool added_ = false;
};

}  // namespace koruvan::win32
