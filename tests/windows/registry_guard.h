#pragma once
// Saves one string value of HKEY_CURRENT_USER and puts it back, or removes it again when it was missing, when
// the guard goes: end-to-end tests point the user's Desktop and wallpaper at their own files only for their
// duration.

#include <windows.h>

#include <optional>
#include <string>

namespace koruvan::win32::testing {

// The value's text and type, or nullopt when the key or the value is missing.
struct RegistryText {
    std::wstring text;
    DWORD type = REG_SZ;
};

inline std::optional<RegistryText> readRegistryText(const std::wstring& subKey, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(),
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, nullptr,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(),
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, text.data(),
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return RegistryText{text, type};
}

inline bool writeRegistryText(const std::wstring& subKey, const std::wstring& name, const std::wstring& text,
                              DWORD type = REG_SZ) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), type, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// The text of a value, "<missing>" when it cannot be read: for assertions.
inline std::wstring registryTextOf(const std::wstring& subKey, const std::wstring& name) {
    const auto value = readRegistryText(subKey, name);
    return value ? value->text : L"<missing>";
}

class RegistryGuard {
  public:
    RegistryGuard(std::wstring subKey, std::wstring name)
        : subKey_(std::move(subKey)), name_(std::move(name)), saved_(readRegistryText(subKey_, name_)) {}
    ~RegistryGuard() {
        if (saved_) {
            writeRegistryText(subKey_, name_, saved_->text, saved_->type);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, subKey_.c_str(), name_.c_str());
        }
    }
    RegistryGuard(const RegistryGuard&) = delete;
    RegistryGuard& operator=(const RegistryGuard&) = delete;

  private:
    std::wstring subKey_;
    std::wstring name_;
    std::optional<RegistryText> saved_;
};

}  // namespace koruvan::win32::testing
