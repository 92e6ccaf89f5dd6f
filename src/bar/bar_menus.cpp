#include "bar/bar_menus.h"

#include "bar/bar_layout.h"
#include "bar/desk_keys.h"
#include "store/settings.h"

namespace koruvan {

constexpr const char* kShowDeskNameText = "切り替え時にデスク名を表示";

BarMenus::BarMenus(Platform& platform, SharedState& state, BarPopups& popups, BarFace& face,
                   DeskWindowKeeper& windows, DeskIconKeeper& icons, DeskFollowing& following,
                   DeskPrograms& programs, BarActions& bar)
    : platform_(platform),
      state_(state),
      popups_(popups),
      face_(face),
      windows_(windows),
      icons_(icons),
      following_(following),
      programs_(programs),
      bar_(bar) {}

// Only the outermost scope pauses and resumes: a message inside a menu leaves the menu's pause alone.
BarMenus::Scope::Scope(BarMenus& menus) : menus_(menus), wasOpen_(menus.open_) {
    menus_.open_ = true;
    if (!wasOpen_) menus_.face_.pauseWatching();
}

BarMenus::Scope::~Scope() {
    if (!wasOpen_) {
        menus_.face_.setWatching(true);
        menus_.following_.askForCheck();
    }
    menus_.open_ = wasOpen_;
}

void BarMenus::onDeskRightPressed(int desk) {
    MenuCommand command = MenuCommand::None;
    {
        const Scope modal(*this);
        face_.hideTip();
        command = popups_.popupDeskMenu(desk != state_.currentDesk);
        if (command != MenuCommand::Open) onDeskCommand(desk, command);
    }
    if (command == MenuCommand::Open) {
        face_.placeOrHide();
        bar_.chooseDesk(desk);
    }
}

void BarMenus::onDeskCommand(int desk, MenuCommand command) {
    switch (command) {
        case MenuCommand::Rename: {
            StoreReport report;
            redrawIfStored(popups_.openDeskDialog(desk, report), report, false);
            break;
        }
        case MenuCommand::Organise:
            windows_.capture();
            popups_.openOrganiser(desk);
            break;
        case MenuCommand::Delete:
            deleteDesk(desk);
            break;
        default:  // the cancel item, or the menu dismissed
            break;
    }
}

void BarMenus::deleteDesk(int slot) {
    const Desk* desk = deskAt(state_, slot);
    // The current desk is never deleted: its items are the ones on the Desktop.
    if (desk && desk->exists() && slot != state_.currentDesk &&
        popups_.askYesNo("ﾃﾞｽｸﾄｯﾌﾟ「" + desk->name + "」を削除しますか", "ﾃﾞｽｸﾄｯﾌﾟ削除")) {
        StoreReport report;
        bar_.giveUpDesk(slot, report);
        tellUser(report);
    }
    bar_.relayout();
}

void BarMenus::onBackgroundRightPressed() {
    bool keepOpen = true;
    {
        const Scope modal(*this);
        keepOpen = onOptionsCommand(popups_.popupOptionsMenu(face_.checkedSizeItem()));
    }
    if (!keepOpen) bar_.onCloseRequested();
}

bool BarMenus::onOptionsCommand(MenuCommand command) {
    StoreReport report;
    switch (command) {
        case MenuCommand::NewDesk:
            redrawIfStored(popups_.openDeskDialog(firstFreeDeskSlot(state_.deskTable), report), report, true);
            break;
        case MenuCommand::Settings:
            redrawIfStored(popups_.openSettingsDialog(report), report, true);
            break;
        case MenuCommand::SizeLarge:
        case MenuCommand::SizeMedium:
        case MenuCommand::SizeSmall:
            storeButtonSizeSetting(static_cast<int>(command) - static_cast<int>(MenuCommand::SizeLarge));
            break;
        case MenuCommand::SizeCustom:
            if (const std::optional<int> width = popups_.openButtonSizeDialog())
                storeButtonSizeSetting(buttonSizeSettingFor(*width));
            break;
        case MenuCommand::About:
            popups_.openAbout();
            break;
        case MenuCommand::End:
            return false;
        default:  // the cancel item, or the menu dismissed
            break;
    }
    return true;
}

// A confirmed dialog changed what the bar shows: a new desk or new settings (`relayout`) change its size and
// place too.
void BarMenus::redrawIfStored(DialogResult result, const StoreReport& report, bool relayout) {
    if (result == DialogResult::Stored) {
        if (relayout) {
            bar_.relayout();
            face_.placeOrHide();  // a new position shows at once, not at the next idle check
        } else {
            face_.drawButtonFaces();
            face_.showTrayDesk(following_.deskOrder());
        }
    }
    tellUser(report);
}

void BarMenus::storeButtonSizeSetting(int setting) {
    state_.buttonSizeSetting = static_cast<std::int16_t>(setting);
    face_.applyButtonSizeSetting();
    face_.fitToDesks(following_.deskOrder());
    StoreReport report;
    report.noteSettingsWrite(writeUserValue(platform_.files, state_, kSizeNumKey, state_.buttonSizeSetting));
    tellUser(report);
}

void BarMenus::onTrayClicked(const std::vector<int>& order, const HeldHotkeys& held) {
    TrayChoice choice;
    bool keepOpen = true;
    {
        const Scope modal(*this);
        TrayMenu menu{trayMenuDesks(state_.deskTable, order, state_.currentDesk, held),
                      windows_.trayItems(order, held), following_.trayToggles(), face_.checkedSizeItem()};
        programs_.fillTrayItems(menu.windowItems, windows_.trayWindow(), order);
        menu.toggles.insert(menu.toggles.begin(), icons_.trayToggle());
        menu.toggles.push_back({.command = MenuCommand::ShowDeskName,
                                .text = kShowDeskNameText,
                                .checked = state_.showDeskName});
        choice = popups_.popupTrayMenu(menu);
        if (choice.desk < 0) {
            StoreReport report;
            if (choice.programDesk) {
                programs_.onTrayChoice(*choice.programDesk, windows_.trayWindow(), report);
            } else if (choice.command == MenuCommand::FollowSystemDesks) {
                following_.onTrayToggle(report);
                programs_.updateWatch();
            } else if (choice.command == MenuCommand::ShowDeskName) {
                state_.showDeskName = !state_.showDeskName;
                report.noteSettingsWrite(
                    writeUserValue(platform_.files, state_, kShowDeskNameKey, state_.showDeskName ? 1 : 0));
            } else if (choice.command == MenuCommand::KeepIconPositions) {
                icons_.onTrayToggle(report);
            } else if (!windows_.onTrayCommand(choice, report)) {
                keepOpen = onOptionsCommand(choice.command);
            }
            tellUser(report);
        }
    }
    if (choice.desk >= 0) bar_.chooseDesk(choice.desk);
    if (!keepOpen) bar_.onCloseRequested();
}

void BarMenus::warn(const std::string& text, const char* title) {
    // No switch may start from a key or the tray, nor a setting be taken up, while the message is up.
    const Scope modal(*this);
    popups_.warn(text, title);
}

void BarMenus::tellUser(StoreReport report) {
    // A file that cannot be written stays so: each is told once a run, not at every switch.
    if (report.settingsUnwritten) {
        if (toldOfSettings_) report.settingsUnwritten.reset();
        toldOfSettings_ = true;
    }
    if (report.lastUseUnwritten) {
        if (toldOfLastUse_) report.lastUseUnwritten.reset();
        toldOfLastUse_ = true;
    }
    if (!report.empty())
        warn(reportText(report, state_.deskTable, state_.programDir, state_.desktopFolder), kReportTitle);
}

}  // namespace koruvan
