#include "bar/win32/system_desktops_watch.h"

#include <string>

#include "platform/win32/wide_text.h"
#include "store/system_desktops.h"

namespace koruvan::win32 {
namespace {

std::string sessionInfoKey() {
    return std::string(kExplorerKey) + "\\SessionInfo";
}

// Windows 11 records the current desktop under the main key, and never under the session's.
bool recordsCurrentInMainKey() {
    return RegGetValueW(HKEY_CURRENT_USER, widen(kVirtualDesktopsKey).c_str(), L"CurrentVirtualDesktop",
                        RRF_RT_REG_BINARY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD thisSession() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return session;
}

}  // namespace

SystemDesktopsWatch::SystemDesktopsWatch(HWND bar, UINT message) : bar_(bar), message_(message) {
    watchDesktops();
    watchExplorer();
    watchSession();
}

void SystemDesktopsWatch::rearm() {
    // A key made or deleted under Explorer's may be the record's own, made anew: its watch is made anew too.
    const bool keysChanged = explorer_->fired();
    if (!explorer_->active() || !explorer_->renew()) watchExplorer();
    if (keysChanged || !desktops_->active() || !desktops_->renew()) watchDesktops();
    if (!sessionKeyWatched_ || !session_->renew()) watchSession();
}

void SystemDesktopsWatch::watchDesktops() {
    desktops_.reset();  // the old wait ends before the new one starts
    desktops_.emplace(HKEY_CURRENT_USER, widen(kVirtualDesktopsKey), true, bar_, message_);
}

void SystemDesktopsWatch::watchExplorer() {
    explorer_.reset();
    explorer_.emplace(HKEY_CURRENT_USER, widen(kExplorerKey), false, bar_, message_, true);
}

void SystemDesktopsWatch::watchSession() {
    session_.reset();
    session_.emplace(HKEY_CURRENT_USER, widen(sessionDesktopsKey(thisSession())), true, bar_, message_);
    sessionKeyWatched_ = session_->active();
    if (sessionKeyWatched_ || recordsCurrentInMainKey()) return;
    // Windows 10 makes it at the logon's first switch.
    for (const std::string& above :
         {sessionInfoKey() + "\\" + std::to_string(thisSession()), sessionInfoKey()}) {
        session_.reset();
        session_.emplace(HKEY_CURRENT_USER, widen(above), true, bar_, message_, true);
        if (session_->active()) return;
    }
}

}  // namespace koruvan::win32
