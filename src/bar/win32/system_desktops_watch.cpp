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

// Windows 11 has no session key: that watch stays inactive until the key appears.
SystemDesktopsWatch::SystemDesktopsWatch(HWND bar, UINT message)
    : bar_(bar),
      message_(message),
      desktops_(HKEY_CURRENT_USER, widen(kVirtualDesktopsKey), true, bar, message) {
    session_.emplace(HKEY_CURRENT_USER, sessionDesktopsKey(), true, bar, message);
}

void SystemDesktopsWatch::rearm() {
    desktops_.renew();
    // The session's key may come after following started.
    if (session_->active()) {
        session_->renew();
    } else {
        session_.emplace(HKEY_CURRENT_USER, sessionDesktopsKey(), true, bar_, message_);
    }
}

}  // namespace koruvan::win32
