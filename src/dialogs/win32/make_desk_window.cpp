#include "dialogs/win32/make_desk_window.h"

#include <windows.h>
// commctrl.h and shellapi.h need the types of windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "dialogs/win32/wallpaper_preview_window.h"
#include "platform/win32/device_context.h"
#include "platform/win32/list_control.h"
#include "platform/win32/wide_text.h"
#include "resource_ids.h"

namespace koruvan::win32 {
namespace {

HICON folderIcon(bool open) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (open ? SHGFI_OPENICON : 0);
    SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
    return info.hIcon;
}

// "C:\" shows as "C:", a network share without its closing "\".
std::string driveLabel(const std::string& root) {
    std::string label = root;
    if (label.size() > 1 && label.back() == '\\') label.pop_back();
    return label;
}

std::wstring listItemText(HWND list, UINT index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int selectionOf(HWND control, UINT getSelection) {
    return static_cast<int>(SendMessageW(control, getSelection, 0, 0));
}

}  // namespace

MakeDeskWindow::MakeDeskWindow(Platform& platform, SharedState& state, int slot)
    : model_(platform, state, slot, *this) {}

DialogResult MakeDeskWindow::open(HWND owner) {
    run(owner, IDD_DESK);
    return model_.result();
}

bool MakeDeskWindow::onInit() {
    openFolderIcon_ = Icon(folderIcon(true));
    folderIcon_ = Icon(folderIcon(false));
    // The list measured its lines before this procedure was bound: set their height now.
    const int iconHeight = GetSystemMetrics(SM_CYSMICON);
    const int textHeight = static_cast<int>(SendMessageW(item(IDC_FOLDERS), LB_GETITEMHEIGHT, 0, 0));
    SendMessageW(item(IDC_FOLDERS), LB_SETITEMHEIGHT, 0, std::max(iconHeight, textHeight) + 2);
    addPreviewTip();
    model_.onOpen();
    return true;  // the focus goes to the name box, the first control
}

void MakeDeskWindow::addPreviewTip() {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tip) return;  // destroyed with the dialog, its owner
    std::wstring text = widen("拡大して表示");
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(item(IDC_WALLPAPER_PREVIEW));
    tool.lpszText = text.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// --- MakeDeskView ---

void MakeDeskWindow::setCaptions(const std::string& window, const std::string& nameFrame) {
    SetWindowTextW(hwnd(), widen(window).c_str());
    setItemText(IDC_NAME_FRAME, nameFrame);
}

void MakeDeskWindow::showName(const std::string& name) {
    setItemText(IDC_DESK_NAME, name);
}

void MakeDeskWindow::showStyles(const std::vector<std::string>& entries, int selected) {
    fillList(item(IDC_WALLPAPER_STYLE), ListControl::ComboBox, entries, selected);
}

void MakeDeskWindow::showDrives(const std::vector<std::string>& roots, int selected) {
    std::vector<std::string> labels;
    for (const std::string& root : roots)
        labels.push_back(driveLabel(root));
    fillList(item(IDC_DRIVES), ListControl::ComboBox, labels, selected);
}

void MakeDeskWindow::showFolders(const std::vector<FolderEntry>& entries, int current) {
    folders_ = entries;
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries)
        names.push_back(entry.level == 0 ? driveLabel(entry.name) : entry.name);
    HWND list = item(IDC_FOLDERS);
    fillList(list, ListControl::ListBox, names, current);
    // Wide enough to scroll to the end of the deepest line.
    int widest = 0;
    const TextMeasure measure(list);
    for (std::size_t k = 0; k < names.size(); ++k) {
        const int indent = folderIndent() * (entries[k].level + 1) + 6;
        widest = std::max(widest, indent + static_cast<int>(measure.extent(widen(names[k])).cx));
    }
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
}

void MakeDeskWindow::showFiles(const std::vector<std::string>& entries, int selected) {
    fillList(item(IDC_WALLPAPER_FILES), ListControl::ListBox, entries, selected);
}

void MakeDeskWindow::showPreview(const std::string& path) {
    if (path.empty()) {
        preview_.clear();
    } else if (!preview_.load(path)) {
        return;  // not a picture: the preview keeps what it showed
    }
    InvalidateRect(item(IDC_WALLPAPER_PREVIEW), nullptr, FALSE);
}

