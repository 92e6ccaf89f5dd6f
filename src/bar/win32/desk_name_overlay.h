#pragma once
// The desk's name shown after a switch: a layered window, large text centred on the monitor of the bar, that
// fades as DeskNameFade says and is hidden at the end. It never takes the focus, never shows in the taskbar,
// lets every click through to what lies beneath, and costs nothing while hidden.

#include <windows.h>

#include <string>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/window.h"

namespace koruvan::win32 {

class DeskNameOverlay final : public Window {
  public:
    // Over the monitor that holds the bar; a name shown still is replaced at once.
    void show(const std::wstring& name, HWND bar);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static constexpr UINT_PTR kFadeTimer = 1;

    void place(HWND bar);
    void paint(HDC dc) const;
    void onFadeStep();

    std::wstring name_;
    Font font_;
    ULONGLONG shownAt_ = 0;  // milliseconds of the system's tick when the name was shown
};

}  // namespace koruvan::win32
