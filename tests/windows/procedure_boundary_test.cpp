// A handler that throws ends at the window or dialog procedure: the message gets the system's default
// handling, and the window, the dialog's modal loop and the process go on.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win32/dialog.h"
#include "platform/win32/window.h"
#include "resource_ids.h"

namespace koruvan::win32 {
namespace {

constexpr UINT kThrow = WM_APP + 7;
constexpr UINT kEnd = WM_APP + 8;
constexpr INT_PTR kEndedResult = 42;

class ThrowingWindow final : public Window {
  public:
    bool make() {
        return create(L"KORUVAN.Test.ThrowingWindow", WS_POPUP, 0, L"abc", 0, 0, 10, 10, nullptr, nullptr,
                      nullptr);
    }

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_GETTEXTLENGTH) throw std::runtime_error("handler failed");
        return Window::onMessage(message, wParam, lParam);
    }
};

TEST(ProcedureBoundaryTest, WindowHandlerThatThrowsGetsDefaultHandling) {
    ThrowingWindow window;
    ASSERT_TRUE(window.make());
    EXPECT_EQ(SendMessageW(window.hwnd(), WM_GETTEXTLENGTH, 0, 0), 3);  // as DefWindowProcW answers
    EXPECT_TRUE(IsWindow(window.hwnd()));
}

class ThrowingDialog final : public ModalDialog {
  protected:
    bool onInit() override {
        PostMessageW(hwnd(), kThrow, 0, 0);
        PostMessageW(hwnd(), kEnd, 0, 0);
        return true;
    }
    bool onMessage(UINT message, WPARAM, LPARAM, INT_PTR&) override {
        if (message == kThrow) throw std::runtime_error("handler failed");
        if (message == kEnd) end(kEndedResult);
        return message == kEnd;
    }
};

TEST(ProcedureBoundaryTest, DialogHandlerThatThrowsLeavesItsModalLoopRunning) {
    ThrowingDialog dialog;
    EXPECT_EQ(dialog.run(nullptr, IDD_ENLARGED_WALLPAPER), kEndedResult);
}

}  // namespace
}  // namespace koruvan::win32
