// The window operations of the real platform, on windows the test makes itself: the listing, the texts and
// rectangle it reads, and minimise / show as a desk switch uses them.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

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
    const TopLevelWindow described = platform.windows.describeWindow(handle);
    EXPECT_EQ(described.title, narrow(kTitle));
    EXPECT_EQ(described.className, narrow(kClassName));
    EXPECT_EQ(described.rect, (ScreenRect{100, 120, 500, 420}));
    EXPECT_TRUE(described.visible);
    EXPECT_FALSE(described.zoomed || described.toolWindow || described.cloaked);
    EXPECT_TRUE(platform.windows.isWindowVisible(handle));

    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(platform.windows.isWindowVisible(handle));
}

TEST_F(PlatformWindowsTest, ATitleIsReadThroughFixedBufferWithoutSplittingCharactersAndToolWindowsAreKnown) {
    SetWindowTextW(window, std::wstring(300, L'長').c_str());
    EXPECT_EQ(widen(platform.windows.describeWindow(toWindowHandle(window)).title), std::wstring(254, L'長'));

    SetWindowTextW(window, (std::wstring(253, L'a') + L"\xD83D\xDCC1").c_str());  // the pair would be cut
    EXPECT_EQ(platform.windows.describeWindow(toWindowHandle(window)).title, std::string(253, 'a'));

    const HWND palette = make(WS_EX_TOOLWINDOW, WS_OVERLAPPEDWINDOW | WS_VISIBLE, L"道具", 10, 10, nullptr);
    const HWND shown =
        make(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, WS_OVERLAPPEDWINDOW | WS_VISIBLE, L"窓", 10, 10, nullptr);
    EXPECT_TRUE(platform.windows.describeWindow(toWindowHandle(palette)).toolWindow);
    EXPECT_FALSE(platform.windows.describeWindow(toWindowHandle(shown)).toolWindow) << "it asks for a button";
    DestroyWindow(palette);
    DestroyWindow(shown);
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

    EXPECT_TRUE(platform.windows.describeWindow(toWindowHandle(child)).hasParent);
    const TopLevelWindow popUp = platform.windows.describeWindow(toWindowHandle(owned));
    EXPECT_EQ(popUp.owner, toWindowHandle(window));
    EXPECT_TRUE(popUp.hasParent);  // GetParent gives a pop-up's owner
    const TopLevelWindow own = platform.windows.describeWindow(toWindowHandle(window));
    EXPECT_EQ(own.owner, 0u);
    EXPECT_FALSE(own.hasParent);
    DestroyWindow(owned);
}

// Restored brings a window back as it was before it was minimised or hidden, maximised or not.
TEST_F(PlatformWindowsTest, MinimiseOrHideThenRestoreAsItWas) {
    const WindowHandle handle = toWindowHandle(window);
    EXPECT_TRUE(platform.windows.minimizeWindow(handle));
    platform.session.pumpPendingEvents();
    EXPECT_TRUE(platform.windows.describeWindow(handle).iconic);

    EXPECT_TRUE(platform.windows.showWindow(handle, ShowCommand::Restored));
    platform.session.pumpPendingEvents();
    EXPECT_FALSE(platform.windows.describeWindow(handle).iconic);
    EXPECT_EQ(platform.windows.describeWindow(handle).rect, (ScreenRect{100, 120, 500, 420}));

    ShowWindow(window, SW_MAXIMIZE);
    for (const auto away : {SW_MINIMIZE, SW_HIDE}) {
        ShowWindow(window, away);
        EXPECT_TRUE(platform.windows.showWindow(handle, ShowCommand::RestoredMaximized));
        platform.session.pumpPendingEvents();
        const TopLevelWindow back = platform.windows.describeWindow(handle);
        EXPECT_TRUE(back.visible && back.zoomed && !back.iconic) << away;
    }
}

// A thread of this process that stops answering stands for a hung program: the stacking returns before it
// answers again, and the window takes its place when it does.
TEST_F(PlatformWindowsTest, StackingNeverWaitsOnAWindowThatDoesNotAnswer) {
    const HWND first = make(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, L"一", 0, 0, nullptr);
    HWND hung = nullptr;
    const HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread sleeper([&] {
        hung = make(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, L"眠る", 0, 0, nullptr);
        SetEvent(made);
        WaitForSingleObject(wake, INFINITE);  // answers nothing until the stacking has returned
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        DestroyWindow(hung);
    });
    WaitForSingleObject(made, INFINITE);
    platform.windows.stackWindows({toWindowHandle(hung), toWindowHandle(first), toWindowHandle(window)});
    SetEvent(wake);
    sleeper.join();
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), window) << "the answering ones stand in order";
    EXPECT_TRUE(platform.windows.activateWindow(toWindowHandle(window)));
    EXPECT_EQ(GetForegroundWindow(), window);
    DestroyWindow(first);
    CloseHandle(made);
    CloseHandle(wake);
}

TEST_F(PlatformWindowsTest, ClosedWindowGivesNothing) {
    const HWND gone = make(0, WS_OVERLAPPEDWINDOW, L"消える窓", 0, 0, nullptr);
    DestroyWindow(gone);
    const WindowHandle handle = toWindowHandle(gone);
    EXPECT_FALSE(platform.windows.showWindow(handle, ShowCommand::Restored));
    EXPECT_FALSE(platform.windows.minimizeWindow(handle));
    EXPECT_FALSE(platform.windows.isWindowVisible(handle));
    EXPECT_EQ(platform.windows.describeWindow(handle).title, "");
    EXPECT_EQ(platform.windows.windowProcessId(handle), 0u);
}

}  // namespace
}  // namespace koruvan::win32
