#pragma once
// Tells a window, by a posted message, that a registry key changed. The system's notice fires once: arm()
// again on each message, before the values are read, and no change between the two is lost.

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class RegistryWatch {
  public:
    // `subtree` takes in the subkeys, their values and their creation or deletion; `subkeysOnly` watches
    // only subkeys made or deleted (a deleted key itself tells nothing: its parent's watch does).
    RegistryWatch(HKEY root, const std::wstring& subkey, bool subtree, HWND target, UINT message,
                  bool subkeysOnly = false);
    ~RegistryWatch();
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

    // False when the key could not be opened (it may not exist yet): nothing is posted.
    bool active() const { return wait_ != nullptr; }
    // Its notice came and was not renewed yet.
    bool fired() const { return fired_; }
    // Asks for the next notice once the last one has fired. On the thread that made the watch, which must
    // live as long as it: the system ties the notice to that thread. False when the system takes no more
    // (the key was deleted): the watch must be made anew.
    bool renew();

  private:
    bool arm();
    static void CALLBACK signalled(void* context, BOOLEAN timedOut);

    RegistryKey key_;
    KernelObject event_;
    HANDLE wait_ = nullptr;
    HWND target_;
    UINT message_;
    bool subtree_;
    bool subkeysOnly_;
    std::atomic<bool> fired_{false};
};

}  // namespace koruvan::win32
