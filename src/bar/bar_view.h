#pragma once
// What the desk bar's model needs from its window. The Win32 view implements it; tests use a recording fake.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bar/bar_layout.h"
#include "bar/desk_keys.h"
#include "core/dialog_result.h"

namespace koruvan {

// One desk's button: its wallpaper's picture or a plain box; at most one of the two is visible.
struct DeskButton {
    bool pictureVisible = false;
    Rect<double> pictureRect;
    std::string picturePath;  // empty: no picture loaded
    bool boxVisible = false;
    Rect<double> boxRect;
    std::int32_t boxColor = 0;  // 0x00BBGGRR
};
using DeskButtons = std::array<DeskButton, kDeskCount>;

struct TipLook {
    bool visible = false;
    std::string text;
    int left = 0;
    std::int32_t textColor = 0;
    std::int32_t backColor = 0;
};

enum class MenuCommand {
    None,  // dismissed without a choice
    // desk menu
    Open,
    Rename,
    Organise,
    Delete,
    DeskCancel,
    // options menu
    NewDesk,
    Settings,
    SizeLarge,
    SizeMedium,
    SizeSmall,
    SizeCustom,
    OptionsCancel,
    About,
    End,
    // the tray menu's window group
    PinWindow,
    HideOtherDeskWindows,
    StartWithWindows,
    // the tray menu's toggles
    FollowSystemDesks,
};

// What was chosen in the tray menu: a desk, the desk to move a window to, or a command of the window group or
// of the options menu that follow the desks.
struct TrayChoice {
    int desk = -1;
    MenuCommand command = MenuCommand::None;
    int moveToDesk = -1;
};

// The tray menu's window group, after the desks: "このウィンドウを移動" (the named desks, the current one
// checked) and "すべてのデスクに表示" for the window that was active before the menu opened, greyed when
// there is none; then the two options, checked when on.
struct TrayWindowItems {
    bool windowChosen = false;
    std::vector<TrayDesk> moveDesks;
    bool pinned = false;
    std::string pinKey;  // the pin hotkey's name when the program holds it
    bool hideOtherDeskWindows = false;
    bool startWithWindows = false;
};

// A checkable item of the tray menu, between the desks and the options menu.
struct TrayToggle {
    MenuCommand command = MenuCommand::None;
    std::string text;
    bool checked = false;
    bool enabled = true;
    friend bool operator==(const TrayToggle&, const TrayToggle&) = default;
};

class BarView {
  public:
    virtual ~BarView() = default;

    virtual void setCaption(const std::string& caption) = 0;
    virtual BarGeometry geometry() = 0;  // pixels; outer position on the screen
    virtual void setOuterSize(int width, int height) = 0;
    virtual void moveTo(int left, int top) = 0;
    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
    virtual int tipWidth(const std::string& text) = 0;  // the tip label fitted to its text

    virtual void showButtons(const DeskButtons& buttons) = 0;
    virtual void showTip(const TipLook& tip) = 0;
    virtual void setTopmost(bool topmost) = 0;
    // While watching, the view calls DeskBar::onWatchCheck soon after it starts, whenever the desktop's
    // appearance settings, the foreground window or the display change, and when a wake comes due: a bar
    // that nothing happens to costs nothing.
    virtual void setWatching(bool on) = 0;
    // One wake, `seconds` from now, in place of any earlier one.
    virtual void wakeAfter(double seconds) = 0;
    // While on, the view calls DeskBar::onSystemDesktopsChanged whenever the system rewrites its record of
    // its virtual desktops. Off also drops a check asked for.
    virtual void watchSystemDesktops(bool on) = 0;
    // One more call of onSystemDesktopsChanged, `seconds` from now, in place of any earlier one.
    virtual void checkSystemDesktopsAfter(double seconds) = 0;
    virtual void show() = 0;

    // Pop-up menus at the pointer; modal; return the chosen command.
    virtual MenuCommand popupDeskMenu(bool openAndDeleteEnabled) = 0;
    virtual MenuCommand popupOptionsMenu(int checkedSizeItem) = 0;
    // The notification-area icon: the current desk's number drawn on it, the tip beside it.
    virtual void showTray(int deskNumber, const std::string& tip) = 0;
    // The tray menu at the pointer: the named desks (the current one checked), the window group, the
    // toggles, then the options menu.
    virtual TrayChoice popupTrayMenu(const std::vector<TrayDesk>& desks,
                                     const std::vector<TrayToggle>& toggles, int checkedSizeItem) = 0;
    // The window group that the next tray menu shows after the desks.
    virtual void setTrayWindowItems(const TrayWindowItems& items) = 0;
    // A message with a warning icon and an OK button.
    virtual void warn(const std::string& text, const std::string& title) = 0;
    // A yes/no question with a warning icon; true for yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // The dialogs, modal, each on what it works on.
    // The desk dialog on a slot: a new desk there when it is unused, else that desk's settings.
    virtual DialogResult openDeskDialog(int slot) = 0;
    virtual DialogResult openSettingsDialog() = 0;
    virtual void openOrganiser(int desk) = 0;
    // The button width chosen, or nothing when the dialog was cancelled or closed.
    virtual std::optional<int> openButtonSizeDialog() = 0;
    virtual void openAbout() = 0;
    // Ends the program (the message loop ends after the window is gone).
    virtual void close() = 0;
};

}  // namespace koruvan
