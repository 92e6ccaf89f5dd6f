#pragma once
// What the desk bar's model needs to ask the user: its pop-up menus, messages and the modal dialogs. Each
// call returns once the user has answered. The Win32 view implements it; tests use a recording fake.

#include <optional>
#include <string>
#include <vector>

#include "bar/desk_keys.h"
#include "core/dialog_result.h"
#include "store/store_report.h"

namespace koruvan {

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
    ShowDeskName,
    KeepIconPositions,
};

// What was chosen in the tray menu: a desk, the desk to move a window to, or a command of the window group or
// of the options menu that follow the desks.
struct TrayChoice {
    int desk = -1;
    MenuCommand command = MenuCommand::None;
    int moveToDesk = -1;
    // The desk chosen in "このプログラムを開くデスク"; -1 for "(決めない)".
    std::optional<int> programDesk = std::nullopt;
};

// The tray menu's window group, after the desks: "このウィンドウを移動" (the named desks, the current one
// checked) and "すべてのデスクに表示" for the window that was active before the menu opened, greyed when
// there is none; then the two options, checked when on. While the system's desktops keep the windows apart
// the three window items are greyed.
struct TrayWindowItems {
    bool enabled = true;
    bool windowChosen = false;
    std::vector<TrayDesk> moveDesks;
    bool pinned = false;
    std::string pinKey;  // the pin hotkey's name when the program holds it
    bool hideOtherDeskWindows = false;
    bool startWithWindows = false;
    // "このプログラムを開くデスク": "(決めない)" and the named desks, the program's own checked ("(決めない)"
    // when none is); greyed when no window is chosen or while following.
    bool programEnabled = false;
    std::vector<TrayDesk> programDesks;
};

// A checkable item of the tray menu, between the window group and the options menu.
struct TrayToggle {
    MenuCommand command = MenuCommand::None;
    std::string text;
    bool checked = false;
    bool enabled = true;
    friend bool operator==(const TrayToggle&, const TrayToggle&) = default;
};

// Everything the tray menu shows: the named desks (the current one checked), the window group, the toggles,
// then the options menu with the size in use checked.
struct TrayMenu {
    std::vector<TrayDesk> desks;
    TrayWindowItems windowItems;
    std::vector<TrayToggle> toggles;
    int checkedSizeItem = 0;
};

class BarPopups {
  public:
    virtual ~BarPopups() = default;

    // Pop-up menus at the pointer; modal; return the chosen command.
    virtual MenuCommand popupDeskMenu(bool openAndDeleteEnabled) = 0;
    virtual MenuCommand popupOptionsMenu(int checkedSizeItem) = 0;
    virtual TrayChoice popupTrayMenu(const TrayMenu& menu) = 0;
    // A message with a warning icon and an OK button.
    virtual void warn(const std::string& text, const std::string& title) = 0;
    // A yes/no question with a warning icon; true for yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // The dialogs, modal, each on what it works on; what a dialog could not store goes to `report`.
    // The desk dialog on a slot: a new desk there when it is unused, else that desk's settings.
    virtual DialogResult openDeskDialog(int slot, StoreReport& report) = 0;
    virtual DialogResult openSettingsDialog(StoreReport& report) = 0;
    virtual void openOrganiser(int desk) = 0;
    // The button width chosen, or nothing when the dialog was cancelled or closed.
    virtual std::optional<int> openButtonSizeDialog() = 0;
    virtual void openAbout() = 0;
};

}  // namespace koruvan
