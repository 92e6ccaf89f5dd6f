// The real platform reads the system's virtual desktops as Windows 10 writes them: binary values, the current
// one under this logon session's key.
#include "store/system_desktops.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace koruvan::win32 {
namespace {

TEST(SystemDesktopsTest, Windows10LayoutReadsThroughThisSessionsKey) {
    Win32Platform platform{"Local\\KORUVAN.Test.SystemDesktops"};
    // Never over a system's own desktops: only where the system keeps none (Wine as it comes).
    if (systemHasVirtualDesktops(platform)) GTEST_SKIP() << "the system keeps virtual desktops of its own";
    DWORD session = 0;
    ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &session));
    const std::wstring keys[] = {
        widen(kVirtualDesktopsKey),
        widen(std::string(kExplorerKey) + "\\SessionInfo\\" + std::to_string(session) + "\\VirtualDesktops")};
    const BYTE list[32] = {0x11, 0,    0,    0,    0,    0,    0,    0,
                           0,    0,    0,    0,    0,    0,    0,    0,  // then the current one
                           0x67, 0x45, 0x23, 0x01, 0xAB, 0x89, 0xEF, 0xCD,
                           0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    const bool written = RegSetKeyValueW(HKEY_CURRENT_USER, keys[0].c_str(), L"VirtualDesktopIDs", REG_BINARY,
                                         list, 32) == 0 &&
                         RegSetKeyValueW(HKEY_CURRENT_USER, keys[1].c_str(), L"CurrentVirtualDesktop",
                                         REG_BINARY, list + 16, 16) == 0;
    const std::optional<SystemDesktops> read = readSystemDesktops(platform);
    for (const std::wstring& key : keys)
        RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    ASSERT_TRUE(written);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->current, "{01234567-89AB-CDEF-0123-456789ABCDEF}");  // the second, as Windows 10 says
}

}  // namespace
}  // namespace koruvan::win32
