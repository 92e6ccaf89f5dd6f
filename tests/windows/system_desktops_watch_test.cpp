// The watch of the shell's record of its virtual desktops, against the real registry: a key that comes only
// later (Windows 10's session key, at the logon's first switch) and one deleted and made anew are watched
// from then on. Wine has no virtual desktops: the test writes the record as Windows does.
#include <gtest/gtest.h>

#include <string>

#include "bar/win32/system_desktops_watch.h"
#include "platform/win32/wide_text.h"
#include "store/system_desktops.h"

namespace koruvan::win32 {
namespace {

constexpr UINT kChanged = WM_APP + 7;

// The record's keys, gone before and after each test, as other tests of this prefix must find none.
class SystemDesktopsWatchTest : public ::testing::Test {
  protected:
    SystemDesktopsWatchTest() {
        DWORD id = 0;
        ProcessIdToSessionId(GetCurrentProcessId(), &id);
        session_ = widen(std::string(kExplorerKey) + "\\SessionInfo\\" + std::to_string(id));
        forget();
        window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~SystemDesktopsWatchTest() override {
        DestroyWindow(window_);
        forget();
    }
    void forget() {
        RegDeleteTreeW(HKEY_CURRENT_USER, widen(kVirtualDesktopsKey).c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, widen(std::string(kExplorerKey) + "\\SessionInfo").c_str());
    }
    static void write(const std::wstring& key, const wchar_t* name, char byte) {
        const std::string bytes(16, byte);
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_BINARY, bytes.data(), 16),
                  ERROR_SUCCESS);
    }
    // Whether the watch posted its message within two seconds; the message taken.
    bool told() {
        for (int k = 0; k < 200; ++k) {
            MSG message{};
            if (PeekMessageW(&message, window_, kChanged, kChanged, PM_REMOVE)) {
                while (PeekMessageW(&message, window_, kChanged, kChanged, PM_REMOVE)) {
                }
                return true;
            }
            Sleep(10);
        }
        return false;
    }

    std::wstring session_;
    HWND window_ = nullptr;
};

TEST_F(SystemDesktopsWatchTest, TheSessionsKeyMadeAtTheFirstSwitchIsWatchedFromThenOn) {
    write(widen(kVirtualDesktopsKey), L"VirtualDesktopIDs", 0x11);
    HKEY made = nullptr;  // as at logon, before the first switch
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, session_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &made,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(made);
    SystemDesktopsWatch watch(window_, kChanged);
    const std::wstring key = session_ + L"\\VirtualDesktops";
    write(key, L"CurrentVirtualDesktop", 0x11);
    ASSERT_TRUE(told()) << "the key made";
    watch.rearm();
    write(key, L"CurrentVirtualDesktop", 0x22);
    EXPECT_TRUE(told()) << "its value written";
    watch.rearm();
    write(key, L"CurrentVirtualDesktop", 0x11);
    EXPECT_TRUE(told()) << "and again";
}

TEST_F(SystemDesktopsWatchTest, TheRecordsKeyDeletedAndMadeAnewIsWatchedAgain) {
    const std::wstring key = widen(kVirtualDesktopsKey);
    write(key, L"VirtualDesktopIDs", 0x11);
    SystemDesktopsWatch watch(window_, kChanged);
    ASSERT_TRUE(watch.live());
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    ASSERT_TRUE(told()) << "the key deleted";
    watch.rearm();
    EXPECT_FALSE(watch.live());
    write(key, L"VirtualDesktopIDs", 0x22);
    ASSERT_TRUE(told()) << "the key made anew";
    watch.rearm();
    EXPECT_TRUE(watch.live());
    write(key, L"CurrentVirtualDesktop", 0x22);
    EXPECT_TRUE(told()) << "its value written";
}

}  // namespace
}  // namespace koruvan::win32
