// The bar's two pop-up menus: the desk menu and the options menu.
#include "bar/desk_bar.h"
#include "store/desk_folders.h"
#include "store/desk_items.h"
#include "store/settings.h"
#include "store/window_table.h"

namespace koruvan {

void DeskBar::OnDeskMenuCommand(MenuCommand command) {
    switch (command) {
        case MenuCommand::Open:
            TopWinONOFF(1);
            FormHide();
            ChgDsk(state_.targetDesk);
            return;
        case MenuCommand::Rename:
            if (view_.openDialog(DialogKind::MakeDesk)) {
                TopWinONOFF(1);
                if (state_.dialogCancelled == 0) SetWaku();
                return;
            }
            break;
        case MenuCommand::Organise:
            CreateApl(platform_, state_, ListWindows(platform_));
            view_.openDialog(DialogKind::Arrange);
            break;
        case MenuCommand::Delete:
            deleteTargetDesk();
            break;
        default:  // the cancel item, or the menu dismissed: the bar keeps watching either way
            break;
    }
    TopWinONOFF(1);
}

void DeskBar::deleteTargetDesk() {
    Desk* desk = deskAt(state_, state_.targetDesk);
    // The current desk is never deleted: its items are the ones on the Desktop.
    if (desk && desk->exists() && state_.targetDesk != state_.currentDesk &&
        view_.askYesNo("ﾃﾞｽｸﾄｯﾌﾟ「" + desk->name() + "」を削除しますか", "ﾃﾞｽｸﾄｯﾌﾟ削除")) {
        // Its items may exist nowhere else: they go into the item pool, where the organiser offers them.
        platform_.makeFolder(poolFolder(state_));
        GiveFolderItems(platform_, deskFolder(state_, state_.targetDesk), poolFolder(state_));
        for (DeskField field :
             {DeskField::Name, DeskField::Wallpaper, DeskField::Pattern, DeskField::Background}) {
            (*desk)[field].clear();
        }
        SetWaku();
        SaveDeskTable(platform_, state_);
    }
    SizeAdjust();
    SetWaku();
}

void DeskBar::OnOptionsMenuCommand(MenuCommand command) {
    switch (command) {
        case MenuCommand::NewDesk: {
            setTimer(false);
            state_.targetDesk = static_cast<std::int16_t>(FirstFreeDeskSlot(state_.deskTable));
            if (view_.openDialog(DialogKind::MakeDesk) && state_.dialogCancelled == 0) {
                SizeAdjust();
                SetWaku();
            }
            break;
        }
        case MenuCommand::Settings:
            if (view_.openDialog(DialogKind::Settings) && state_.dialogCancelled == 0) {
                SizeAdjust();
                SetWaku();
                FormHide();  // a new position shows at once, not at the next idle check
            }
            break;
        case MenuCommand::SizeLarge:
            applySizePreset(0);
            break;
        case MenuCommand::SizeMedium:
            applySizePreset(1);
            break;
        case MenuCommand::SizeSmall:
            applySizePreset(2);
            break;
        case MenuCommand::SizeCustom:
            openSizeDialog();
            break;
        case MenuCommand::About:
            view_.openDialog(DialogKind::About);
            break;
        case MenuCommand::End:
            OnCloseRequest();
            return;
        default:  // the cancel item, or the menu dismissed
            break;
    }
    TopWinONOFF(1);
}

void DeskBar::applySizePreset(int index) {
    state_.SizeNum = static_cast<std::int16_t>(index);
    applySizeNum();
    SizeAdjust();
    WriteUserValue(platform_, state_, "SizeNum", state_.SizeNum);
}

void DeskBar::openSizeDialog() {
    view_.openDialog(DialogKind::SizeChange);
    // A custom size equal to a preset is stored as that preset.
    if (!IsSizePreset(state_.SizeNum) && state_.SizeNum <= 40 && (40 - state_.SizeNum) % 6 == 0 &&
        state_.SizeNum >= 28) {
        state_.SizeNum = static_cast<std::int16_t>((40 - state_.SizeNum) / 6);
    }
    applySizeNum();
    SizeAdjust();
    WriteUserValue(platform_, state_, "SizeNum", state_.SizeNum);
}

}  // namespace koruvan
