#include "bar/win32/system_desktops_watch.h"

#include <string>

#include "platform/win32/wide_text.h"
#include "store/system_desktops.h"

namespace koruvan::win32 {
namespace {

std::wstring sessionDesktopsKey() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return widen(std::string(kExplorerKey) + "\\SessionInfo\\" + std::to_string(session) +
                 "\\VirtualDesktops");
}

}  // namespace

// Windows 11 has no session key: that watch stays inactive.
SystemDesktopsWatch::SystemDesktopsWatch(HWND bar, UINT message)
    : desktops_(HKEY_CURRENT_USER, widen(kVirtualDesktopsKey), true, bar, message),
      session_(HKEY_CURRENT_USER, sessionDesktopsKey(), true, bar, message) {}

void SystemDesktopsWatch::rearm() {
    desktops_.renew();
    session_.renew();
}

}  // namespace koruvan::win32
