#include "bar/win32/change_watch.h"

#include "platform/win32/wide_text.h"
#include "store/appearance.h"

namespace koruvan::win32 {
namespace {

// One bar a process: the hook's callback has no context of its own.
HWND hookTarget = nullptr;
UINT hookMessage = 0;

void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (hookTarget) PostMessageW(hookTarget, hookMessage, 0, 0);
}

}  // namespace

ChangeWatch::ChangeWatch(HWND bar, UINT message)
    : desktop_(HKEY_CURRENT_USER, widen(kDesktopKey), false, bar, message),
      colors_(HKEY_CURRENT_USER, widen(kColorsKey), false, bar, message) {
    hookTarget = bar;
    hookMessage = message;
    // Out of context: the callback comes through this thread's message loop, not inside other programs.
    foregroundHook_ =
        SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, foregroundChanged, 0, 0,
                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

ChangeWatch::~ChangeWatch() {
    if (foregroundHook_) UnhookWinEvent(foregroundHook_);
    hookTarget = nullptr;
}

void ChangeWatch::rearm() {
    desktop_.renew();
    colors_.renew();
}

}  // namespace koruvan::win32
