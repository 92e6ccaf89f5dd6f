#pragma once
// The desk bar's window: paints the buttons and the name tip that the DeskBar model decides, and turns mouse,
// timer and close messages into the model's events. bar_window.cpp holds the BarView, bar_messages.cpp the
// message handlers, bar_painting.cpp the drawing and where each desk's button lies; the menus and dialogs
// are BarPopupsWindow's.

#include <windows.h>

#include <optional>

#include "bar/desk_bar.h"
#include "bar/win32/bar_notices_window.h"
#include "bar/win32/bar_popups_window.h"
#include "bar/win32/change_watch.h"
#include "bar/win32/desk_hotkeys.h"
#include "bar/win32/new_window_watch.h"
#include "bar/win32/system_desktops_watch.h"
#include "bar/win32/tray_icon.h"
#include "bar/win32/wallpaper_thumbnails.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/window.h"

namespace koruvan::win32 {

inline constexpr const wchar_t* kBarWindowClass = L"KORUVAN.frmMAIN";

// Where a desk's button shows its face, in client pixels (bar_painting.cpp).
RECT buttonFaceRect(const DeskButton& button);
// The name tip's font for a screen of `dpi` dots per inch.
Font tipFontFor(int dpi);

class BarWindow final : public Window, public BarView {
  public:
    BarWindow(Platform& platform, SharedState& state);

    // Creates the window (hidden) and runs the bar's load sequence, which shows it.
    bool start();
    DeskBar& model() { return model_; }

    // BarView
    void setCaption(const std::string& caption) override;
    BarGeometry geometry() override;
    void setOuterSize(int width, int height) override;
    void moveTo(int left, int top) override;
    int screenWidth() override;
    int screenHeight() override;
    int tipWidth(const std::string& text) override;
    void showButtons(const DeskButtons& buttons) override;
    void showTip(const TipLook& tip) override;
    void setTopmost(bool topmost) override;
    void setWatching(bool on) override;
    void wakeAfter(double seconds) override;
    void watchSystemDesktops(bool on) override;
    bool systemDesktopsWatched() override;
    void watchNewWindows(bool on) override;
    void checkAfter(LaterCheck check, double seconds) override;
    void show() override;
    void blockSessionEnd(const std::string& reason) override;
    void close() override;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static constexpr UINT_PTR kWakeTimer = 1;
    static constexpr UINT kTrayMessage = WM_APP + 1;
    static constexpr UINT_PTR kCheckTimer = 2;
    static constexpr UINT kChangeMessage = WM_APP + 2;
    static constexpr UINT_PTR kFollowTimer = 3;
    static constexpr UINT kSystemDesktopsMessage = WM_APP + 3;
    static constexpr UINT_PTR kIconTimer = 4;
    static constexpr UINT_PTR kNewWindowsTimer = 5;
    static constexpr UINT_PTR kWindowsTimer = 6;
    static constexpr UINT kNewWindowMessage = WM_APP + 4;

    // One check for any number of changes that come before it runs. A timer's message comes after the
    // window's paint: a check never holds back the bar's new face.
    void askForCheck();

    // bar_painting.cpp
    void paint(HDC dc);
    // The desk whose visible button face is under the client point, or -1 for the background.
    int deskAt(POINT point) const;

    // bar_messages.cpp: a handler per message that needs more than a line.
    bool onMouseMessage(UINT message, LPARAM lParam);
    void onTimer(WPARAM timer);
    void onPaint();
    // True when the cursor is set; otherwise the system's default sets it.
    bool onSetCursor(int hitTest);
    void onMouseMove(POINT point);
    void onLeftButtonUp(POINT point);
    void onRightButtonDown(POINT point);
    void onDpiChanged(int dpiX, int dpiY, const RECT& suggested);
    void onHotkey(WPARAM id);
    void onTrayMessage(LPARAM mouseMessage);
    void onChange();
    void onDestroy();

    BarPopupsWindow popups_;
    BarNoticesWindow notices_;
    DeskBar model_;
    DeskButtons buttons_{};
    TipLook tip_{};
    WallpaperThumbnails thumbnails_;
    Font tipFont_;
    int pressedDesk_ = -1;
    std::optional<DeskHotkeys> hotkeys_;
    std::optional<ChangeWatch> changes_;
    std::optional<SystemDesktopsWatch> systemDesktops_;
    std::optional<NewWindowWatch> newWindows_;
    bool watching_ = false;
    bool checkAsked_ = false;
};

}  // namespace koruvan::win32
