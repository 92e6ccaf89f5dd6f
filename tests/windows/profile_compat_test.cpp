// Our INI engine against Windows' own profile calls: the settings file must read the same through both, in
// both directions, so that a file written by either is understood by the other.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "store/profile_file.h"
#include "windows/scratch_folder.h"

namespace koruvan::win32 {
namespace {

using testing::ScratchFolder;
using testing::writeTestFile;

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

// Values that our settings file holds, and the awkward ones a hand edit can leave.
const std::vector<Entry> kEntries = {
    {"User", "LastUse", "2"},
    {"User", "Topwindow", "1"},
    {"Color", "NowDeskForeColor", " 0"},
    {"Color", "NowDeskBackColor", " 255"},
    {"Color", "OtherDeskBackColor", "-16711680"},
    {"DeskTop", "0", "デスクトップ,C:\\Windows\\壁紙 1.bmp,(None),0 128 128,2"},
    {"DeskTop", "1", "ｹﾞｰﾑ,,,,"},
    {"DeskTop", "2", ""},
    {"DeskTop", "3", "Zoë's desk,C:\\Users\\Zoë\\Bureau\\fond.bmp,,,0"},
    {"DeskTop", "4", "a=b,c"},
    {"Extra", "word", "not a number"},
};

std::string windowsString(const std::string& path, const std::string& section, const std::string& key) {
    std::wstring buffer(4096, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), L"<missing>", buffer.data(),
                                 static_cast<DWORD>(buffer.size()), widen(path).c_str());
    buffer.resize(length);
    return narrow(buffer);
}

int windowsInt(const std::string& path, const std::string& section, const std::string& key, int fallback) {
    return static_cast<int>(
        GetPrivateProfileIntW(widen(section).c_str(), widen(key).c_str(), fallback, widen(path).c_str()));
}

TEST(ProfileCompatibility, WindowsReadsOurFileAsOurEngineDoes) {
    ScratchFolder folder;
    Win32Platform platform("Local\\KORUVAN.Test.ProfileCompat");
    const std::string path = folder / "KORUVAN.ini";
    ProfileFile ours(platform.files, path);
    for (const Entry& e : kEntries)
        ASSERT_TRUE(ours.writeString(e.section, e.key, e.value)) << e.key;
    // A later write into the first section, and a key whose case differs from the file's.
    ASSERT_TRUE(ours.writeString("user", "lastuse", "7"));

    for (const Entry& e : kEntries) {
        SCOPED_TRACE(e.section + "/" + e.key);
        EXPECT_EQ(windowsString(path, e.section, e.key), ours.readString(e.section, e.key, "<missing>"));
        EXPECT_EQ(windowsInt(path, e.section, e.key, 99), ours.readInt(e.section, e.key, 99));
    }
    EXPECT_EQ(windowsString(path, "DeskTop", "0"), "デスクトップ,C:\\Windows\\壁紙 1.bmp,(None),0 128 128,2");
    EXPECT_EQ(windowsInt(path, "Color", "NowDeskBackColor", 0), 255);
    EXPECT_EQ(windowsInt(path, "User", "LastUse", 0), 7);
    EXPECT_EQ(windowsString(path, "DeskTop", "9"), "<missing>");
    EXPECT_EQ(windowsString(path, "Nowhere", "0"), "<missing>");
}

// Files as a hand edit can leave them: line ends, blanks around a section's name, integers with a base
// prefix. Both read each the same, and still do after our engine wrote into it.
TEST(ProfileCompatibility, WindowsAndOurEngineReadHandEditedFilesAlike) {
    using namespace std::string_literals;
    const struct {
        std::string file;
        const char* section;
        const char* key;
    } cases[] = {
        {"[User]\rLastUse=3\r", "User", "LastUse"},
        {"[DeskTop]\r\n0=a,b\r1=c,d\r\n", "DeskTop", "0"},
        {"[DeskTop]\r\n0=a,b\r1=c,d\r\n", "DeskTop", "1"},
        {"[User]\n\rLastUse=3\n\r", "User", "LastUse"},
        {"\xFF\xFE[\0U\0]\0\r\0A\0=\0x\0\r\0"s, "U", "A"},  // UTF-16
        {"[ DeskTop ]\r\n0=x\r\n", "DeskTop", "0"},
        {"[\t\v\f\x1A DeskTop \x1A]\r\n0=x\r\n", "DeskTop", "0"},
        {"[Desk Top]\r\n0=x\r\n", "DeskTop", "0"},
        {"[Desk\rTop]\r\n0=x\r\n", "DeskTop", "0"},
        {"[C]\r\nA=0x0000FF\r\n", "C", "A"},
        {"[C]\r\nA=0X0000FF\r\n", "C", "A"},
        {"[C]\r\nA=0o19\r\n", "C", "A"},
        {"[C]\r\nA=0b101\r\n", "C", "A"},
        {"[C]\r\nA=-0x10\r\n", "C", "A"},
        {"[C]\r\nA=010\r\n", "C", "A"},
    };
    ScratchFolder folder;
    Win32Platform platform("Local\\KORUVAN.Test.ProfileCompat");
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = folder / ("case" + std::to_string(number++) + ".ini");
        ASSERT_TRUE(writeTestFile(path, c.file));
        ProfileFile ours(platform.files, path);
        const std::string text = windowsString(path, c.section, c.key);
        const int value = windowsInt(path, c.section, c.key, 99);
        EXPECT_EQ(ours.readString(c.section, c.key, "<missing>"), text);
        EXPECT_EQ(ours.readInt(c.section, c.key, 99), value);

        ASSERT_TRUE(ours.writeString(c.section, "Added", "1"));
        EXPECT_EQ(windowsString(path, c.section, c.key), text);
        EXPECT_EQ(windowsInt(path, c.section, c.key, 99), value);
        EXPECT_EQ(windowsString(path, c.section, "Added"), "1");
    }
}

// Windows writes the file in the form it finds: UTF-16 when the file starts with a byte-order mark, the
// system's code page (932 under a Japanese locale) when it is new.
void expectOurEngineReadsWhatWindowsWrote(const std::string& path) {
    for (const Entry& e : kEntries) {
        ASSERT_TRUE(WritePrivateProfileStringW(widen(e.section).c_str(), widen(e.key).c_str(),
                                               widen(e.value).c_str(), widen(path).c_str()));
    }
    Win32Platform platform("Local\\KORUVAN.Test.ProfileCompat");
    const ProfileFile ours(platform.files, path);
    for (const Entry& e : kEntries) {
        SCOPED_TRACE(e.section + "/" + e.key);
        EXPECT_EQ(ours.readString(e.section, e.key, "<missing>"), windowsString(path, e.section, e.key));
        EXPECT_EQ(ours.readInt(e.section, e.key, 99), windowsInt(path, e.section, e.key, 99));
    }
}

TEST(ProfileCompatibility, OurEngineReadsAUtf16FileThatWindowsWrote) {
    ScratchFolder folder;
    const std::string path = folder / "KORUVAN.ini";
    ASSERT_TRUE(writeTestFile(path, "\xFF\xFE"));
    expectOurEngineReadsWhatWindowsWrote(path);
}

TEST(ProfileCompatibility, OurEngineReadsALegacyFileThatWindowsWrote) {
    if (GetACP() != 932) GTEST_SKIP() << "the legacy form is the Japanese code page's";
    ScratchFolder folder;
    expectOurEngineReadsWhatWindowsWrote(folder / "KORUVAN.ini");
}

}  // namespace
}  // namespace koruvan::win32
