#include "store/desk_folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fake/fake_platform.h"
#include "store/appearance.h"
#include "store/desk_items.h"

namespace koruvan {
namespace {

using ::testing::ElementsAre;
using testing::FakePlatform;
using ::testing::IsEmpty;
using testing::kHidden;
using testing::kReadOnly;
using testing::kSystem;

constexpr const char* kDesktop = "C:\\Users\\user\\Desktop\\";

class SwapDeskTest : public ::testing::Test {
  protected:
    SwapDeskTest() {
        state.programDir = fake.programDir;
        state.desktopFolder = kDesktop;
        fake.makeFolder(kDesktop);
        for (int desk = 0; desk < kDeskCount; ++desk)
            fake.makeFolder(deskFolder(state, desk));
        fake.clearCalls();
    }

    std::string desk(int index) const { return deskFolder(state, index); }
    std::vector<std::string> plainFiles(const std::string& folder) { return fake.listPlainFiles(folder); }
    bool touchedFiles() const {
        return std::any_of(fake.calls.begin(), fake.calls.end(), [](const std::string& call) {
            return call.starts_with("copy ") || call.starts_with("move ") || call.starts_with("delete ");
        });
    }

    FakePlatform fake;
    SharedState state;
};

TEST_F(SwapDeskTest, RoundTripKeepsEachDesksItemsIncludingSameNamedOnes) {
    fake.writeFile(std::string(kDesktop) + "a.lnk", "a0");
    fake.writeFile(std::string(kDesktop) + "shared.txt", "desk 0");
    fake.writeFile(desk(0) + "a.lnk", "a0 as entered");
    fake.writeFile(desk(0) + "removed since.txt", "stale");
    fake.writeFile(desk(1) + "b.lnk", "b1");
    fake.writeFile(desk(1) + "shared.txt", "desk 1");

    swapDesk(fake, state, 0, 1);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.lnk", "shared.txt"));
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "shared.txt"), "desk 1");
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.lnk", "shared.txt"));
    EXPECT_EQ(fake.fileContent(desk(0) + "a.lnk"), "a0");
    EXPECT_EQ(fake.fileContent(desk(0) + "shared.txt"), "desk 0");

    fake.writeFile(std::string(kDesktop) + "made on desk 1.txt", "new");
    swapDesk(fake, state, 1, 0);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("a.lnk", "shared.txt"));
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "shared.txt"), "desk 0");
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.lnk", "shared.txt"));
    EXPECT_THAT(plainFiles(desk(1)), ElementsAre("b.lnk", "made on desk 1.txt", "shared.txt"));
    EXPECT_EQ(fake.fileContent(desk(1) + "shared.txt"), "desk 1");
}

TEST_F(SwapDeskTest, AnItemEditedInPlaceComesBackEditedAfterARoundTrip) {
    fake.writeFile(desk(1) + "notes.txt", "as stored");
    swapDesk(fake, state, 0, 1);
    fake.writeFile(std::string(kDesktop) + "notes.txt", "edited in place");  // the stored item's one file
    EXPECT_EQ(fake.fileContent(desk(1) + "notes.txt"), "edited in place");
    swapDesk(fake, state, 1, 0);
    swapDesk(fake, state, 0, 1);
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "notes.txt"), "edited in place");
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("notes.txt"));
    EXPECT_THAT(plainFiles(desk(1)), ElementsAre("notes.txt"));
    EXPECT_THAT(plainFiles(desk(0)), IsEmpty());
}

TEST_F(SwapDeskTest, FoldersAndHiddenFilesStayOnTheDesktop) {
    const std::string hidden = std::string(kDesktop) + "desktop.ini";
    fake.writeFile(hidden, "hidden");
    fake.makeHidden(hidden);
    fake.writeFile(std::string(kDesktop) + "Projects\\plan.txt", "in a folder");
    fake.writeFile(std::string(kDesktop) + "item.lnk", "x");

    swapDesk(fake, state, 0, 1);  // desk 1 is empty
    EXPECT_THAT(plainFiles(kDesktop), IsEmpty());
    EXPECT_EQ(fake.fileContent(hidden), "hidden");
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "Projects\\plan.txt"), "in a folder");
    EXPECT_THAT(fake.filesIn(desk(0)), ElementsAre("item.lnk"));
}

