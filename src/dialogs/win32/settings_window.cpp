#include "dialogs/win32/settings_window.h"

#include "dialogs/win32/about_window.h"
#include "dialogs/win32/make_desk_window.h"
#include "platform/win32/color_ref.h"
#include "platform/win32/device_context.h"
#include "platform/win32/list_control.h"
#include "platform/win32/wide_text.h"
#include "resource_ids.h"

namespace koruvan::win32 {
namespace {

constexpr COLORREF kChosenPositionColor = RGB(255, 0, 0);
constexpr COLORREF kScreenColor = RGB(0, 128, 128);
constexpr COLORREF kBezelColor = RGB(64, 64, 64);

bool inRange(int id, int first, int count) {
    return id >= first && id < first + count;
}

}  // namespace

SettingsWindow::SettingsWindow(Platform& platform, SharedState& state)
    : platform_(platform), state_(state), model_(platform, state, *this) {}

DialogResult SettingsWindow::open(HWND owner) {
    run(owner, IDD_SETTINGS);
    return model_.result();
}

bool SettingsWindow::onInit() {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof(font), &font);
    font.lfWeight = FW_BOLD;
    boldFont_ = Font(CreateFontIndirectW(&font));
    model_.onOpen();
    return true;
}

// --- SettingsView ---

void SettingsWindow::showChecks(bool autoHide, bool topmost) {
    CheckDlgButton(hwnd(), IDC_AUTO_HIDE, autoHide ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_ALWAYS_ON_TOP, topmost ? BST_CHECKED : BST_UNCHECKED);
}

void SettingsWindow::showKinds(const std::vector<std::string>& entries, int selected) {
    fillList(item(IDC_TIP_KIND), ListControl::ComboBox, entries, selected);
}

void SettingsWindow::showColorPart(bool text) {
    CheckRadioButton(hwnd(), IDC_TIP_TEXT, IDC_TIP_BACKGROUND, text ? IDC_TIP_TEXT : IDC_TIP_BACKGROUND);
}

void SettingsWindow::showSample(std::int32_t textColor, std::int32_t backColor) {
    sampleText_ = toColorRef(textColor);
    sampleBrush_ = Brush(CreateSolidBrush(toColorRef(backColor)));
    InvalidateRect(item(IDC_TIP_SAMPLE), nullptr, TRUE);
}

void SettingsWindow::showPositions(const PositionLooks& looks) {
    positions_ = looks;
    for (int p = 0; p < kBarPositionCount; ++p) {
        HWND label = item(IDC_POSITION0 + p);
        ShowWindow(label, looks[static_cast<std::size_t>(p)].visible ? SW_SHOWNA : SW_HIDE);
        InvalidateRect(label, nullptr, TRUE);
    }
}

bool SettingsWindow::askYesNo(const std::string& text, const std::string& title) {
    return MessageBoxW(hwnd(), widen(text).c_str(), widen(title).c_str(), MB_YESNO | MB_ICONEXCLAMATION) ==
           IDYES;
}

FileResult SettingsWindow::openDeskDialog(int slot) {
    MakeDeskWindow window(platform_, state_, slot);
    window.open(hwnd());
    return window.written();
}

void SettingsWindow::openAbout() {
    AboutWindow(platform_).open(hwnd());
}

void SettingsWindow::endProgram() {
    // The bar ends the program as its own command does; this dialog goes first, as it is modal over the bar.
    PostMessageW(GetWindow(hwnd(), GW_OWNER), WM_CLOSE, 0, 0);
    end(IDABORT);
}

void SettingsWindow::close() {
    end(IDOK);
}

// --- events ---

