#include "bar/win32/new_window_watch.h"

namespace koruvan::win32 {
namespace {

// One bar a process: the hook's callback has no context of its own.
HWND hookTarget = nullptr;
UINT hookMessage = 0;

void CALLBACK windowEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    // The window itself, not a part of it (its caret, cursor or a child's item).
    if (!hookTarget || !window || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow()) return;
    PostMessageW(hookTarget, hookMessage, 0, reinterpret_cast<LPARAM>(window));
}

HWINEVENTHOOK hook(DWORD event) {
    return SetWinEventHook(event, event, nullptr, windowEvent, 0, 0,
                           WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

}  // namespace

NewWindowWatch::NewWindowWatch(HWND bar, UINT message) {
    hookTarget = bar;
    hookMessage = message;
    created_ = hook(EVENT_OBJECT_CREATE);
    shown_ = hook(EVENT_OBJECT_SHOW);
}

NewWindowWatch::~NewWindowWatch() {
    if (created_) UnhookWinEvent(created_);
    if (shown_) UnhookWinEvent(shown_);
    hookTarget = nullptr;
}

}  // namespace koruvan::win32
