// The capture of a desk's windows over real windows that the test opens itself: which of them are
// kept, with what handle, rectangle and zoom state, in front-to-back order.
#include "store/window_table.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "windows/test_window_class.h"

namespace koruvan::win32 {
namespace {

using ::testing::ElementsAre;

const wchar_t* const kTestClass = L"KoruvanWindowTableTest";
// Kept whatever its size.
const wchar_t* const kOldMainClass = L"ThunderMain";

class WindowTableWin32Test : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (const wchar_t* name : {kTestClass, kOldMainClass})
            testing::registerTestWindowClass(name);
    }

    void TearDown() override {
        // Children and owned windows go with their parent or owner; destroy those last.
        for (auto it = opened.rbegin(); it != opened.rend(); ++it) {
            if (IsWindow(*it)) DestroyWindow(*it);
        }
    }

    HWND open(const wchar_t* className, DWORD style, const wchar_t* title, int x, int y, int width,
              int height, HWND parent = nullptr) {
        const HWND window = CreateWindowExW(0, className, title, style, x, y, width, height, parent, nullptr,
                                            GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(window, nullptr);
        opened.push_back(window);
        return window;
    }

    static void bringToFront(HWND window) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // The captured entries that are the test's own windows, front to back.
    std::vector<const WindowEntry*> ownCaptured() const {
        std::vector<const WindowEntry*> own;
        for (const WindowEntry& entry : state.windowTable[3]) {
            if (std::find(opened.begin(), opened.end(), toHwnd(entry.window)) != opened.end())
                own.push_back(&entry);
        }
        return own;
    }

    Win32Platform platform{"Local\\KORUVAN.Test.WindowTable"};
    SharedState state;
    std::vector<HWND> opened;
};

TEST_F(WindowTableWin32Test, CapturesOnlyTheVisibleTopLevelApplicationWindows) {
    const HWND normal =
        open(kTestClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE, L"窓の試験 ﾃｽﾄ", 100, 120, 400, 300);
    open(kTestClass, WS_CHILD | WS_VISIBLE, L"子の窓", 10, 10, 100, 50, normal);
    open(kTestClass, WS_POPUP | WS_CAPTION | WS_VISIBLE, L"所有される窓", 150, 150, 200, 100, normal);
    open(kTestClass, WS_OVERLAPPEDWINDOW, L"隠れた窓", 100, 100, 300, 200);
    open(kTestClass, WS_POPUP | WS_VISIBLE, L"大きさのない窓", 200, 200, 0, 0);
    open(kTestClass, WS_POPUP | WS_VISIBLE, L"画面の外の窓", 3000, 100, 300, 200);
    open(kTestClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE, L"設定 - コルヴァン", 50, 50, 300, 200);
    const HWND oldMain = open(kOldMainClass, WS_POPUP | WS_VISIBLE, L"古い主窓", 300, 300, 0, 0);
    const HWND maximised = open(kTestClass, WS_OVERLAPPEDWINDOW, L"最大化した窓", 60, 70, 300, 200);
    ShowWindow(maximised, SW_MAXIMIZE);
    bringToFront(oldMain);
    bringToFront(normal);
    bringToFront(maximised);
    platform.session.pumpPendingEvents();

    state.currentDesk = 3;
    ASSERT_GE(captureWindows(platform.windows, state), 3u);

    const std::vector<const WindowEntry*> own = ownCaptured();
    ASSERT_EQ(own.size(), 3u);
    EXPECT_EQ(own[0]->window, toWindowHandle(maximised));
    EXPECT_EQ(own[0]->zoomed, true);
    RECT maximisedRect{};
    GetWindowRect(maximised, &maximisedRect);
    EXPECT_EQ(own[0]->rect,
              (ScreenRect{maximisedRect.left, maximisedRect.top, maximisedRect.right, maximisedRect.bottom}));

    EXPECT_EQ(own[1]->window, toWindowHandle(normal));
    EXPECT_EQ(own[1]->owner, 0u);
    EXPECT_EQ(own[1]->zoomed, false);
    EXPECT_EQ(own[1]->title, "窓の試験 ﾃｽﾄ");
    EXPECT_EQ(own[1]->className, "KoruvanWindowTableTest");
    EXPECT_EQ(own[1]->rect, (ScreenRect{100, 120, 500, 420}));

    EXPECT_EQ(own[2]->window, toWindowHandle(oldMain));
    EXPECT_EQ(own[2]->className, "ThunderMain");
    EXPECT_EQ(own[2]->rect.left, own[2]->rect.right);
}

}  // namespace
}  // namespace koruvan::win32
