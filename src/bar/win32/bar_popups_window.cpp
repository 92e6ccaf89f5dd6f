#include "bar/win32/bar_popups_window.h"

#include "bar/win32/button_size_window.h"
#include "bar/win32/popup_menus.h"
#include "bar/win32/tray_window_items.h"
#include "dialogs/win32/about_window.h"
#include "dialogs/win32/make_desk_window.h"
#include "dialogs/win32/settings_window.h"
#include "organiser/win32/arrange_window.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {

MenuCommand BarPopupsWindow::popupDeskMenu(bool openAndDeleteEnabled) {
    return commandOf(trackMenuAtPointer(owner_, makeDeskMenu(openAndDeleteEnabled)));
}

MenuCommand BarPopupsWindow::popupOptionsMenu(int checkedSizeItem) {
    return commandOf(trackMenuAtPointer(owner_, makeOptionsMenu(checkedSizeItem)));
}

TrayChoice BarPopupsWindow::popupTrayMenu(const TrayMenu& menu) {
    HMENU popup = makeTrayMenu(menu.desks, menu.toggles, menu.checkedSizeItem);
    insertTrayWindowItems(popup, static_cast<UINT>(menu.desks.size()), menu.windowItems);
    const UINT item = trackMenuAtPointer(owner_, popup);
    return {trayDeskOf(item), commandOf(item), trayMoveDeskOf(item), trayProgramDeskOf(item)};
}

void BarPopupsWindow::warn(const std::string& text, const std::string& title) {
    MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONWARNING);
}

bool BarPopupsWindow::askYesNo(const std::string& text, const std::string& title) {
    return MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

DialogResult BarPopupsWindow::openDeskDialog(int slot, StoreReport& report) {
    MakeDeskWindow window(platform_, state_, slot);
    const DialogResult result = window.open(owner_);
    report.noteSettingsWrite(window.written());
    return result;
}

DialogResult BarPopupsWindow::openSettingsDialog(StoreReport& report) {
    SettingsWindow window(platform_, state_);
    const DialogResult result = window.open(owner_);
    report.noteSettingsWrite(window.written());
    return result;
}

void BarPopupsWindow::openOrganiser(int desk) {
    ArrangeWindow(platform_, state_, desk).open(owner_);
}

std::optional<int> BarPopupsWindow::openButtonSizeDialog() {
    return ButtonSizeWindow(state_).open(owner_);
}

void BarPopupsWindow::openAbout() {
    AboutWindow(platform_).open(owner_);
}

}  // namespace koruvan::win32
