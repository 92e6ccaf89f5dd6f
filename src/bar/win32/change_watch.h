#pragma once
// What the bar learns of without asking: its appearance keys in the registry written (by the control panel,
// another program or a hand-edit) and another window brought to the foreground. Each posts `message` to the
// bar; nothing runs while nothing changes.

#include <windows.h>

#include "platform/win32/registry_watch.h"

namespace koruvan::win32 {

class ChangeWatch {
  public:
    ChangeWatch(HWND bar, UINT message);
    ~ChangeWatch();
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    // On each message, before the bar reads what changed.
    void rearm();

  private:
    RegistryWatch desktop_;
    RegistryWatch colors_;
    HWINEVENTHOOK foregroundHook_ = nullptr;
};

}  // namespace koruvan::win32
