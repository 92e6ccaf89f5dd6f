// The file operations of the real platform on the Windows file system: the listing filter behind every desk
// swap, copy/move/delete with Japanese names, and the replace-by-rename write of the settings file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/win32/win32_platform.h"
#include "store/desk_items.h"
#include "windows/scratch_folder.h"

namespace koruvan::win32 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::ScratchFolder;
using testing::testFileContent;
using testing::testPathExists;
using testing::writeTestFile;

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// Holds a file open with the given sharing, as another program using it would.
class FileLock {
  public:
    FileLock(const std::string& path, DWORD share)
        : handle_(CreateFileW(widen(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << path;
    }
    ~FileLock() { CloseHandle(handle_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    HANDLE handle_;
};

class PlatformFilesTest : public ::testing::Test {
  protected:
    Win32Platform platform{"Local\\KORUVAN.Test.Files"};
    ScratchFolder scratch;
};

TEST_F(PlatformFilesTest, ListingKeepsOnlyPlainFiles) {
    ASSERT_TRUE(writeTestFile(scratch / "memo.txt", "a"));
    ASSERT_TRUE(writeTestFile(scratch / "日本語のメモ.txt", "b"));
    ASSERT_TRUE(writeTestFile(scratch / "ﾒﾓ.lnk", "c"));
    ASSERT_TRUE(writeTestFile(scratch / "readonly.txt", "d", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(writeTestFile(scratch / "archived.txt", "e", FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(writeTestFile(scratch / "hidden.txt", "f", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(writeTestFile(scratch / "desktop.ini", "g", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(CreateDirectoryW(widen(scratch / "フォルダ").c_str(), nullptr));
    ASSERT_TRUE(writeTestFile(scratch / "フォルダ\\inner.txt", "h"));

    const std::vector<std::string> expected{"archived.txt", "memo.txt", "readonly.txt", "ﾒﾓ.lnk",
                                            "日本語のメモ.txt"};
    EXPECT_EQ(sorted(platform.files.listPlainFiles(scratch.path())), sorted(expected));
    std::string withoutSeparator = scratch.path();
    withoutSeparator.pop_back();
    EXPECT_EQ(sorted(platform.files.listPlainFiles(withoutSeparator)), sorted(expected));
}

TEST_F(PlatformFilesTest, ListingOfNoFolderIsEmpty) {
    EXPECT_THAT(platform.files.listPlainFiles(scratch / "ない\\"), IsEmpty());
    EXPECT_THAT(platform.files.listPlainFiles(scratch.path()), IsEmpty());
    // An empty text must not fall back to the current folder.
    ASSERT_TRUE(writeTestFile(scratch / "here.txt", "x"));
    ASSERT_TRUE(SetCurrentDirectoryW(widen(scratch.path()).c_str()));
    EXPECT_THAT(platform.files.listPlainFiles(""), IsEmpty());
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    SetCurrentDirectoryW(temp);
}

TEST_F(PlatformFilesTest, FolderListingReachesHiddenFoldersAndNoFiles) {
    ASSERT_TRUE(CreateDirectoryW(widen(scratch / "壁紙").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(widen(scratch / "隠し").c_str(), nullptr));
    SetFileAttributesW(widen(scratch / "隠し").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(writeTestFile(scratch / "memo.txt", "a"));
    EXPECT_EQ(sorted(platform.files.listFolders(scratch.path())), sorted({"壁紙", "隠し"}));
    EXPECT_THAT(platform.files.listFolders(scratch / "ない\\"), IsEmpty());

    const std::vector<std::string> drives = platform.files.listDrives();
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
}

TEST_F(PlatformFilesTest, LinksAreOneFileUnderTwoNamesAndTheListingTellsSo) {
    ASSERT_TRUE(CreateDirectoryW(widen(scratch / "机").c_str(), nullptr));
    ASSERT_TRUE(writeTestFile(scratch / "予定.txt", "plan"));
    ASSERT_TRUE(writeTestFile(scratch / "readonly.txt", "r", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(platform.files.linkFile(scratch / "予定.txt", scratch / "机\\予定.txt"));
    EXPECT_FALSE(platform.files.linkFile(scratch / "予定.txt", scratch / "机\\予定.txt")) << "a taken name";
    EXPECT_FALSE(platform.files.linkFile(scratch / "readonly.txt", scratch / "机\\readonly.txt"));
    ASSERT_TRUE(platform.files.copyFile(scratch / "予定.txt", scratch / "机\\copy.txt"));

    const auto find = [&](const std::string& folder, const std::string& name) {
        for (const PlainFile& file : platform.files.listPlainFileIdentities(folder))
            if (file.name == name) return file;
        return PlainFile{};
    };
    const PlainFile original = find(scratch.path(), "予定.txt");
    EXPECT_NE(original.fileId, 0u);
    EXPECT_TRUE(sameFile(original, find(scratch / "机\\", "予定.txt")));
    EXPECT_FALSE(sameFile(original, find(scratch / "机\\", "copy.txt")));
    ASSERT_TRUE(writeTestFile(scratch / "机\\予定.txt", "edited through the link"));
    EXPECT_EQ(testFileContent(scratch / "予定.txt"), "edited through the link");
    EXPECT_TRUE(platform.files.copyFile(scratch / "予定.txt", scratch / "机\\予定.txt")) << "onto itself";
    EXPECT_EQ(testFileContent(scratch / "予定.txt"), "edited through the link");
}

TEST_F(PlatformFilesTest, CopyKeepsSourceAndReplacesTarget) {
    const std::string source = scratch / "桜の壁紙.bmp";
    const std::string target = scratch / "コピー先.bmp";
    ASSERT_TRUE(writeTestFile(source, std::string("BM\0\x01new", 7)));
    ASSERT_TRUE(writeTestFile(target, "old and longer content"));

    EXPECT_TRUE(platform.files.copyFile(source, target));
    EXPECT_EQ(testFileContent(target), std::string("BM\0\x01new", 7));
    EXPECT_EQ(testFileContent(source), std::string("BM\0\x01new", 7));

    EXPECT_FALSE(platform.files.copyFile(scratch / "ない.txt", target));
    EXPECT_EQ(testFileContent(target), std::string("BM\0\x01new", 7));
}

TEST_F(PlatformFilesTest, CopyOntoTargetInUseFailsAndLeavesIt) {
    ASSERT_TRUE(writeTestFile(scratch / "a.txt", "new"));
    ASSERT_TRUE(writeTestFile(scratch / "b.txt", "old"));
    {
        const FileLock lock(scratch / "b.txt", 0);
        EXPECT_FALSE(platform.files.copyFile(scratch / "a.txt", scratch / "b.txt"));
    }
    EXPECT_EQ(testFileContent(scratch / "b.txt"), "old");
}

TEST_F(PlatformFilesTest, MoveRenamesAndReplacesTarget) {
    const std::string source = scratch / "書類.txt";
    const std::string target = scratch / "移動先.txt";
    ASSERT_TRUE(writeTestFile(source, "moved"));
    ASSERT_TRUE(writeTestFile(target, "replaced"));

    EXPECT_TRUE(platform.files.moveFile(source, target));
    EXPECT_FALSE(testPathExists(source));
    EXPECT_EQ(testFileContent(target), "moved");

    EXPECT_FALSE(platform.files.moveFile(source, scratch / "other.txt"));
    EXPECT_FALSE(testPathExists(scratch / "other.txt"));
}

TEST_F(PlatformFilesTest, MoveOfFileInUseFailsAndKeepsSource) {
    const std::string source = scratch / "使用中.txt";
    ASSERT_TRUE(writeTestFile(source, "busy"));
    {
        const FileLock lock(source, FILE_SHARE_READ | FILE_SHARE_WRITE);
        EXPECT_FALSE(platform.files.moveFile(source, scratch / "target.txt"));
    }
    EXPECT_EQ(testFileContent(source), "busy");
    EXPECT_FALSE(testPathExists(scratch / "target.txt"));
}

// Across volumes the move is a copy and a delete; under Wine Z:\dev\shm is another file system than the
// prefix.
class PlatformCrossVolumeMoveTest : public PlatformFilesTest {
  protected:
    void SetUp() override {
        if (!platform.files.folderExists(kOtherVolume))
            GTEST_SKIP() << "no second volume at " << kOtherVolume;
        otherFolder = std::make_unique<ScratchFolder>(kOtherVolume);
    }
    static constexpr const char* kOtherVolume = "Z:\\dev\\shm\\";
    std::unique_ptr<ScratchFolder> otherFolder;
};

// A rename cannot cross drives: the platform says so and leaves both files as they were; the store then
// copies the item whole under a temporary name before it takes the item's name, and only then lets the
// source go. A target held open refuses the copy its name, and the source stays.
TEST_F(PlatformCrossVolumeMoveTest, ARenameIsRefusedAndTheStoreCopiesWhole) {
    const std::string source = scratch / "大きな書類.bin";
    const std::string target = *otherFolder / "大きな書類.bin";
    const std::string temporary = *otherFolder / "~KORUVAN-t-1.tmp";
    std::string content(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 131);
    ASSERT_TRUE(writeTestFile(source, content));
    ASSERT_TRUE(writeTestFile(target, "old"));

    EXPECT_EQ(platform.files.moveFile(source, target), FileResult{FileError::OtherDrive});
    EXPECT_EQ(testFileContent(target), "old");
    {
        const FileLock lock(target, 0);
        EXPECT_FALSE(
            storeReplacing(platform, source, otherFolder->path(), "大きな書類.bin", temporary, std::nullopt));
    }
    EXPECT_EQ(testFileContent(source), content);
    EXPECT_EQ(testFileContent(target), "old");
    EXPECT_TRUE(
        storeReplacing(platform, source, otherFolder->path(), "大きな書類.bin", temporary, std::nullopt));
    EXPECT_FALSE(testPathExists(source));
    EXPECT_FALSE(testPathExists(temporary));
    EXPECT_EQ(testFileContent(target), content);
}

// A read-only item on another drive than its stored copy, read-only too: the stored copy gives up its
// attribute only for the rename that replaces it, and the newer version comes read-only as the item is.
TEST_F(PlatformCrossVolumeMoveTest, AReadOnlyItemReplacesItsReadOnlyStoredCopy) {
    const std::string source = scratch / "規則.txt";
    const std::string target = *otherFolder / "規則.txt";
    ASSERT_TRUE(writeTestFile(source, "the newer version", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(writeTestFile(target, "as stored", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(platform.files.moveFile(source, target), FileResult{FileError::OtherDrive});
    EXPECT_TRUE(storeReplacing(platform, source, otherFolder->path(), "規則.txt",
                               *otherFolder / "~KORUVAN-t-1.tmp", std::nullopt));
    EXPECT_EQ(testFileContent(target), "the newer version");
    EXPECT_TRUE(platform.files.isReadOnly(target));
    EXPECT_FALSE(testPathExists(source));
}

// A listing that cannot be made is none, never an empty one.
TEST_F(PlatformFilesTest, AListingThatCannotBeMadeIsNone) {
    EXPECT_FALSE(platform.files.tryListPlainFileIdentities(scratch / "ない\\").has_value());
    EXPECT_FALSE(platform.files.tryListPlainFileIdentities("").has_value());
    const std::optional<std::vector<PlainFile>> empty =
        platform.files.tryListPlainFileIdentities(scratch.path());
    ASSERT_TRUE(empty.has_value());
    EXPECT_THAT(*empty, IsEmpty());
}

// Only the file a listing saw is deleted by name: one a program saved in its place since (a new file renamed
// over it) stays. A read-only one goes, and its other name keeps the attribute.
TEST_F(PlatformFilesTest, DeleteIfUnchangedDeletesOnlyTheFileThatWasListed) {
    const auto listed = [&](const std::string& name) {
        for (const PlainFile& file : platform.files.listPlainFileIdentities(scratch.path()))
            if (file.name == name) return file;
        return PlainFile{};
    };
    ASSERT_TRUE(writeTestFile(scratch / "stored.txt", "placed", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(
        CreateHardLinkW(widen(scratch / "desk.txt").c_str(), widen(scratch / "stored.txt").c_str(), nullptr));
    EXPECT_TRUE(platform.files.deleteFileIfUnchanged(scratch / "desk.txt", listed("desk.txt")));
    EXPECT_FALSE(testPathExists(scratch / "desk.txt"));
    EXPECT_TRUE(platform.files.isReadOnly(scratch / "stored.txt"));

    ASSERT_TRUE(writeTestFile(scratch / "memo.txt", "placed"));
    const PlainFile before = listed("memo.txt");
    ASSERT_TRUE(writeTestFile(scratch / "memo.tmp", "saved since"));
    ASSERT_TRUE(MoveFileExW(widen(scratch / "memo.tmp").c_str(), widen(scratch / "memo.txt").c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(platform.files.deleteFileIfUnchanged(scratch / "memo.txt", before),
              FileResult{FileError::Changed});
    EXPECT_EQ(testFileContent(scratch / "memo.txt"), "saved since");
}

// Paths past the old limit of 260 characters go to the file calls in their extended form.
TEST(WidePathTest, APathPastTheOldLimitTakesTheExtendedForm) {
    const std::string name(260, 'n');
    const struct {
        std::string path;
        std::wstring wide;
    } cases[] = {
        {"C:\\KORUVAN\\dsk0\\memo.txt", L"C:\\KORUVAN\\dsk0\\memo.txt"},
        {"C:\\Users\\" + name, L"\\\\?\\C:\\Users\\" + widen(name)},
        {"C:/Users/" + name, L"\\\\?\\C:\\Users\\" + widen(name)},
        {"\\\\server\\share\\" + name, L"\\\\?\\UNC\\server\\share\\" + widen(name)},
        {"\\\\?\\C:\\" + name, L"\\\\?\\C:\\" + widen(name)},
        {"relative\\" + name, L"relative\\" + widen(name)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(widePath(c.path), c.wide) << c.path.substr(0, 24);
}

TEST_F(PlatformFilesTest, ItemsPastTheOldPathLimitMoveLikeAnyOther) {
    const std::string folder = scratch / (std::string(100, 'd') + "\\");
    ASSERT_TRUE(platform.files.makeFolder(folder));
    const std::string name = std::string(150, 'n') + ".txt";
    ASSERT_GT(folder.size() + name.size(), 260u);
    ASSERT_TRUE(platform.files.replaceFileBytes(folder + name, "long"));
    EXPECT_THAT(platform.files.listPlainFiles(folder), ElementsAre(name));
    EXPECT_TRUE(platform.files.linkFile(folder + name, folder + "linked " + name));
    EXPECT_TRUE(platform.files.copyFile(folder + name, folder + "copied " + name));
    EXPECT_TRUE(platform.files.moveFile(folder + "copied " + name, folder + "moved " + name));
    EXPECT_EQ(platform.files.readFileBytes(folder + "moved " + name), std::optional<std::string>("long"));
    EXPECT_TRUE(platform.files.fileInfo(folder + "linked " + name).has_value());
    for (const std::string& each : {name, "linked " + name, "moved " + name})
        EXPECT_TRUE(platform.files.deleteFile(folder + each));
    EXPECT_THAT(platform.files.listPlainFiles(folder), IsEmpty());
}

// Deleting one name of a read-only file leaves its other names read-only: the attribute is the file's.
TEST_F(PlatformFilesTest, DeletingANameOfAReadOnlyFileKeepsTheOthersReadOnly) {
    ASSERT_TRUE(writeTestFile(scratch / "stored.txt", "kept"));
    ASSERT_TRUE(platform.files.linkFile(scratch / "stored.txt", scratch / "on the desktop.txt"));
    ASSERT_TRUE(SetFileAttributesW(widen(scratch / "on the desktop.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(platform.files.deleteFile(scratch / "on the desktop.txt"));
    EXPECT_FALSE(testPathExists(scratch / "on the desktop.txt"));
    EXPECT_NE(GetFileAttributesW(widen(scratch / "stored.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(testFileContent(scratch / "stored.txt"), "kept");
}

TEST_F(PlatformFilesTest, DeleteAndFolders) {
    ASSERT_TRUE(writeTestFile(scratch / "消す.txt", "x"));
    EXPECT_TRUE(platform.files.deleteFile(scratch / "消す.txt"));
    EXPECT_FALSE(testPathExists(scratch / "消す.txt"));
    EXPECT_FALSE(platform.files.deleteFile(scratch / "消す.txt"));

    EXPECT_TRUE(platform.files.makeFolder(scratch / "dsk0"));
    EXPECT_TRUE(platform.files.folderExists(scratch / "dsk0"));
    EXPECT_TRUE(platform.files.folderExists(scratch / "dsk0\\"));
    EXPECT_FALSE(platform.files.makeFolder(scratch / "dsk0"));  // already there: reported, harmless
    EXPECT_TRUE(platform.files.makeFolder(scratch / "デスク\\"));
    EXPECT_TRUE(platform.files.folderExists(scratch / "デスク"));

    ASSERT_TRUE(writeTestFile(scratch / "KORUVAN.ini", "", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(
        platform.files.plainFileExists(scratch / "KORUVAN.ini"));  // a hidden settings file is still there
    EXPECT_FALSE(platform.files.folderExists(scratch / "KORUVAN.ini"));
    EXPECT_FALSE(platform.files.plainFileExists(scratch / "dsk0"));
    EXPECT_FALSE(platform.files.plainFileExists(scratch / "ない.ini"));
    EXPECT_FALSE(platform.files.folderExists(scratch / "ない"));
}

TEST_F(PlatformFilesTest, ReadFileBytesIsExact) {
    const std::string bytes("\xFF\xFE[\0U\0s\0e\0r\0]\0\r\0\n\0", 18);
    ASSERT_TRUE(writeTestFile(scratch / "設定.ini", bytes));
    EXPECT_EQ(platform.files.readFileBytes(scratch / "設定.ini"), bytes);
    ASSERT_TRUE(writeTestFile(scratch / "empty.ini", ""));
    EXPECT_EQ(platform.files.readFileBytes(scratch / "empty.ini"), std::string());
    EXPECT_EQ(platform.files.readFileBytes(scratch / "ない.ini"), std::nullopt);
    EXPECT_EQ(platform.files.readFileBytes(scratch.path()), std::nullopt);
}

TEST_F(PlatformFilesTest, ReplaceFileBytesLeavesNoSideFile) {
    const std::string path = scratch / "KORUVAN.ini";
    EXPECT_TRUE(platform.files.replaceFileBytes(path, "first"));
    EXPECT_EQ(testFileContent(path), "first");
    EXPECT_TRUE(platform.files.replaceFileBytes(path, std::string("second\0!", 8)));
    EXPECT_EQ(testFileContent(path), std::string("second\0!", 8));
    EXPECT_FALSE(testPathExists(path + ".new"));
    EXPECT_THAT(platform.files.listPlainFiles(scratch.path()), ElementsAre("KORUVAN.ini"));
}

TEST_F(PlatformFilesTest, ReplaceFileBytesOfFileInUseKeepsIt) {
    const std::string path = scratch / "KORUVAN.ini";
    ASSERT_TRUE(writeTestFile(path, "kept"));
    {
        const FileLock reader(path, FILE_SHARE_READ);
        EXPECT_FALSE(platform.files.replaceFileBytes(path, "lost"));
    }
    EXPECT_EQ(testFileContent(path), "kept");
    EXPECT_FALSE(testPathExists(path + ".new"));

    EXPECT_FALSE(platform.files.replaceFileBytes(scratch / "ない\\KORUVAN.ini", "x"));
}

TEST_F(PlatformFilesTest, ChangesCurrentFolder) {
    EXPECT_TRUE(platform.files.setCurrentDirectory(scratch.path()));
    wchar_t current[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH + 1, current);
    std::string expected = scratch.path();
    expected.pop_back();
    EXPECT_EQ(narrow(current), expected);
    EXPECT_FALSE(platform.files.setCurrentDirectory(scratch / "ない"));

    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    SetCurrentDirectoryW(temp);  // let the scratch folder go
}

// What the desk swap relies on to never overwrite a Desktop file: a move that does not replace finds a file
// of the name whatever its case (beyond ASCII too) or attributes; the stored copy of a read-only item can be
// deleted. (Whether a copy replaces a hidden or read-only file differs between Windows and Wine run as root:
// the swap never copies onto an item.)
TEST_F(PlatformFilesTest, NoReplaceMovesAndCopiesRespectWhatIsThere) {
    const struct {
        const char* existing;
        DWORD attributes;
        const char* incoming;
    } taken[] = {
        {"Ａ.txt", 0, "ａ.txt"},
        {"Report.DOC", 0, "report.doc"},
        {"desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, "DESKTOP.INI"},
        {"secret.txt", FILE_ATTRIBUTE_HIDDEN, "secret.txt"},
        {"kept.txt", FILE_ATTRIBUTE_READONLY, "kept.txt"},
    };
    for (const auto& c : taken) {
        SCOPED_TRACE(c.incoming);
        ASSERT_TRUE(writeTestFile(scratch / c.existing, "there", c.attributes));
        ASSERT_TRUE(writeTestFile(scratch / "incoming", "new"));
        EXPECT_TRUE(platform.files.plainFileExists(scratch / c.incoming));
        EXPECT_FALSE(platform.files.moveFileNoReplace(scratch / "incoming", scratch / c.incoming));
        EXPECT_EQ(testFileContent(scratch / c.existing), "there");
        EXPECT_EQ(testFileContent(scratch / "incoming"), "new");
    }
    EXPECT_TRUE(platform.files.moveFileNoReplace(scratch / "incoming", scratch / "free.txt"));
    EXPECT_EQ(testFileContent(scratch / "free.txt"), "new");
    EXPECT_TRUE(platform.files.deleteFile(scratch / "kept.txt"));
    EXPECT_FALSE(testPathExists(scratch / "kept.txt"));
}

// A failure says why, so that a message can tell the user.
TEST_F(PlatformFilesTest, FailuresSayWhy) {
    ASSERT_TRUE(writeTestFile(scratch / "there.txt", "x"));
    ASSERT_TRUE(writeTestFile(scratch / "held.txt", "y"));
    const FileLock lock(scratch / "held.txt", 0);
    const struct {
        const char* what;
        FileResult result;
        FileError why;
    } cases[] = {
        {"delete of nothing", platform.files.deleteFile(scratch / "none.txt"), FileError::Gone},
        {"move of nothing", platform.files.moveFile(scratch / "none.txt", scratch / "a.txt"),
         FileError::Gone},
        {"move onto a name", platform.files.moveFileNoReplace(scratch / "there.txt", scratch / "held.txt"),
         FileError::Exists},
        {"move of a held file", platform.files.moveFile(scratch / "held.txt", scratch / "b.txt"),
         FileError::InUse},
        {"copy onto a held file", platform.files.copyFile(scratch / "there.txt", scratch / "held.txt"),
         FileError::InUse},
        {"delete of a held file", platform.files.deleteFile(scratch / "held.txt"), FileError::InUse},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(c.result.error), static_cast<int>(c.why)) << c.what;
}

}  // namespace
}  // namespace koruvan::win32