TEST_F(SwapDeskTest, AFileThatCannotMoveIsNeitherLostNorOverwritten) {
    const std::string locked = std::string(kDesktop) + "report.doc";
    fake.writeFile(locked, "live, still open");
    fake.writeFile(std::string(kDesktop) + "free.lnk", "free");
    fake.writeFile(desk(1) + "Report.DOC", "desk 1's report");  // same file name to Windows
    fake.writeFile(desk(1) + "other.lnk", "other");
    fake.failingCopies.insert(locked);

    swapDesk(fake, state, 0, 1);
    EXPECT_EQ(fake.fileContent(locked), "live, still open");
    // Desk 1's file comes in beside it under a free name: left in the store only, it would be deleted with
    // the stored copy when desk 1 is left.
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("Report (2).DOC", "other.lnk", "report.doc"));
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "Report (2).DOC"), "desk 1's report");
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("free.lnk"));
    EXPECT_THAT(plainFiles(desk(1)), ElementsAre("Report.DOC", "other.lnk"));
}

TEST_F(SwapDeskTest, WithoutAUsableDesktopFolderNoFileIsTouched) {
    fake.writeFile(desk(0) + "only copy.lnk", "keep me");
    fake.writeFile(desk(1) + "b.lnk", "b");
    fake.writeFile("C:\\stray.txt", "root of the drive");
    state.deskTable[1][DeskField::Wallpaper] = "C:\\w.bmp";

    for (const std::string folder : {"", "\\", "C:\\Users\\user\\NoSuchDesktop\\", "C:\\KORUVAN\\dsk0\\",
                                     "C:\\KORUVAN\\", "c:\\koruvan"}) {
        SCOPED_TRACE(folder);
        state.desktopFolder = folder;
        fake.clearCalls();
        swapDesk(fake, state, 0, 1);
        EXPECT_FALSE(touchedFiles());
        EXPECT_THAT(fake.calls,
                    ElementsAre("busy", "pump", "wallpaper C:\\w.bmp", "wallpaper C:\\w.bmp", "pointer"));
        EXPECT_THAT(plainFiles(desk(0)), ElementsAre("only copy.lnk"));
    }
}

TEST_F(SwapDeskTest, FilesSwapBeforeTheEventPumpAndThePumpBeforeTheWallpaper) {
    fake.writeFile(desk(0) + "old.lnk", "old");
    fake.writeFile(std::string(kDesktop) + "live.lnk", "live");
    fake.writeFile(desk(2) + "new.lnk", "new");
    state.deskTable[2][DeskField::Wallpaper] = "C:\\w.bmp";
    state.deskTable[2][DeskField::Style] = "2";
    fake.setRegistry(kDesktopKey, "Wallpaper", "");

    swapDesk(fake, state, 0, 2);
    const std::string journal = "write C:\\KORUVAN\\KORUVAN.jnl";
    EXPECT_THAT(fake.calls,
                ElementsAre("busy", journal, "delete C:\\KORUVAN\\dsk0\\old.lnk", journal,
                            "move C:\\Users\\user\\Desktop\\live.lnk -> C:\\KORUVAN\\dsk0\\live.lnk", journal,
                            "link C:\\KORUVAN\\dsk2\\new.lnk -> C:\\Users\\user\\Desktop\\new.lnk", "pump",
                            "wallpaper C:\\w.bmp", "reg Wallpaper=C:\\w.bmp", "reg TileWallpaper=0",
                            "reg WallpaperStyle=2", "wallpaper C:\\w.bmp", "pointer"));
}

