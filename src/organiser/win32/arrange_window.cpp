#include "organiser/win32/arrange_window.h"

#include <algorithm>

#include "platform/win32/device_context.h"
#include "platform/win32/list_control.h"
#include "platform/win32/wide_text.h"
#include "resource_ids.h"

namespace koruvan::win32 {
namespace {

constexpr int kVisibleApplications = 8;  // lines of the open application list

// The controls in the order of ArrangeControl.
constexpr int kControlIds[kArrangeControlCount] = {
    IDC_ORGANISED_DESK_CAPTION,
    IDC_ORGANISED_DESK,
    IDC_ADD_APPLICATION,
    IDC_APPLICATIONS,
    IDC_SHORTCUT_NAME_CAPTION,
    IDC_SHORTCUT_NAME,
    IDC_POOL_CAPTION,
    IDC_DESK_ITEMS_CAPTION,
    IDC_POOL_ITEMS,
    IDC_COPY_ITEMS,
    IDC_REMOVE_ITEMS,
    IDC_DESK_ITEMS,
    IDOK,
    IDCANCEL,
};

std::vector<int> selectedEntries(HWND list) {
    const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    if (count <= 0) return {};
    std::vector<int> entries(static_cast<std::size_t>(count));
    const LRESULT got = SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                     reinterpret_cast<LPARAM>(entries.data()));
    entries.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

void ArrangeWindow::open(HWND owner) {
    run(owner, IDD_ORGANISER);
}

bool ArrangeWindow::onInit() {
    dpi_ = dotsPerInch();
    model_.onLoad();
    loaded_ = true;
    return true;  // the focus goes to the tick box, the first control
}

int ArrangeWindow::pixels(int twips) const {
    return twipsToPixels(twips, dpi_);
}

int ArrangeWindow::twips(int pixels) const {
    return pixelsToTwips(pixels, dpi_);
}

// --- ArrangeView ---

void ArrangeWindow::showDeskName(const std::string& name) {
    setItemText(IDC_ORGANISED_DESK, name);
}

int ArrangeWindow::deskNameWidth(const std::string& name) {
    return twips(textExtent(item(IDC_ORGANISED_DESK), widen(name)).cx + 2);
}

void ArrangeWindow::showPool(const std::vector<std::string>& bases) {
    fillList(item(IDC_POOL_ITEMS), ListControl::ListBox, bases);
}

void ArrangeWindow::showDesk(const std::vector<std::string>& bases) {
    fillList(item(IDC_DESK_ITEMS), ListControl::ListBox, bases);
}

void ArrangeWindow::appendDeskEntry(const std::string& base) {
    SendMessageW(item(IDC_DESK_ITEMS), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(base).c_str()));
}

void ArrangeWindow::removeDeskEntry(int index) {
    SendMessageW(item(IDC_DESK_ITEMS), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

std::vector<int> ArrangeWindow::selectedPoolEntries() {
    return selectedEntries(item(IDC_POOL_ITEMS));
}

std::vector<int> ArrangeWindow::selectedDeskEntries() {
    return selectedEntries(item(IDC_DESK_ITEMS));
}

void ArrangeWindow::deselectPoolEntry(int index) {
    SendMessageW(item(IDC_POOL_ITEMS), LB_SETSEL, FALSE, index);
}

void ArrangeWindow::showApplicationControls(bool shown) {
    for (int id : {IDC_APPLICATIONS, IDC_SHORTCUT_NAME_CAPTION, IDC_SHORTCUT_NAME})
        ShowWindow(item(id), shown ? SW_SHOWNA : SW_HIDE);
}

void ArrangeWindow::showApplications(const std::vector<std::string>& titles, int selected) {
    HWND box = item(IDC_APPLICATIONS);
    fillList(box, ListControl::ComboBox, titles, selected);
    int widest = 0;
    const TextMeasure measure(box);
    for (const std::string& title : titles)
        widest = std::max(widest, static_cast<int>(measure.extent(widen(title)).cx));
    // A long title is read whole in the open list.
    SendMessageW(box, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + GetSystemMetrics(SM_CXVSCROLL) + 8),
                 0);
}

void ArrangeWindow::showShortcutName(const std::string& name) {
    setItemText(IDC_SHORTCUT_NAME, name);
}

Size<int> ArrangeWindow::outerSize() {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return {twips(r.right - r.left), twips(r.bottom - r.top)};
}

Size<int> ArrangeWindow::clientSize() {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return {twips(r.right), twips(r.bottom)};
}

void ArrangeWindow::setOuterSize(Size<int> size) {
    SetWindowPos(hwnd(), nullptr, 0, 0, pixels(size.width), pixels(size.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ArrangeWindow::place(const ArrangeLayout& layout) {
    HDWP positions = BeginDeferWindowPos(static_cast<int>(kArrangeControlCount));
    for (std::size_t k = 0; k < kArrangeControlCount && positions; ++k) {
        const Rect<int>& r = layout[k];
        int height = pixels(r.height);
        if (kControlIds[k] == IDC_APPLICATIONS) height *= kVisibleApplications + 1;  // with its open list
        positions = DeferWindowPos(positions, item(kControlIds[k]), nullptr, pixels(r.left), pixels(r.top),
                                   pixels(r.width), height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) EndDeferWindowPos(positions);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ArrangeWindow::warn(const std::string& text, const std::string& title) {
    ModalDialog::warn(text, title);
}

void ArrangeWindow::close() {
    end(IDOK);
}

// --- events ---

bool ArrangeWindow::onCommand(int id, int code, HWND control) {
    switch (id) {
        case IDOK:
            model_.onSet();
            return true;
        case IDCANCEL:  // the cancel button, Esc and the close box
            model_.onCancel();
            return true;
        case IDC_COPY_ITEMS:
            if (code == BN_CLICKED) model_.onCopy();
            return true;
        case IDC_REMOVE_ITEMS:
            if (code == BN_CLICKED) model_.onDelete();
            return true;
        case IDC_ADD_APPLICATION:
            if (code == BN_CLICKED) {
                model_.onAddApplicationToggled(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
            }
            return true;
        case IDC_APPLICATIONS:
            if (code == CBN_SELCHANGE) {
                model_.onApplicationChosen(static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
            }
            return true;
        case IDC_SHORTCUT_NAME:
            if (code == EN_CHANGE) model_.onShortcutNameEdited(itemText(IDC_SHORTCUT_NAME));
            return true;
        default:
            return false;
    }
}

bool ArrangeWindow::onMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_SIZE:
            if (loaded_) model_.onResize();
            result = 0;
            return true;
        case WM_GETMINMAXINFO: {
            // Dragging stops at the smallest size the layout allows.
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            limits.ptMinTrackSize = {pixels(kArrangeMinimumSize.width), pixels(kArrangeMinimumSize.height)};
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace koruvan::win32
