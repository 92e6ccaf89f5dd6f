#pragma once
// Tells the bar, by a posted message, that the system rewrote its record of its virtual desktops: their list,
// names and wallpapers, and the current one, which Windows 10 keeps under the logon session's key. A key
// deleted and made again, or made only later (the session's, at the logon's first switch), is watched again
// from then on: the record's keys being made or deleted is watched through the keys above them.

#include <windows.h>

#include <optional>

#include "platform/win32/registry_watch.h"

namespace koruvan::win32 {

class SystemDesktopsWatch {
  public:
    SystemDesktopsWatch(HWND bar, UINT message);

    // On each message, and at each check the bar asked for, before the bar reads the record: every watch asks
    // for its next notice, and one that cannot is set up again.
    void rearm();
    // False while the record's key cannot be watched (it is gone): the bar then checks it from time to time.
    bool live() const { return desktops_ && desktops_->active(); }

  private:
    void watchDesktops();
    void watchExplorer();
    // The session's key, or while it is not there the nearest key above it.
    void watchSession();

    HWND bar_;
    UINT message_;
    std::optional<RegistryWatch> desktops_;
    std::optional<RegistryWatch> explorer_;  // keys made or deleted right under Explorer's
    std::optional<RegistryWatch> session_;
    bool sessionKeyWatched_ = false;
};

}  // namespace koruvan::win32