void MakeDeskWindow::showEnlarged(const std::string& path) {
    WallpaperPreviewWindow window(path);
    enlarged_ = &window;
    window.open(hwnd());
    enlarged_ = nullptr;
}

void MakeDeskWindow::warn(const std::string& text, const std::string& title) {
    ModalDialog::warn(text, title);
}

void MakeDeskWindow::close() {
    if (enlarged_) enlarged_->end(IDCANCEL);  // the enlarged preview goes with the dialog
    end(IDOK);
}

// --- events ---

bool MakeDeskWindow::onCommand(int id, int code, HWND control) {
    switch (id) {
        case IDOK:
            // Enter on the folder list opens the chosen folder, as in the system's file dialogs.
            if (GetFocus() == item(IDC_FOLDERS)) {
                model_.onFolderActivated(selectionOf(item(IDC_FOLDERS), LB_GETCURSEL));
            } else {
                model_.onOk();
            }
            return true;
        case IDCANCEL:
            model_.onCancel();
            return true;
        case IDC_DESK_NAME:
            if (code == EN_CHANGE) model_.onNameEdited(itemText(IDC_DESK_NAME));
            return true;
        case IDC_WALLPAPER_STYLE:
            if (code == CBN_SELCHANGE) model_.onStyleChosen(selectionOf(control, CB_GETCURSEL));
            return true;
        case IDC_DRIVES:
            // A drive is opened once chosen, not while the arrows pass over it in the open list.
            if ((code == CBN_SELCHANGE && !SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0)) ||
                code == CBN_CLOSEUP) {
                model_.onDriveChosen(selectionOf(control, CB_GETCURSEL));
            }
            return true;
        case IDC_FOLDERS:
            if (code == LBN_DBLCLK) model_.onFolderActivated(selectionOf(control, LB_GETCURSEL));
            return true;
        case IDC_WALLPAPER_FILES:
            if (code == LBN_SELCHANGE) model_.onFileChosen(selectionOf(control, LB_GETCURSEL));
            return true;
        case IDC_WALLPAPER_PREVIEW:
            if (code == BN_CLICKED) model_.onPreviewClicked();
            return true;
        default:
            return false;
    }
}

bool MakeDeskWindow::onCloseBox() {
    model_.onClose();
    return true;
}

bool MakeDeskWindow::onDrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlID == IDC_FOLDERS) {
        drawFolderEntry(draw);
    } else if (draw.CtlID == IDC_WALLPAPER_PREVIEW) {
        drawPreview(draw);
    } else {
        return false;
    }
    return true;
}

int MakeDeskWindow::folderIndent() const {
    return GetSystemMetrics(SM_CXSMICON) / 2 + 2;
}

void MakeDeskWindow::drawFolderEntry(const DRAWITEMSTRUCT& draw) const {
    if (draw.itemID == static_cast<UINT>(-1)) {  // an empty list with the focus: only the focus frame
        if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
        return;
    }
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const FolderEntry* entry = draw.itemID < folders_.size() ? &folders_[draw.itemID] : nullptr;
    const int level = entry ? entry->level : 0;
    const int iconSize = GetSystemMetrics(SM_CXSMICON);
    const int height = draw.rcItem.bottom - draw.rcItem.top;
    int x = draw.rcItem.left + 2 + folderIndent() * level;
    DrawIconEx(draw.hDC, x, draw.rcItem.top + (height - iconSize) / 2,
               (entry && entry->open ? openFolderIcon_ : folderIcon_).get(), iconSize, iconSize, 0, nullptr,
               DI_NORMAL);
    x += iconSize + 4;

    const std::wstring text = listItemText(draw.hwndItem, draw.itemID);
    RECT textRect{x, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(draw.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
}

void MakeDeskWindow::drawPreview(const DRAWITEMSTRUCT& draw) {
    RECT frame = draw.rcItem;
    DrawEdge(draw.hDC, &frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (!preview_.draw(draw.hDC, frame)) FillRect(draw.hDC, &frame, GetSysColorBrush(COLOR_3DFACE));
    if (draw.itemState & ODS_FOCUS) {
        InflateRect(&frame, -2, -2);
        DrawFocusRect(draw.hDC, &frame);
    }
}

}  // namespace koruvan::win32