TEST_F(SwapDeskTest, AnOutOfRangeDeskSkipsOnlyItsOwnSteps) {
    fake.writeFile(std::string(kDesktop) + "live.txt", "live");
    fake.writeFile(desk(1) + "live.txt", "desk 1");
    fake.writeFile(desk(1) + "b.lnk", "b");

    // No old desk to keep the Desktop's items: they stay, and desk 1's file of the same name comes beside it.
    swapDesk(fake, state, 10, 1);
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "live.txt"), "live");
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.lnk", "live (2).txt", "live.txt"));

    fake.clearCalls();
    swapDesk(fake, state, 1, -1);
    EXPECT_THAT(plainFiles(kDesktop), IsEmpty());
    EXPECT_THAT(plainFiles(desk(1)), ElementsAre("b.lnk", "live (2).txt", "live.txt"));
    EXPECT_EQ(fake.fileContent(desk(1) + "live.txt"), "live");
    EXPECT_EQ(fake.calls.back(), "pointer");
    EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "pump"), 1);
}

TEST_F(SwapDeskTest, CopyFolderFilesCountsFailuresAndKeepsEverySource) {
    fake.writeFile(desk(3) + "a.txt", "new a");
    fake.writeFile(desk(3) + "b.txt", "b");
    fake.writeFile(desk(4) + "a.txt", "old a");

    EXPECT_EQ(copyFolderFiles(fake, desk(3), desk(4), true), 0);
    EXPECT_EQ(fake.fileContent(desk(4) + "a.txt"), "new a");
    EXPECT_THAT(plainFiles(desk(3)), ElementsAre("a.txt", "b.txt"));

    EXPECT_EQ(copyFolderFiles(fake, desk(3), "C:\\no such folder\\", false), 2);
    EXPECT_THAT(plainFiles(desk(3)), ElementsAre("a.txt", "b.txt"));

    EXPECT_EQ(copyFolderFiles(fake, "C:\\no such folder\\", desk(3), false), 0);
}

// A Desktop file "report.doc" that the switch meets in one of Windows' ways, and desk 1's own "REPORT.doc"
// (the same name to Windows): nothing is lost, nothing overwritten, each file ends where it can.
TEST_F(SwapDeskTest, DesktopFilesThatCannotMoveKeepTheirPlaceAndTheirContent) {
    struct Case {
        const char* what;
        std::function<void(FakePlatform&, const std::string&)> make;
        std::vector<std::string> desktop;  // plain files after the switch
        std::vector<std::string> desk0;
    };
    const Case cases[] = {
        {"locked",
         [](FakePlatform& f, const std::string& p) { f.failingCopies.insert(p); },
         {"REPORT (2).doc", "report.doc"},
         {}},
        {"cut off half-way",
         [](FakePlatform& f, const std::string& p) { f.halfFailingMoves.insert(p); },
         {"REPORT (2).doc", "report.doc"},
         {}},
        {"read-only",
         [](FakePlatform& f, const std::string& p) { f.setAttributes(p, kReadOnly); },
         {"REPORT.doc"},
         {"report.doc"}},
        {"hidden",
         [](FakePlatform& f, const std::string& p) { f.setAttributes(p, kHidden); },
         {"REPORT (2).doc"},
         {}},
        {"system",
         [](FakePlatform& f, const std::string& p) { f.setAttributes(p, kSystem); },
         {"REPORT (2).doc"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform machine;
        for (int d = 0; d < kDeskCount; ++d)
            machine.makeFolder(desk(d));
        const std::string report = std::string(kDesktop) + "report.doc";
        machine.writeFile(report, "desk 0's report");
        machine.writeFile(desk(0) + "report.doc", "desk 0's report as entered");
        machine.setAttributes(desk(0) + "report.doc", kReadOnly);  // the stored copy of a read-only item
        machine.writeFile(desk(1) + "REPORT.doc", "desk 1's report");
        c.make(machine, report);

        swapDesk(machine, state, 0, 1);
        EXPECT_EQ(machine.listPlainFiles(kDesktop), c.desktop);
        EXPECT_EQ(machine.listPlainFiles(desk(0)), c.desk0);
        const std::string placed = std::string(kDesktop) + c.desktop.front();
        EXPECT_EQ(machine.fileContent(placed), "desk 1's report");
        const std::string left = c.desk0.empty() ? report : desk(0) + "report.doc";
        EXPECT_EQ(machine.fileContent(left), "desk 0's report");
        EXPECT_FALSE(machine.exists(std::string(kDesktop) + kCopyInProgressName));
    }
}

TEST_F(SwapDeskTest, OnAFullDiskTheNewDesksItemsMoveInsteadOfBeingCopied) {
    fake.writeFile(std::string(kDesktop) + "a.txt", std::string(5000, 'a'));
    fake.writeFile(desk(1) + "b.txt", std::string(5000, 'b'));
    fake.failLinks = true;  // another volume: a desk's items come as copies
    fake.freeBytes = 1000;  // the journal fits, no item does

    EXPECT_TRUE(swapDesk(fake, state, 0, 1));
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.txt"));
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "b.txt"), std::string(5000, 'b'));
    EXPECT_THAT(plainFiles(desk(1)), IsEmpty());
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.txt"));

    fake.freeBytes = 0;  // not even the journal: the switch does not start
    EXPECT_FALSE(swapDesk(fake, state, 1, 0));
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.txt"));
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.txt"));
}

