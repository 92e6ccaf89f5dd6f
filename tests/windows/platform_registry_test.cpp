// The registry operations of the real platform against the real HKEY_CURRENT_USER, under a test key of our
// own that is removed afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace koruvan::win32 {
namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

class PlatformRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, widen(key).c_str()); }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, widen(key).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KORUVAN-tests");  // only goes when no other run uses it
    }

    // Writes a value directly, bypassing the code under test; size in bytes.
    void writeRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, widen(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(handle, widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }

    Win32Platform platform{"Local\\KORUVAN.Test.Registry"};
    const std::string key = "Software\\KORUVAN-tests\\" + std::to_string(GetCurrentProcessId());
};

TEST_F(PlatformRegistryTest, JapaneseValueRoundTripsAsStringWithItsNul) {
    const std::string wallpaper = "C:\\画像\\夜桜 ﾃｽﾄ.bmp";
    EXPECT_FALSE(platform.shell.registryKeyExists(kUser, key));
    ASSERT_TRUE(platform.shell.writeRegistryString(kUser, key, "Wallpaper", wallpaper));  // makes the key
    EXPECT_TRUE(platform.shell.registryKeyExists(kUser, key));
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "Wallpaper"), wallpaper);

    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, widen(key).c_str(), L"Wallpaper", RRF_RT_ANY | RRF_NOEXPAND,
                           &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, (widen(wallpaper).size() + 1) * sizeof(wchar_t));
}

TEST_F(PlatformRegistryTest, ValueNamesIgnoreCaseAndEmptyValueIsNotMissing) {
    ASSERT_TRUE(platform.shell.writeRegistryString(kUser, key, "WallpaperStyle", "2"));
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "WallPaperStyle"), "2");
    ASSERT_TRUE(platform.shell.writeRegistryString(kUser, key, "WallpaperStyle", ""));
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "WallpaperStyle"), "");
}

TEST_F(PlatformRegistryTest, MissingKeyOrValueReadsAsNothing) {
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "Wallpaper"), std::nullopt);
    EXPECT_FALSE(platform.shell.registryKeyExists(kUser, key + "\\ない"));
    ASSERT_TRUE(platform.shell.writeRegistryString(kUser, key, "Pattern", "(None)"));
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "Background"), std::nullopt);
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key + "\\ない", "Pattern"), std::nullopt);
}

TEST_F(PlatformRegistryTest, ReadsStoredTextUpToFirstNulWhateverItsLength) {
    const wchar_t embedded[] = L"0 0 0\0junk";
    writeRaw("Background", REG_SZ, embedded, sizeof embedded);
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "Background"), "0 0 0");

    const std::wstring unterminated = L"桜.bmp";  // stored without its NUL
    writeRaw("Wallpaper", REG_SZ, unterminated.data(),
             static_cast<DWORD>(unterminated.size() * sizeof(wchar_t)));
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "Wallpaper"), "桜.bmp");

    const std::string longText(5000, 'x');
    ASSERT_TRUE(platform.shell.writeRegistryString(kUser, key, "Long", longText));
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "Long"), longText);
}

TEST_F(PlatformRegistryTest, NonStringValueReadsAsNothing) {
    const DWORD number = 2;
    writeRaw("WallpaperStyle", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(platform.shell.readRegistryString(kUser, key, "WallpaperStyle"), std::nullopt);
}

}  // namespace
}  // namespace koruvan::win32
