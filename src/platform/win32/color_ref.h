#pragma once
// The program's colours as GDI takes them. The settings and the models keep a colour as a number 0x00BBGGRR;
// a stored value may carry bits above the colour, which are not part of it.

#include <windows.h>

#include <cstdint>

namespace koruvan::win32 {

inline COLORREF toColorRef(std::int32_t value) {
    return static_cast<COLORREF>(value) & 0x00FFFFFF;
}

}  // namespace koruvan::win32