bool SettingsWindow::onCommand(int id, int code, HWND control) {
    if (inRange(id, IDC_POSITION0, kBarPositionCount) && code == BN_CLICKED) {
        model_.onPositionClicked(id - IDC_POSITION0);
        return true;
    }
    if (inRange(id, IDC_SWATCH0, static_cast<int>(kPalette.size())) && code == BN_CLICKED) {
        model_.onSwatchClicked(id - IDC_SWATCH0);
        return true;
    }
    switch (id) {
        case IDOK:
            model_.onOk();
            return true;
        case IDCANCEL:
            model_.onCancel();
            return true;
        case IDC_AUTO_HIDE:
            if (code == BN_CLICKED) model_.onAutoHideChanged(IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
            return true;
        case IDC_ALWAYS_ON_TOP:
            if (code == BN_CLICKED) model_.onTopmostChanged(IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
            return true;
        case IDC_TIP_KIND:
            if (code == CBN_SELCHANGE)
                model_.onKindChosen(static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
            return true;
        case IDC_TIP_TEXT:
        case IDC_TIP_BACKGROUND:
            if (code == BN_CLICKED) model_.onColorPartChosen(id == IDC_TIP_TEXT);
            return true;
        case IDC_NEW_DESK:
            model_.onNewDesk();
            return true;
        case IDC_ABOUT:
            model_.onAbout();
            return true;
        case IDC_END_PROGRAM:
            model_.onQuit();
            return true;
        default:
            return false;
    }
}

bool SettingsWindow::onCloseBox() {
    model_.onClose();
    return true;
}

bool SettingsWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != item(IDC_TIP_SAMPLE) ||
        !sampleBrush_) {
        return false;
    }
    SetTextColor(reinterpret_cast<HDC>(wParam), sampleText_);
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    result = reinterpret_cast<INT_PTR>(sampleBrush_.get());
    return true;
}

bool SettingsWindow::onDrawItem(const DRAWITEMSTRUCT& draw) {
    const int id = static_cast<int>(draw.CtlID);
    if (id == IDC_SCREEN_PICTURE) {
        drawScreen(draw);
    } else if (inRange(id, IDC_POSITION0, kBarPositionCount)) {
        drawPosition(draw, id - IDC_POSITION0);
    } else if (inRange(id, IDC_SWATCH0, static_cast<int>(kPalette.size()))) {
        drawSwatch(draw, id - IDC_SWATCH0);
    } else {
        return false;
    }
    return true;
}

// A small monitor: a dark bezel around a teal screen, on a stand.
void SettingsWindow::drawScreen(const DRAWITEMSTRUCT& draw) const {
    const RECT& all = draw.rcItem;
    FillRect(draw.hDC, &all, GetSysColorBrush(COLOR_3DFACE));
    const int standHeight = (all.bottom - all.top) / 10;
    RECT bezel{all.left, all.top, all.right, all.bottom - standHeight};
    const Brush dark(CreateSolidBrush(kBezelColor));
    FillRect(draw.hDC, &bezel, dark.get());
    const int standWidth = (all.right - all.left) / 4;
    RECT stand{(all.left + all.right - standWidth) / 2, bezel.bottom, (all.left + all.right + standWidth) / 2,
               all.bottom};
    FillRect(draw.hDC, &stand, dark.get());
    RECT screen = bezel;
    InflateRect(&screen, -4, -4);
    const Brush teal(CreateSolidBrush(kScreenColor));
    FillRect(draw.hDC, &screen, teal.get());
}

void SettingsWindow::drawPosition(const DRAWITEMSTRUCT& draw, int position) const {
    const bool chosen = positions_[static_cast<std::size_t>(position)].chosen;
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_3DSHADOW));
    const Selection bold(draw.hDC, chosen ? boldFont_.get() : nullptr);
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, chosen ? kChosenPositionColor : RGB(0, 0, 0));
    RECT text = draw.rcItem;
    const std::wstring caption = windowText(draw.hwndItem);
    DrawTextW(draw.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (draw.itemState & ODS_FOCUS) {
        RECT focus = draw.rcItem;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(draw.hDC, &focus);
    }
}

void SettingsWindow::drawSwatch(const DRAWITEMSTRUCT& draw, int swatch) const {
    RECT box = draw.rcItem;
    DrawEdge(draw.hDC, &box, (draw.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_ADJUST);
    const Brush brush(CreateSolidBrush(toColorRef(kPalette[static_cast<std::size_t>(swatch)])));
    FillRect(draw.hDC, &box, brush.get());
    if (draw.itemState & ODS_FOCUS) {
        InflateRect(&box, -1, -1);
        DrawFocusRect(draw.hDC, &box);
    }
}

}  // namespace koruvan::win32
