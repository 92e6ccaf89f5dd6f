#include "bar/win32/popup_menus.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

// Far above every command: a tray menu's desk items.
constexpr UINT kFirstDeskItem = 1000;

void appendItem(HMENU menu, MenuCommand command, const char* caption, bool enabled = true,
                bool checked = false) {
    UINT flags = MF_STRING;
    if (!enabled) flags |= MF_GRAYED;
    if (checked) flags |= MF_CHECKED;
    AppendMenuW(menu, flags, static_cast<UINT>(command), widen(caption).c_str());
}

void appendOptionsItems(HMENU menu, int checkedSizeItem) {
    HMENU sizes = CreatePopupMenu();
    appendItem(sizes, MenuCommand::SizeLarge, "大", true, checkedSizeItem == 0);
    appendItem(sizes, MenuCommand::SizeMedium, "中", true, checkedSizeItem == 1);
    appendItem(sizes, MenuCommand::SizeSmall, "小", true, checkedSizeItem == 2);
    appendItem(sizes, MenuCommand::SizeCustom, "任意", true, checkedSizeItem == 3);

    appendItem(menu, MenuCommand::NewDesk, "新規にデスクトップを作る");
    appendItem(menu, MenuCommand::Settings, "設定を変更する");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    // Destroying the menu destroys its submenu too.
    AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sizes), widen("ボタンサイズ").c_str());
    appendItem(menu, MenuCommand::OptionsCancel, "ｷｬﾝｾﾙ");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    appendItem(menu, MenuCommand::About, "このプログラムについて");
    appendItem(menu, MenuCommand::End, "プログラムの終了");
}

}  // namespace

std::wstring menuText(const std::string& text) {
    std::wstring wide;
    for (wchar_t c : widen(text)) {
        if (c == L'&') wide += L'&';
        wide += c;
    }
    return wide;
}

HMENU makeDeskMenu(bool openAndDeleteEnabled) {
    HMENU menu = CreatePopupMenu();
    appendItem(menu, MenuCommand::Open, "開く", openAndDeleteEnabled);
    appendItem(menu, MenuCommand::Rename, "ﾃﾞｽｸﾄｯﾌﾟの変更");
    appendItem(menu, MenuCommand::Organise, "ﾃﾞｽｸﾄｯﾌﾟの整理");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    appendItem(menu, MenuCommand::Delete, "ﾃﾞｽｸﾄｯﾌﾟの削除", openAndDeleteEnabled);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    appendItem(menu, MenuCommand::DeskCancel, "ｷｬﾝｾﾙ");
    return menu;
}

HMENU makeOptionsMenu(int checkedSizeItem) {
    HMENU menu = CreatePopupMenu();
    appendOptionsItems(menu, checkedSizeItem);
    return menu;
}

HMENU makeTrayMenu(const std::vector<TrayDesk>& desks, const std::vector<TrayToggle>& toggles,
                   int checkedSizeItem) {
    HMENU menu = CreatePopupMenu();
    for (const TrayDesk& desk : desks) {
        AppendMenuW(menu, MF_STRING | (desk.current ? MF_CHECKED : 0),
                    kFirstDeskItem + static_cast<UINT>(desk.desk), menuText(desk.text).c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const TrayToggle& toggle : toggles)
        appendItem(menu, toggle.command, toggle.text.c_str(), toggle.enabled, toggle.checked);
    if (!toggles.empty()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    appendOptionsItems(menu, checkedSizeItem);
    return menu;
}

UINT trackMenuAtPointer(HWND owner, HMENU menu) {
    POINT at{};
    GetCursorPos(&at);
    // The owner must be foreground for the menu to close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen;
}

MenuCommand commandOf(UINT item) {
    return item == 0 || item >= kFirstDeskItem ? MenuCommand::None : static_cast<MenuCommand>(item);
}

int trayDeskOf(UINT item) {
    return item >= kFirstDeskItem && item < kFirstDeskItem + kDeskCount
               ? static_cast<int>(item - kFirstDeskItem)
               : -1;
}

}  // namespace koruvan::win32
