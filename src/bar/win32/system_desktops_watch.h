#pragma once
// Tells the bar, by a posted message, that the system rewrote its record of its virtual desktops: their list,
// names and wallpapers, and the current one, which Windows 10 keeps under the logon session's key.

#include <windows.h>

#include <optional>

#include "platform/win32/registry_watch.h"

namespace koruvan::win32 {

class SystemDesktopsWatch {
  public:
    SystemDesktopsWatch(HWND bar, UINT message);

    // On each message, before the bar reads the record.
    void rearm();

  private:
    HWND bar_;
    UINT message_;
    RegistryWatch desktops_;
    std::optional<RegistryWatch> session_;
};

}  // namespace koruvan::win32
