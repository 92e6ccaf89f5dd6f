// The window operations of the real platform, on windows the test makes itself: the listing, the texts and
// rectangle it reads, and minimise / show as a desk switch uses them.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "windows/test_window_class.h"

namespace koruvan::win32 {
namespace {

const wchar_t* const kClassName = L"ＫＯＲＵＶＡＮ試験ｳｨﾝﾄﾞｳ";
const wchar_t* const kTitle = L"試験用の窓 ﾃｽﾄ <1>";

class PlatformWindowsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testing::registerTestWindowClass(kClassName); }

    void SetUp() override {
        window = make(0, WS_OVERLAPPEDWINDOW, kTitle, 100, 120, nullptr);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        platform.session.pumpPendingEvents();
    }
    void TearDown() override { DestroyWindow(window); }

    static HWND make(DWORD exStyle, DWORD style, const wchar_t* title, int x, int y, HWND parent) {
        return CreateWindowExW(exStyle, kClassName, title, style, x, y, 400, 300, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }

    Win32Platform platform{"Local\\KORUVAN.Test.Windows"};
    HWND window = nullptr;
};

TEST_F(PlatformWindowsTest, ReadsJapaneseTitleClassAndRectangle) {
    const WindowHandle handle = toWindowHandle(window);
    EXPECT_EQ(toHwnd(handle), window);
    EXPECT_EQ(platform.windows.windowTitle(handle), narrow(kTitle));
    EXPECT_EQ(platform.windows.windowClassName(handle), narrow(kClassName));
    EXPECT_EQ(platform.windows.windowRect(handle), (ScreenRect{100, 120, 500, 420}));
    EXPECT_TRUE(platform.windows.isWindowVisible(handle));
    EXPECT_FALSE(platform.windows.isWindowZoomed(handle));

    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(platform.windows.isWindowVisible(handle));
}

TEST_F(PlatformWindowsTest, TitleIsReadThroughFixedBufferWithoutSplittingCharacters) {
    SetWindowTextW(window, std::wstring(300, L'長').c_str());
    EXPECT_EQ(widen(platform.windows.windowTitle(toWindowHandle(window))), std::wstring(254, L'長'));

    SetWindowTextW(window, (std::wstring(253, L'a') + L"\xD83D\xDCC1").c_str());  // the pair would be cut
    EXPECT_EQ(platform.windows.windowTitle(toWindowHandle(window)), std::string(253, 'a'));
}

TEST_F(PlatformWindowsTest, ListingFindsWindowAndItsRelations) {
    const HWND owned = make(0, WS_POPUP | WS_CAPTION | WS_VISIBLE, L"所有される窓", 10, 10, window);
    const HWND child = make(0, WS_CHILD | WS_VISIBLE, L"子", 0, 0, window);
    ASSERT_NE(owned, nullptr);
    ASSERT_NE(child, nullptr);

    bool found = false;
    for (const TopLevelWindow& listed : platform.windows.listTopLevelWindows()) {
        found = found || listed.window == toWindowHandle(window);
        EXPECT_NE(listed.window, toWindowHandle(child));
    }
    EXPECT_TRUE(found);

    EXPECT_EQ(platform.windows.parentWindow(toWindowHandle(child)), toWindowHandle(window));
    EXPECT_EQ(platform.windows.ownerWindow(toWindowHandle(owned)), toWindowHandle(window));
    EXPECT_EQ(platform.windows.parentWindow(toWindowHandle(owned)),
              toWindowHandle(window));  // a pop-up's owner
    EXPECT_EQ(platform.windows.ownerWindow(toWindowHandle(window)), 0u);
    EXPECT_EQ(platform.windows.parentWindow(toWindowHandle(window)), 0u);
    DestroyWindow(owned);
}

TEST_F(PlatformWindowsTest, MinimiseThenShowNormalOrMaximised) {
    const WindowHandle handle = toWindowHandle(window);
    EXPECT_TRUE(platform.windows.minimizeWindow(handle));
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(platform.windows.isWindowIconic(handle));

    EXPECT_TRUE(platform.windows.showWindow(handle, ShowCommand::Normal));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(platform.windows.isWindowIconic(handle));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_TRUE(platform.windows.isWindowVisible(handle));
    EXPECT_EQ(platform.windows.windowRect(handle), (ScreenRect{100, 120, 500, 420}));

    EXPECT_TRUE(platform.windows.minimizeWindow(handle));
    EXPECT_TRUE(platform.windows.showWindow(handle, ShowCommand::Maximized));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(platform.windows.isWindowZoomed(handle));
}

TEST_F(PlatformWindowsTest, ClosedWindowGivesNothing) {
    const HWND gone = make(0, WS_OVERLAPPEDWINDOW, L"消える窓", 0, 0, nullptr);
    DestroyWindow(gone);
    const WindowHandle handle = toWindowHandle(gone);
    EXPECT_FALSE(platform.windows.showWindow(handle, ShowCommand::Normal));
    EXPECT_FALSE(platform.windows.minimizeWindow(handle));
    EXPECT_FALSE(platform.windows.isWindowVisible(handle));
    EXPECT_EQ(platform.windows.windowTitle(handle), "");
    EXPECT_EQ(platform.windows.windowClassName(handle), "");
    EXPECT_EQ(platform.windows.windowRect(handle), ScreenRect{});
}

}  // namespace
}  // namespace koruvan::win32
