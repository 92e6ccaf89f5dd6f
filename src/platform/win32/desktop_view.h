#pragma once
// The shell's folder view of the Desktop, kept between calls: each call into the shell's process costs, and
// the way to the view (the shell's windows, the desktop's browser, its active view) takes several. It is
// found anew when the shell's desktop window changes (Explorer started again) or a call finds the view gone;
// a view that cannot list its items is not asked again while its desktop window stands.

#include <windows.h>

#include <shobjidl.h>

#include <optional>

#include "platform/win32/com.h"

namespace koruvan::win32 {

class DesktopView {
  public:
    // The view, or nullptr when there is none now or it cannot list its items.
    IFolderView* get();
    // A call on the view failed with `why`: a view gone is found anew next time. A view that answered a call
    // `toList` its items with a failure cannot list them.
    void failed(HRESULT why, bool toList);

  private:
    bool find();

    std::optional<ComApartment> com_;  // for as long as the view is kept
    HWND desktop_ = nullptr;
    ComRef<IFolderView> view_;
    bool unlistable_ = false;
};

}  // namespace koruvan::win32
