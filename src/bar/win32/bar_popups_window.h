#pragma once
// The bar's menus, messages and dialogs, each modal over the bar's window.

#include <windows.h>

#include "bar/bar_popups.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan::win32 {

class BarPopupsWindow final : public BarPopups {
  public:
    BarPopupsWindow(Platform& platform, SharedState& state) : platform_(platform), state_(state) {}
    // The bar's window, once it is made: every pop-up is owned by it.
    void setOwner(HWND owner) { owner_ = owner; }

    MenuCommand popupDeskMenu(bool openAndDeleteEnabled) override;
    MenuCommand popupOptionsMenu(int checkedSizeItem) override;
    TrayChoice popupTrayMenu(const TrayMenu& menu) override;
    void warn(const std::string& text, const std::string& title) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    DialogResult openDeskDialog(int slot, StoreReport& report) override;
    DialogResult openSettingsDialog(StoreReport& report) override;
    void openOrganiser(int desk) override;
    std::optional<int> openButtonSizeDialog() override;
    void openAbout() override;

  private:
    Platform& platform_;
    SharedState& state_;
    HWND owner_ = nullptr;
};

}  // namespace koruvan::win32
