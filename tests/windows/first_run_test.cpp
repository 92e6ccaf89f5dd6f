// End-to-end starts of the real KORUVAN.exe: a copy in a fresh program folder, against a Desktop folder and a
// desktop appearance of the test's own, checked afterwards through the system's own calls (profile, registry,
// wallpaper, file system) rather than through the program's code.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "windows/program_run.h"
#include "windows/registry_guard.h"
#include "windows/scratch_folder.h"

namespace koruvan::win32::testing {
namespace {

const std::wstring kShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::wstring kUserShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const std::wstring kDesktopKey = L"Control Panel\\desktop";
const std::wstring kColorsKey = L"Control Panel\\Colors";

// A 2 x 2 24-bit bitmap of one colour: small, but a wallpaper the system loads.
std::string bitmapFile(BYTE red, BYTE green, BYTE blue) {
    constexpr DWORD kRowBytes = 8;  // two pixels of 3 bytes, padded to 4
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + 2 * kRowBytes;
    info.biSize = sizeof(info);
    info.biWidth = 2;
    info.biHeight = 2;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    const char row[kRowBytes] = {static_cast<char>(blue),
                                 static_cast<char>(green),
                                 static_cast<char>(red),
                                 static_cast<char>(blue),
                                 static_cast<char>(green),
                                 static_cast<char>(red),
                                 0,
                                 0};
    bytes.append(row, kRowBytes).append(row, kRowBytes);
    return bytes;
}

// Every name in a folder but "." and "..", folders marked with a trailing "\", sorted.
std::vector<std::wstring> entriesOf(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        names.push_back(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? name + L"\\" : name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> sorted(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    return names;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring currentWallpaper() {
    wchar_t path[MAX_PATH + 1] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

std::wstring profileText(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(section, key, L"<missing>", value, 512, file.c_str());
    return value;
}

int profileNumber(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    return static_cast<int>(GetPrivateProfileIntW(section, key, -1, file.c_str()));
}

// A settings file that Windows' own profile calls write as UTF-16: they keep that form once the file starts
// with the UTF-16LE byte-order mark.
bool startUnicodeProfile(const std::wstring& file) {
    return writeTestFile(narrow(file), "\xFF\xFE");
}

// Both a test's run and its checks work on the user's Desktop folder and desktop appearance: the fixture
// points them at its own folder and values, and puts the user's back afterwards.
class EndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(nullptr, kBarCaption), nullptr)
            << "KORUVAN is already running in this session; its single instance would stop the program under "
               "test";
        program = widen(programFolder.path());
        desktop = widen(desktopFolder.path());
        exe = program + L"KORUVAN.exe";
        ASSERT_TRUE(CopyFileW(builtProgramPath().c_str(), exe.c_str(), FALSE))
            << narrow(builtProgramPath()) << " could not be copied; error " << GetLastError();
        settings = program + L"KORUVAN.ini";

        // Without its trailing "\": the program must add one. Both keys, because the shell rewrites the first
        // from the second whenever some process asks where the Desktop is.
        const std::wstring desktopPath = desktop.substr(0, desktop.size() - 1);
        ASSERT_TRUE(writeRegistryText(kShellFolders, L"Desktop", desktopPath));
        ASSERT_TRUE(writeRegistryText(kUserShellFolders, L"Desktop", desktopPath, REG_EXPAND_SZ));

        savedWallpaper = currentWallpaper();
    }

    void TearDown() override {
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, savedWallpaper.data(), SPIF_SENDWININICHANGE);
    }

    // A bitmap of its own under the pictures folder; returns its full path.
    std::wstring makeWallpaper(const std::wstring& name, BYTE red, BYTE green, BYTE blue) {
        const std::wstring path = widen(picturesFolder.path()) + name;
        EXPECT_TRUE(writeTestFile(narrow(path), bitmapFile(red, green, blue)));
        return path;
    }

    void setAppearance(const std::wstring& wallpaper, const wchar_t* tile, const wchar_t* style) {
        ASSERT_TRUE(writeRegistryText(kDesktopKey, L"Wallpaper", wallpaper));
        ASSERT_TRUE(writeRegistryText(kDesktopKey, L"TileWallpaper", tile));
        ASSERT_TRUE(writeRegistryText(kDesktopKey, L"WallpaperStyle", style));
        ASSERT_TRUE(writeRegistryText(kDesktopKey, L"Pattern", pattern));
        ASSERT_TRUE(writeRegistryText(kColorsKey, L"Background", background));
        // Nothing in effect yet, so a wallpaper in effect afterwards is the program's doing.
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(L""), 0);
    }

    ScratchFolder picturesFolder;
    ScratchFolder desktopFolder;
    ScratchFolder programFolder;
    RegistryGuard shellDesktop{kShellFolders, L"Desktop"};
    RegistryGuard userShellDesktop{kUserShellFolders, L"Desktop"};
    RegistryGuard wallpaper{kDesktopKey, L"Wallpaper"};
    RegistryGuard tileWallpaper{kDesktopKey, L"TileWallpaper"};
    RegistryGuard wallpaperStyle{kDesktopKey, L"WallpaperStyle"};
    RegistryGuard patternValue{kDesktopKey, L"Pattern"};
    RegistryGuard backgroundValue{kColorsKey, L"Background"};
    std::wstring savedWallpaper;

