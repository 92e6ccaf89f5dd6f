// The session operations of the real platform: the single-instance mutex, the program's folder, the message
// pump used where pending events must run, and the busy pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace koruvan::win32 {
namespace {

std::string uniqueInstanceName() {
    return "Local\\KORUVAN.Test.Instance." + std::to_string(GetCurrentProcessId());
}

TEST(PlatformSessionTest, SecondInstanceIsRefusedUntilFirstEnds) {
    const std::string name = uniqueInstanceName();
    auto first = std::make_unique<Win32Platform>(name);
    EXPECT_EQ(first->session.claimSingleInstance(), InstanceClaim::Claimed);
    EXPECT_EQ(first->session.claimSingleInstance(),
              InstanceClaim::Claimed);  // asking again does not refuse us

    Win32Platform second(name);
    EXPECT_EQ(second.session.claimSingleInstance(), InstanceClaim::RunningInThisSession);
    const HANDLE direct = CreateMutexW(nullptr, FALSE, widen(name).c_str());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(direct);

    first.reset();
    EXPECT_EQ(second.session.claimSingleInstance(), InstanceClaim::Claimed);
}

// The logon's identity stays the same for as long as handles do, and tells the system's start.
TEST(PlatformSessionTest, TheLogonIdentityIsStableAndNamesTheSystemsStart) {
    Win32Platform platform{uniqueInstanceName()};
    const std::string identity = platform.session.logonIdentity();
    EXPECT_EQ(identity, platform.session.logonIdentity());
    EXPECT_EQ(identity.substr(0, identity.find(' ')), std::to_string(*platform.session.sessionId()));
    EXPECT_NE(identity.substr(identity.find(' ') + 1), "0");
}

// Another user's KORUVAN of the same folder holds its store across sessions: here, one of another session's
// name in this process.
TEST(PlatformSessionTest, TheProgramsFolderIsClaimedAcrossSessions) {
    Win32Platform otherUser{uniqueInstanceName() + ".other"};
    ASSERT_EQ(otherUser.session.claimSingleInstance(), InstanceClaim::Claimed);
    Win32Platform thisUser{uniqueInstanceName()};
    EXPECT_EQ(thisUser.session.claimSingleInstance(), InstanceClaim::FolderUsedInAnotherSession);
}

TEST(PlatformSessionTest, ProgramDirectoryHoldsTheRunningProgram) {
    Win32Platform platform{uniqueInstanceName()};
    const std::string folder = platform.session.programDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_NE(folder.substr(0, folder.size() - 1).back(), '\\');

    wchar_t module[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH + 1);
    const std::string self = narrow(module);
    EXPECT_EQ(self.rfind(folder, 0), 0u);
    EXPECT_EQ(self.find('\\', folder.size()), std::string::npos);
    EXPECT_TRUE(platform.files.plainFileExists(self));
}

// A window whose messages the pump must deliver.
class pumpTarget {
  public:
    pumpTarget() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &pumpTarget::procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KoruvanPumpTarget";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
        received = 0;
        paints = 0;
    }
    ~pumpTarget() { DestroyWindow(window); }
    pumpTarget(const pumpTarget&) = delete;
    pumpTarget& operator=(const pumpTarget&) = delete;

    HWND window = nullptr;
    static inline int received = 0;
    static inline int paints = 0;

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP) {
            received += static_cast<int>(wParam);
            return 0;
        }
        if (message == WM_PAINT) {  // never validated: the system keeps asking
            ++paints;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

TEST(PlatformSessionTest, PumpRunsPendingEventsAndLeavesQuitForMainLoop) {
    Win32Platform platform{uniqueInstanceName()};
    pumpTarget target;
    PostMessageW(target.window, WM_APP, 2, 0);
    PostMessageW(target.window, WM_APP, 3, 0);
    PostQuitMessage(7);

    platform.session.pumpPendingEvents();
    EXPECT_EQ(pumpTarget::received, 5);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(PlatformSessionTest, PumpEndsEvenWhenAWindowNeverStopsPainting) {
    Win32Platform platform{uniqueInstanceName()};
    pumpTarget target;
    InvalidateRect(target.window, nullptr, TRUE);
    platform.session.pumpPendingEvents();  // would spin for ever without its bound
    EXPECT_GT(pumpTarget::paints, 0);
}

TEST(PlatformSessionTest, BusyPointerIsHourglassUntilCleared) {
    Win32Platform platform{uniqueInstanceName()};
    platform.session.setBusyPointer(true);
    EXPECT_TRUE(busyPointerActive());
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    platform.session.setBusyPointer(false);
    EXPECT_FALSE(busyPointerActive());
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST(PlatformSessionTest, MonotonicClockAdvances) {
    Win32Platform platform{uniqueInstanceName()};
    const double before = platform.session.monotonicSeconds();
    Sleep(30);
    const double elapsed = platform.session.monotonicSeconds() - before;
    EXPECT_GT(elapsed, 0.02);
    EXPECT_LT(elapsed, 10.0);
}

}  // namespace
}  // namespace koruvan::win32
