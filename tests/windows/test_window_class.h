#pragma once
// A plain window class for windows that a test opens itself.

#include <windows.h>

namespace koruvan::win32::testing {

inline void registerTestWindowClass(const wchar_t* name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

}  // namespace koruvan::win32::testing
