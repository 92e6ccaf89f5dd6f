// The bar's two pop-up menus: the desk menu and the options menu, and the dialogs they open.
#include "bar/bar_layout.h"
#include "bar/desk_bar.h"
#include "store/desk_folders.h"
#include "store/desk_ties.h"
#include "store/pool.h"
#include "store/settings.h"
#include "store/window_table.h"

namespace koruvan {

void DeskBar::onDeskMenuCommand(int desk, MenuCommand command) {
    switch (command) {
        case MenuCommand::Open:
            resumeWatching();
            placeOrHide();
            chooseDesk(desk);
            return;
        case MenuCommand::Rename:
            editDesk(desk);
            return;
        case MenuCommand::Organise:
            captureWindows(platform_, state_, listWindows(platform_));
            view_.openOrganiser(desk);
            break;
        case MenuCommand::Delete:
            deleteDesk(desk);
            break;
        default:  // the cancel item, or the menu dismissed: the bar keeps watching either way
            break;
    }
    resumeWatching();
}

void DeskBar::editDesk(int desk) {
    const DialogResult result = view_.openDeskDialog(desk);
    resumeWatching();
    if (result == DialogResult::Stored) redrawButtons();
}

void DeskBar::deleteDesk(int slot) {
    Desk* desk = deskAt(state_, slot);
    // The current desk is never deleted: its items are the ones on the Desktop.
    if (desk && desk->exists() && slot != state_.currentDesk &&
        view_.askYesNo("ﾃﾞｽｸﾄｯﾌﾟ「" + desk->name() + "」を削除しますか", "ﾃﾞｽｸﾄｯﾌﾟ削除")) {
        giveUpDesk(slot);
        redrawButtons();
    }
    fitToDesks();
    redrawButtons();
}

void DeskBar::giveUpDesk(int slot) {
    // Its items may exist nowhere else: they go into the item pool, where the organiser offers them.
    platform_.makeFolder(poolFolder(state_));
    giveDeskToPool(platform_, state_, slot);
    writeItemRecord(platform_, state_, state_.items);
    releaseDeskWindows(slot);
    // The name, the wallpaper and the tie go; the style stays with the slot.
    applyToDesks(FollowAction::deleteDesk(slot), state_.deskTable, state_.deskTies);
    saveDeskTable(platform_, state_);
    writeDeskTie(platform_, state_, slot);
}

void DeskBar::onOptionsMenuCommand(MenuCommand command) {
    switch (command) {
        case MenuCommand::NewDesk:
            makeNewDesk();
            break;
        case MenuCommand::Settings:
            changeSettings();
            break;
        case MenuCommand::SizeLarge:
        case MenuCommand::SizeMedium:
        case MenuCommand::SizeSmall:
            storeButtonSizeSetting(static_cast<int>(command) - static_cast<int>(MenuCommand::SizeLarge));
            break;
        case MenuCommand::SizeCustom:
            if (const std::optional<int> width = view_.openButtonSizeDialog())
                storeButtonSizeSetting(buttonSizeSettingFor(*width));
            break;
        case MenuCommand::About:
            view_.openAbout();
            break;
        case MenuCommand::End:
            onCloseRequested();
            return;
        default:  // the cancel item, or the menu dismissed
            break;
    }
    resumeWatching();
}

void DeskBar::makeNewDesk() {
    setWatching(false);
    if (view_.openDeskDialog(firstFreeDeskSlot(state_.deskTable)) == DialogResult::Stored) {
        fitToDesks();
        redrawButtons();
    }
}

void DeskBar::changeSettings() {
    if (view_.openSettingsDialog() == DialogResult::Stored) {
        fitToDesks();
        redrawButtons();
        placeOrHide();  // a new position shows at once, not at the next idle check
    }
}

void DeskBar::storeButtonSizeSetting(int setting) {
    state_.buttonSizeSetting = static_cast<std::int16_t>(setting);
    applyButtonSizeSetting();
    fitToDesks();
    writeUserValue(platform_, state_, kSizeNumKey, state_.buttonSizeSetting);
}

}  // namespace koruvan
