// The resources linked into KORUVAN.exe: the icon Explorer shows, the version information of the file's
// properties, and the manifest that selects common controls 6, DPI awareness and paths past 260 characters.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "windows/program_run.h"

namespace koruvan::win32::testing {
namespace {

std::wstring versionText(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || length == 0) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(ProgramResourcesTest, IconVersionAndManifestAreLinkedIn) {
    const std::wstring exe = builtProgramPath();

    EXPECT_GE(ExtractIconExW(exe.c_str(), -1, nullptr, nullptr, 0), 1u) << "no icon in " << narrow(exe);

    DWORD ignored = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << "no version information";
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"ProductName"}) {
        EXPECT_EQ(versionText(info, name), L"KORUVAN") << narrow(name);
    }
    // The numbers of the fixed part and the text agree.
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                 std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                 std::to_wstring(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(versionText(info, L"FileVersion"), numbers);
    EXPECT_EQ(versionText(info, L"ProductVersion"), numbers);

    const HMODULE image =
        LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr) << "no manifest with id 1";
    const char* manifest = static_cast<const char*>(LockResource(LoadResource(image, found)));
    const std::string text(manifest, SizeofResource(image, found));
    FreeLibrary(image);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(text.find("asInvoker"), std::string::npos);
    EXPECT_NE(
        text.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"),
        std::string::npos);
}

}  // namespace
}  // namespace koruvan::win32::testing
