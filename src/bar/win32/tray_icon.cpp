#include "bar/win32/tray_icon.h"

#include <shellapi.h>

#include <string>

#include "platform/win32/device_context.h"

namespace koruvan::win32 {
namespace {

constexpr UINT kIconId = 1;

// The desk's number, white on a framed blue tile.
void drawNumber(HDC dc, int size, int number) {
    RECT all{0, 0, size, size};
    const Brush frame(CreateSolidBrush(RGB(0x2b, 0x34, 0x40)));
    FillRect(dc, &all, frame.get());
    RECT tile{1, 1, size - 1, size - 1};
    const Brush blue(CreateSolidBrush(RGB(0x3a, 0x6f, 0xd9)));
    FillRect(dc, &tile, blue.get());
    const Font font(CreateFontW(-(size * 3 / 4), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                L"Tahoma"));
    const Selection selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::wstring text = std::to_wstring(number);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// The icon's two bitmaps: the mask cleared to opaque, the number drawn on the colour.
void drawIconBitmaps(HDC screen, HBITMAP mask, HBITMAP colour, int size, int number) {
    const MemoryDc dc(screen);
    {
        const Selection selected(dc.get(), mask);
        PatBlt(dc.get(), 0, 0, size, size, BLACKNESS);
    }
    const Selection selected(dc.get(), colour);
    drawNumber(dc.get(), size, number);
}

// A small square in the colours of the program's own icon, with the desk's number on it.
HICON numberIcon(int number) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    const WindowDc screen(nullptr);
    const Bitmap colour(CreateCompatibleBitmap(screen.get(), size, size));
    const Bitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    drawIconBitmaps(screen.get(), mask.get(), colour.get(), size, number);
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return CreateIconIndirect(&info);  // copies the bitmaps
}

}  // namespace

TrayIcon::TrayIcon(HWND window, UINT callbackMessage)
    : window_(window),
      callbackMessage_(callbackMessage),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      thread_(&TrayIcon::tellShell, this) {}

TrayIcon::~TrayIcon() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    asked_.notify_one();
    thread_.join();  // the icon is gone from the shell when this returns
}

void TrayIcon::tellShell() {
    for (;;) {
        Wanted wanted;
        {
            std::unique_lock lock(mutex_);
            asked_.wait(lock, [this] { return pending_ || ending_; });
            if (!pending_) break;
            wanted = wanted_;
            wanted_.addAgain = false;
            wanted_.balloon.reset();
            pending_ = false;
        }
        apply(wanted);
    }
    if (added_) notify(NIM_DELETE);
}

void TrayIcon::apply(const Wanted& wanted) {
    if (wanted.addAgain && number_ >= 0) added_ = notify(NIM_ADD);
    const bool same = added_ && wanted.number == number_ && wanted.tip == tip_;
    if (wanted.number >= 0 && !same) {
        if (wanted.number != number_) icon_ = Icon(numberIcon(wanted.number));
        number_ = wanted.number;
        tip_ = wanted.tip;
        // Without a shell to take it, the icon is added when one starts (TaskbarCreated).
        added_ = added_ ? notify(NIM_MODIFY) || notify(NIM_ADD) : notify(NIM_ADD);
    }
    if (wanted.balloon && added_) notify(NIM_MODIFY, &*wanted.balloon);
}

bool TrayIcon::notify(DWORD action, const Balloon* balloon) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_.get();
    tip_.copy(data.szTip, std::size(data.szTip) - 1);
    if (balloon) {
        data.uFlags |= NIF_INFO;
        data.dwInfoFlags = NIIF_INFO;
        balloon->title.copy(data.szInfoTitle, std::size(data.szInfoTitle) - 1);
        balloon->text.copy(data.szInfo, std::size(data.szInfo) - 1);
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TrayIcon::show(int number, const std::wstring& tip) {
    {
        const std::lock_guard lock(mutex_);
        wanted_.number = number;
        wanted_.tip = tip;
        pending_ = true;
    }
    asked_.notify_one();
}

void TrayIcon::showBalloon(const std::wstring& title, const std::wstring& text) {
    {
        const std::lock_guard lock(mutex_);
        wanted_.balloon = Balloon{title, text};
        pending_ = true;
    }
    asked_.notify_one();
}

void TrayIcon::addAgain() {
    {
        const std::lock_guard lock(mutex_);
        wanted_.addAgain = true;
        pending_ = true;
    }
    asked_.notify_one();
}

}  // namespace koruvan::win32
