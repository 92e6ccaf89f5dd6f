// The organiser's platform operations for real: our own window enumeration with each window's program file,
// and shortcuts that the shell opens.
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "windows/scratch_folder.h"
#include "windows/test_window_class.h"

namespace koruvan::win32 {
namespace {

const wchar_t* const kClassName = L"KORUVAN試験ｱﾌﾟﾘ";

const RunningWindow* findTitled(const std::vector<RunningWindow>& windows, const std::string& title) {
    const auto it = std::find_if(windows.begin(), windows.end(),
                                 [&](const RunningWindow& window) { return window.title == title; });
    return it == windows.end() ? nullptr : &*it;
}

std::string ownProgramFile() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return narrow(path);
}

// What the shell reads back from a shortcut file: its target, or "<unreadable>".
std::string shortcutTarget(const std::string& path) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string target = "<unreadable>";
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(widen(path).c_str(), STGM_READ))) {
        wchar_t buffer[MAX_PATH] = {};
        if (SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) target = narrow(buffer);
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return target;
}

TEST(PlatformApplicationsTest, ListsEachWindowWithItsProgramFileAndKinship) {
    testing::registerTestWindowClass(kClassName);
    const auto make = [](const wchar_t* title, DWORD style, HWND owner) {
        return CreateWindowExW(0, kClassName, title, style, 50, 50, 300, 200, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    };
    HWND shown = make(L"一覧される窓", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
    HWND hidden = make(L"隠れた窓", WS_OVERLAPPEDWINDOW, nullptr);
    HWND owned = make(L"所有される窓", WS_POPUP | WS_CAPTION | WS_VISIBLE, shown);
    ASSERT_TRUE(shown && hidden && owned);

    Win32Platform platform{"Local\\KORUVAN.Test.Applications"};
    const std::vector<RunningWindow> windows = platform.windows.listRunningWindows();
    const RunningWindow* first = findTitled(windows, "一覧される窓");
    const RunningWindow* second = findTitled(windows, "隠れた窓");
    const RunningWindow* third = findTitled(windows, "所有される窓");
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->className, narrow(kClassName));
    EXPECT_TRUE(first->visible);
    EXPECT_EQ(first->parent, 0);
    EXPECT_EQ(first->programFile, ownProgramFile());
    EXPECT_FALSE(second->visible);
    EXPECT_EQ(third->parent, 1);
    EXPECT_EQ(third->programFile, ownProgramFile());

    DestroyWindow(owned);
    DestroyWindow(hidden);
    DestroyWindow(shown);
}

TEST(PlatformApplicationsTest, WritesAShortcutThatTheShellResolvesToItsTarget) {
    testing::ScratchFolder folder;
    const std::string target = folder / "道具 Tool.exe";
    ASSERT_TRUE(testing::writeTestFile(target, "MZ"));
    Win32Platform platform{"Local\\KORUVAN.Test.Applications"};

    EXPECT_TRUE(platform.shell.writeShortcut(folder / "道具.lnk", target));
    EXPECT_EQ(shortcutTarget(folder / "道具.lnk"), target);
    // Any name: the organiser writes it aside and then moves it into place.
    EXPECT_TRUE(platform.shell.writeShortcut(folder / "aside.tmp", target));
    EXPECT_EQ(shortcutTarget(folder / "aside.tmp"), target);

    EXPECT_FALSE(platform.shell.writeShortcut(folder / "no such folder\\x.lnk", target));
    EXPECT_FALSE(testing::testPathExists(folder / "no such folder\\x.lnk"));
}

}  // namespace
}  // namespace koruvan::win32