    const std::wstring pattern = L"(なし)";
    const std::wstring background = L"58 110 165";
    std::wstring program;
    std::wstring desktop;
    std::wstring exe;
    std::wstring settings;
};

using FirstRunTest = EndToEndTest;

TEST_F(FirstRunTest, BuildsTheDeskStoreFromTheDesktopThenRunsAsTheOnlyInstanceUntilClosed) {
    const std::vector<std::pair<std::wstring, std::string>> items = {
        {L"memo.txt", "memo"}, {L"予定表.txt", "予定: 月曜"}, {L"ﾒﾓ帳.lnk", std::string("L\0\0\0link", 8)}};
    for (const auto& [name, content] : items)
        ASSERT_TRUE(writeTestFile(narrow(desktop + name), content));
    ASSERT_TRUE(writeTestFile(narrow(desktop + L".隠し.txt"), "hidden", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(GetFileAttributesW((desktop + L".隠し.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(CreateDirectoryW((desktop + L"フォルダ").c_str(), nullptr));
    ASSERT_TRUE(writeTestFile(narrow(desktop + L"フォルダ\\中身.txt"), "inside"));
    const std::wstring picture = makeWallpaper(L"壁紙.bmp", 200, 40, 40);
    setAppearance(picture, L"1", L"2");

    ProgramRun first(exe);
    ASSERT_TRUE(first.started());
    const HWND bar = first.waitForBar();
    ASSERT_NE(bar, nullptr) << "no visible window titled コルヴァン; exit code " << first.exitCode();

    // The desk store: ten desk folders and the item pool, beside the program.
    for (int desk = 0; desk <= 9; ++desk) {
        EXPECT_TRUE(isFolder(program + L"dsk" + std::to_wstring(desk))) << "dsk" << desk;
    }
    EXPECT_TRUE(isFolder(program + L"DskTop"));

    // The pool and desk 0 hold copies of the Desktop's plain files only; the Desktop keeps everything.
    const std::vector<std::wstring> plainNames = sorted({L"memo.txt", L"予定表.txt", L"ﾒﾓ帳.lnk"});
    const std::vector<std::wstring> desktopNames =
        sorted({L".隠し.txt", L"memo.txt", L"予定表.txt", L"ﾒﾓ帳.lnk", L"フォルダ\\"});
    for (const wchar_t* store : {L"DskTop\\", L"dsk0\\"}) {
        SCOPED_TRACE(narrow(store));
        EXPECT_EQ(entriesOf(program + store), plainNames);
        for (const auto& [name, content] : items)
            EXPECT_EQ(testFileContent(narrow(program + store + name)), content);
    }
    EXPECT_EQ(entriesOf(program + L"dsk1\\"), std::vector<std::wstring>{});
    EXPECT_EQ(entriesOf(desktop), desktopNames);
    EXPECT_EQ(testFileContent(narrow(desktop + L"フォルダ\\中身.txt")), "inside");

    // A complete settings file that Windows' own profile calls read back, Japanese included.
    EXPECT_EQ(testFileContent(narrow(settings)).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(profileNumber(settings, L"User", L"LastUse"), 0);
    EXPECT_EQ(profileNumber(settings, L"User", L"Topwindow"), 1);
    EXPECT_EQ(profileNumber(settings, L"User", L"Position"), 0);
    EXPECT_EQ(profileNumber(settings, L"User", L"AutoHide"), 1);
    EXPECT_EQ(profileNumber(settings, L"User", L"SizeNum"), 1);
    EXPECT_EQ(profileNumber(settings, L"Color", L"NowDeskForeColor"), 0);
    EXPECT_EQ(profileNumber(settings, L"Color", L"NowDeskBackColor"), 255);
    EXPECT_EQ(profileNumber(settings, L"Color", L"OtherDeskForeColor"), 16777215);
    EXPECT_EQ(profileNumber(settings, L"Color", L"OtherDeskBackColor"), 16711680);
    // Desk 0 is the captured appearance: the wallpaper style, not the tiling, is what is read.
    EXPECT_EQ(profileText(settings, L"DeskTop", L"0"),
              L"デスクトップ," + picture + L"," + pattern + L"," + background + L",2");
    for (int desk = 1; desk <= 9; ++desk) {
        EXPECT_EQ(profileText(settings, L"DeskTop", std::to_wstring(desk).c_str()), L"") << "desk " << desk;
    }

    // Desk 0's wallpaper put back into effect with its style: stretched, so no tiling.
    EXPECT_EQ(currentWallpaper(), picture);
    EXPECT_EQ(registryTextOf(kDesktopKey, L"Wallpaper"), picture);
    EXPECT_EQ(registryTextOf(kDesktopKey, L"TileWallpaper"), L"0");
    EXPECT_EQ(registryTextOf(kDesktopKey, L"WallpaperStyle"), L"2");

    // A second start ends by itself at once and leaves the first one running.
    {
        ProgramRun second(exe);
        ASSERT_TRUE(second.started());
        EXPECT_TRUE(second.waitForExit(3000)) << "the second instance is still running";
    }
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindow(bar));

    // The close box ends the program at once; nothing is written or moved at exit.
    const std::string settingsBeforeClose = testFileContent(narrow(settings));
    ProgramRun::close(bar);
    EXPECT_TRUE(first.waitForExit(10000)) << "the program did not end on WM_CLOSE";
    EXPECT_EQ(testFileContent(narrow(settings)), settingsBeforeClose);
    EXPECT_EQ(entriesOf(desktop), desktopNames);
}

using ResumedStartTest = EndToEndTest;

TEST_F(ResumedStartTest, PutsTheLastUsedDesksItemsAndWallpaperInPlace) {
    const std::wstring homeWallpaper = makeWallpaper(L"home.bmp", 40, 40, 200);
    const std::wstring hobbyWallpaper = makeWallpaper(L"趣味の壁紙.bmp", 40, 200, 40);
    setAppearance(homeWallpaper, L"1", L"0");

    // Written with Windows' own profile calls, as a file of an earlier run would be.
    ASSERT_TRUE(startUnicodeProfile(settings));
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> user = {{L"LastUse", L"2"},
                                                                         {L"Topwindow", L"1"},
                                                                         {L"Position", L"0"},
                                                                         {L"AutoHide", L"1"},
                                                                         {L"SizeNum", L"1"}};
    for (const auto& [key, value] : user)
        ASSERT_TRUE(WritePrivateProfileStringW(L"User", key, value, settings.c_str()));
    const std::wstring tail = L"," + pattern + L"," + background + L",";
    const std::vector<std::wstring> desks = {L"デスクトップ," + homeWallpaper + tail + L"0",
                                             L"仕事,," + tail + L"0",
                                             L"趣味," + hobbyWallpaper + tail + L"2"};
    for (std::size_t desk = 0; desk < 10; ++desk) {
        const std::wstring line = desk < desks.size() ? desks[desk] : L"";
        ASSERT_TRUE(WritePrivateProfileStringW(L"DeskTop", std::to_wstring(desk).c_str(), line.c_str(),
                                               settings.c_str()));
    }
    for (int desk = 0; desk <= 9; ++desk)
        CreateDirectoryW((program + L"dsk" + std::to_wstring(desk)).c_str(), nullptr);
    CreateDirectoryW((program + L"DskTop").c_str(), nullptr);
    ASSERT_TRUE(writeTestFile(narrow(program + L"dsk0\\memo.txt"), "desk 0"));
    ASSERT_TRUE(writeTestFile(narrow(program + L"dsk2\\趣味.txt"), "desk 2"));
    ASSERT_TRUE(writeTestFile(narrow(program + L"dsk2\\plan.txt"), "plan of desk 2"));
    // The Desktop holds one of desk 2's items, edited since the desk was entered: the live file stays.
    ASSERT_TRUE(writeTestFile(narrow(desktop + L"plan.txt"), "plan edited on the Desktop"));

    ProgramRun run(exe);
    ASSERT_TRUE(run.started());
    const HWND bar = run.waitForBar();
    ASSERT_NE(bar, nullptr) << "no visible window titled コルヴァン; exit code " << run.exitCode();

    EXPECT_EQ(entriesOf(desktop), sorted({L"plan.txt", L"趣味.txt"}));
    EXPECT_EQ(testFileContent(narrow(desktop + L"plan.txt")), "plan edited on the Desktop");
    EXPECT_EQ(testFileContent(narrow(desktop + L"趣味.txt")), "desk 2");
    EXPECT_EQ(entriesOf(program + L"dsk2\\"), sorted({L"plan.txt", L"趣味.txt"}));
    EXPECT_EQ(entriesOf(program + L"dsk0\\"), std::vector<std::wstring>{L"memo.txt"});

    EXPECT_EQ(currentWallpaper(), hobbyWallpaper);
    EXPECT_EQ(registryTextOf(kDesktopKey, L"Wallpaper"), hobbyWallpaper);
    EXPECT_EQ(registryTextOf(kDesktopKey, L"TileWallpaper"), L"0");
    EXPECT_EQ(registryTextOf(kDesktopKey, L"WallpaperStyle"), L"2");

    ProgramRun::close(bar);
    EXPECT_TRUE(run.waitForExit(10000)) << "the program did not end on WM_CLOSE";
    EXPECT_EQ(profileNumber(settings, L"User", L"LastUse"), 2);
    EXPECT_EQ(profileText(settings, L"DeskTop", L"2"), desks[2]);
}

}  // namespace
}  // namespace koruvan::win32::testing
