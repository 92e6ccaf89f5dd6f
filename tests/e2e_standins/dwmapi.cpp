// A stand-in for dwmapi.dll in the end-to-end runs under Wine, whose DWM cloaks no window: it reports the
// windows of the test class "KoruvanCloaked" cloaked, as Windows reports the windows of its other virtual
// desktops, and every other window not. The run gives it to KORUVAN.exe alone, by a DLL override of that
// program.
#include <windows.h>

#include <cwchar>

namespace {

constexpr DWORD kCloakedAttribute = 14;  // DWMWA_CLOAKED
constexpr DWORD kCloakedByShell = 2;     // DWM_CLOAKED_SHELL

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
    if (attribute != kCloakedAttribute || value == nullptr || size < sizeof(DWORD)) return E_INVALIDARG;
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    *static_cast<DWORD*>(value) = std::wcscmp(className, L"KoruvanCloaked") == 0 ? kCloakedByShell : 0;
    return S_OK;
}
