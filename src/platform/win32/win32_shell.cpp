// The registry of the current user, the desktop's wallpaper and folders, shell links and the system's keys
// for its virtual desktops.
#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <knownfolders.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "platform/win32/com.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

HKEY rootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
    }
    return HKEY_CURRENT_USER;
}

bool isStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::wstring cutAtNul(std::wstring text) {
    const auto nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}

// A value read whole when `accept` takes its type. The system may rewrite a value while it is read: one that
// grew between asking its size and reading it is asked again.
std::optional<std::string> readValueBytes(HKEY root, const std::string& subKey, const std::string& valueName,
                                          bool (*accept)(DWORD)) {
    RegistryKey key;
    if (RegOpenKeyExW(root, widen(subKey).c_str(), 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring name = widen(valueName);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            !accept(type)) {
            return std::nullopt;
        }
        std::string bytes(size, '\0');
        DWORD read = size;
        const LSTATUS status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(bytes.data()), &read);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || !accept(type)) return std::nullopt;
        bytes.resize(read);
        return bytes;
    }
    return std::nullopt;
}

INPUT keyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    // The arrows and the Windows key are extended keys; without the flag an arrow reads as a number-pad key.
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_LWIN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

// Creates or opens the key and sets the value.
bool writeValue(HKEY root, const std::string& subKey, const std::string& valueName, DWORD type,
                const BYTE* data, DWORD size) {
    RegistryKey key;
    if (RegCreateKeyExW(root, widen(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExW(key.get(), widen(valueName).c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

// IVirtualDesktopManager of Windows 10, declared here: the headers give it only to programs that need
// Windows 10, and this one starts on Windows 7 too, where creating it fails.
struct DesktopManager : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND window, BOOL* onCurrent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND window, GUID* desktop) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND window, REFGUID desktop) = 0;
};
constexpr CLSID kDesktopManagerClass = {
    0xaa509086, 0x5ca9, 0x4c25, {0x8f, 0x95, 0x58, 0x9d, 0x3c, 0x07, 0xb4, 0x8a}};
constexpr IID kDesktopManagerInterface = {
    0xa5cd92ff, 0x29be, 0x454c, {0x8d, 0x04, 0xd8, 0x28, 0x79, 0xfb, 0x3f, 0x1b}};

// Win+Ctrl+`key`, `times` over. The program's own hotkeys hold Ctrl+Alt when a key leads here: a held Alt
// or Shift would make the system see another combination, so they are let go first.
bool pressWithWinCtrl(WORD key, int times) {
    std::vector<INPUT> inputs;
    for (const WORD held : {WORD{VK_MENU}, WORD{VK_SHIFT}}) {
        if (GetAsyncKeyState(held) < 0) inputs.push_back(keyInput(held, false));
    }
    const WORD keys[] = {VK_LWIN, VK_LCONTROL, key};
    for (int k = 0; k < times; ++k) {
        for (const WORD down : keys)
            inputs.push_back(keyInput(down, true));
        for (auto up = std::rbegin(keys); up != std::rend(keys); ++up)
            inputs.push_back(keyInput(*up, false));
    }
    const auto count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

BOOL CALLBACK noteVisibleWindow(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The first visible top-level window of the calling thread: the bar, on the program's thread.
HWND ownVisibleWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), noteVisibleWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

std::optional<std::string> Win32Shell::readRegistryString(RegistryRoot root, const std::string& subKey,
                                                          const std::string& valueName) {
    const std::optional<std::string> bytes = readValueBytes(rootKey(root), subKey, valueName, isStringType);
    if (!bytes) return std::nullopt;
    // A stored string need not carry its own NUL.
    std::wstring text(bytes->size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes->data(), text.size() * sizeof(wchar_t));
    return narrow(cutAtNul(std::move(text)));
}

std::optional<std::string> Win32Shell::readRegistryBinary(RegistryRoot root, const std::string& subKey,
                                                          const std::string& valueName) {
    return readValueBytes(rootKey(root), subKey, valueName, [](DWORD type) { return type == REG_BINARY; });
}

bool Win32Shell::registryKeyExists(RegistryRoot root, const std::string& subKey) {
    RegistryKey key;
    return RegOpenKeyExW(rootKey(root), widen(subKey).c_str(), 0, KEY_QUERY_VALUE, key.receive()) ==
           ERROR_SUCCESS;
}

bool Win32Shell::writeRegistryString(RegistryRoot root, const std::string& subKey,
                                     const std::string& valueName, const std::string& value) {
    const std::wstring text = widen(value);
    if (text.size() >= std::numeric_limits<DWORD>::max() / sizeof(wchar_t)) return false;
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));  // with the terminating NUL
    return writeValue(rootKey(root), subKey, valueName, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                      bytes);
}

bool Win32Shell::writeRegistryBinary(RegistryRoot root, const std::string& subKey,
                                     const std::string& valueName, const std::string& bytes) {
    if (bytes.size() >= std::numeric_limits<DWORD>::max()) return false;
    return writeValue(rootKey(root), subKey, valueName, REG_BINARY,
                      reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

bool Win32Shell::deleteRegistryValue(RegistryRoot root, const std::string& subKey,
                                     const std::string& valueName) {
    RegistryKey key;
    const LSTATUS opened =
        RegOpenKeyExW(rootKey(root), widen(subKey).c_str(), 0, KEY_SET_VALUE, key.receive());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LSTATUS deleted = RegDeleteValueW(key.get(), widen(valueName).c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool Win32Shell::setDesktopWallpaper(const std::string& path) {
    std::wstring wide = widen(path);  // an empty text (not a null pointer) removes the wallpaper
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), SPIF_SENDWININICHANGE) != FALSE;
}

std::string Win32Shell::windowsDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {  // too small: the result is the size needed, NUL included
        buffer.assign(length, L'\0');
        length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return narrow(buffer);
}

std::string Win32Shell::knownDesktopFolder() {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &path);
    std::string folder = SUCCEEDED(result) && path ? narrow(path) : std::string();
    CoTaskMemFree(path);  // owed even when the call failed
    return folder;
}

bool Win32Shell::pressDesktopSwitchKeys(int steps) {
    constexpr int kMostSteps = 1000;  // far past any list of desktops; a wild count presses nothing
    if (steps == 0) return true;
    if (steps < -kMostSteps || steps > kMostSteps) return false;
    return pressWithWinCtrl(steps < 0 ? VK_LEFT : VK_RIGHT, std::abs(steps));
}

bool Win32Shell::pressNewDesktopKeys() {
    return pressWithWinCtrl('D', 1);
}

std::vector<std::string> Win32Shell::windowDesktops() {
    const ComApartment com;
    ComRef<DesktopManager> manager;
    if (!com.usable() || FAILED(CoCreateInstance(kDesktopManagerClass, nullptr, CLSCTX_ALL,
                                                 kDesktopManagerInterface, manager.receive()))) {
        return {};
    }
    std::vector<std::string> desktops;
    for (HWND window : {ownVisibleWindow(), GetForegroundWindow()}) {
        GUID id{};
        if (window && SUCCEEDED(manager->GetWindowDesktopId(window, &id)) && id != GUID{})
            desktops.emplace_back(reinterpret_cast<const char*>(&id), sizeof(id));
    }
    return desktops;
}

bool Win32Shell::writeShortcut(const std::string& shortcutPath, const std::string& target) {
    const ComApartment com;
    if (!com.usable()) return false;
    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.receive()))) {
        return false;
    }
    const std::wstring targetPath = widen(target);
    std::wstring folder = targetPath.substr(0, targetPath.find_last_of(L'\\') + 1);
    if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();  // "C:\Tools", but "C:\" stays
    if (FAILED(link->SetPath(targetPath.c_str())) || FAILED(link->SetWorkingDirectory(folder.c_str()))) {
        return false;
    }
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive()))) return false;
    return SUCCEEDED(file->Save(widen(shortcutPath).c_str(), TRUE));
}

}  // namespace koruvan::win32
