#include "platform/win32/desktop_view.h"

#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>

namespace koruvan::win32 {

IFolderView* DesktopView::get() {
    if (!com_) com_.emplace();
    if (!com_->usable()) return nullptr;
    if (desktop_ && !IsWindow(desktop_)) failed(RPC_E_DISCONNECTED, false);
    if (!view_ && !unlistable_ && !find()) return nullptr;
    return unlistable_ ? nullptr : view_.get();
}

void DesktopView::failed(HRESULT why, bool toList) {
    const bool gone = why == RPC_E_DISCONNECTED || why == CO_E_OBJNOTCONNECTED ||
                      why == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
                      why == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED);
    if (!gone) {
        // Only while its desktop window can be watched: a new one is a new view.
        unlistable_ = toList && desktop_ != nullptr;
        return;
    }
    view_.reset();
    desktop_ = nullptr;
    unlistable_ = false;
}

// IShellWindows::FindWindowSW(SWC_DESKTOP), the desktop's top-level browser, its active view.
bool DesktopView::find() {
    ComRef<IShellWindows> windows;
    if (FAILED(
            CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, windows.receive())))
        return false;
    VARIANT desktop;
    VariantInit(&desktop);
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT root;
    VariantInit(&root);
    long window = 0;
    ComRef<IDispatch> found;
    // S_FALSE when there is no desktop window to find.
    if (windows->FindWindowSW(&desktop, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.put()) !=
            S_OK ||
        !found) {
        return false;
    }
    ComRef<IServiceProvider> services;
    ComRef<IShellBrowser> browser;
    ComRef<IShellView> shellView;
    if (FAILED(found->QueryInterface(IID_IServiceProvider, services.receive())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.receive())) ||
        FAILED(browser->QueryActiveShellView(shellView.put())) || !shellView ||
        FAILED(shellView->QueryInterface(IID_IFolderView, view_.receive()))) {
        return false;
    }
    desktop_ = reinterpret_cast<HWND>(static_cast<LONG_PTR>(window));
    return true;
}

}  // namespace koruvan::win32