TEST_F(SwapDeskTest, StartUpPutsBackOnlyWhatTheDesktopLacks) {
    fake.writeFile(std::string(kDesktop) + "memo.txt", "edited today");
    fake.writeFile(desk(0) + "memo.txt", "as entered");
    fake.writeFile(desk(0) + "deleted.txt", "deleted since");
    fake.writeFile(std::string(kDesktop) + "ｉｎｉ.txt", "hidden live file");
    fake.makeHidden(std::string(kDesktop) + "ｉｎｉ.txt");
    fake.writeFile(desk(0) + "ＩＮＩ.TXT", "stored file of the same name");
    fake.writeFile(std::string(kDesktop) + kCopyInProgressName, "half a copy");

    putBackMissingItems(fake, state);
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "memo.txt"), "edited today");
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "deleted.txt"), "deleted since");
    EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "ＩＮＩ.TXT"), "hidden live file");
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("deleted.txt", "memo.txt"));
}

TEST(ReadWindowsDirectory, EndsInExactlyOneBackslash) {
    FakePlatform fake;
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS\\"},
        {"C:\\WINDOWS\\", "C:\\WINDOWS\\"},
        {std::string("C:\\WINDOWS\0\0\0    ", 18), "C:\\WINDOWS\\"},
        {"  C:\\Program Files\\Windows\\\\  ", "C:\\Program Files\\Windows\\"},
        {"", "\\"},
    };
    for (const auto& [system, expected] : cases) {
        fake.windowsDir = system;
        EXPECT_EQ(readWindowsDirectory(fake), expected);
    }
}

TEST(ReadDesktopFolder, KeepsInnerBlanksAndFallsBackToTheKnownFolder) {
    FakePlatform fake;
    fake.setRegistry(kShellFoldersKey, "Desktop", " C:\\Documents and Settings\\山田 太郎\\デスクトップ\t ");
    EXPECT_EQ(readDesktopFolder(fake), "C:\\Documents and Settings\\山田 太郎\\デスクトップ");

    fake.knownDesktop = "  C:\\Users\\Taro Yamada\\Desktop  ";
    fake.setRegistry(kShellFoldersKey, "Desktop", "   ");
    EXPECT_EQ(readDesktopFolder(fake), "C:\\Users\\Taro Yamada\\Desktop");
    fake.removeRegistryKey(kShellFoldersKey);
    EXPECT_EQ(readDesktopFolder(fake), "C:\\Users\\Taro Yamada\\Desktop");
}

}  // namespace
}  // namespace koruvan
