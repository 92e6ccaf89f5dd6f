#include "platform/win32/device_context.h"

namespace koruvan::win32 {

SIZE textExtent(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

TextMeasure::TextMeasure(HWND window, HFONT font)
    : dc_(window),
      font_(dc_.get(), font ? font : reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))) {}

}  // namespace koruvan::win32
