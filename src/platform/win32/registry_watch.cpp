#include "platform/win32/registry_watch.h"

namespace koruvan::win32 {

RegistryWatch::RegistryWatch(HKEY root, const std::wstring& subkey, bool subtree, HWND target, UINT message,
                             bool subkeysOnly)
    : target_(target), message_(message), subtree_(subtree), subkeysOnly_(subkeysOnly) {
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_NOTIFY, key_.receive()) != ERROR_SUCCESS) return;
    event_ = KernelObject(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!event_) return;
    if (!arm()) return;
    // The wait runs on the thread pool; the message brings the notice back to the window's thread.
    if (!RegisterWaitForSingleObject(&wait_, event_.get(), &RegistryWatch::signalled, this, INFINITE,
                                     WT_EXECUTEINWAITTHREAD)) {
        wait_ = nullptr;
    }
}

RegistryWatch::~RegistryWatch() {
    // Waits for a callback under way: it must not post through a watch that is gone.
    if (wait_) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
}

bool RegistryWatch::arm() {
    if (!key_ || !event_) return false;
    const DWORD filter = subkeysOnly_ ? REG_NOTIFY_CHANGE_NAME
                                      : REG_NOTIFY_CHANGE_LAST_SET | (subtree_ ? REG_NOTIFY_CHANGE_NAME : 0);
    return RegNotifyChangeKeyValue(key_.get(), subtree_, filter, event_.get(), TRUE) == ERROR_SUCCESS;
}

bool RegistryWatch::renew() {
    return !fired_.exchange(false) || arm();
}

void CALLBACK RegistryWatch::signalled(void* context, BOOLEAN) {
    auto* watch = static_cast<RegistryWatch*>(context);
    watch->fired_ = true;
    PostMessageW(watch->target_, watch->message_, 0, 0);
}

}  // namespace koruvan::win32
