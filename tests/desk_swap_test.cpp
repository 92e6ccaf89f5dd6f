#include "store/desk_swap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fake/fake_platform.h"
#include "store/appearance.h"
#include "store/desk_identity.h"
#include "store/desk_items.h"
#include "store/profile_encoding.h"
#include "store/profile_file.h"
#include "store/switch_journal.h"

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
        EXPECT_TRUE(fake.makeFolder(kDesktop));
        for (int desk = 0; desk < kDeskCount; ++desk) {
            EXPECT_TRUE(fake.makeFolder(deskFolder(state, desk)));
            state.deskTable[static_cast<std::size_t>(desk)].name = "desk " + std::to_string(desk);
        }
        giveDeskIdentities(state);
        fake.clearCalls();
    }

    std::string desk(int index) const { return deskFolder(state, index); }
    std::string onDesktop(const std::string& name) const { return kDesktop + name; }
    std::vector<std::string> plainFiles(const std::string& folder) { return fake.listPlainFiles(folder); }
    bool touchedFiles() const {
        return std::any_of(fake.calls.begin(), fake.calls.end(), [](const std::string& call) {
            return call.starts_with("copy ") || call.starts_with("move ") || call.starts_with("delete ");
        });
    }
    // A switch as the bar makes it: the files, then the record and LastUse.
    StoreReport swap(int from, int to) {
        StoreReport report;
        if (swapDesk(fake, state, from, to, report) &&
            completeSwitch(fake, state, to, report) != Completion::NotRecorded)
            state.currentDesk = static_cast<std::int16_t>(to);
        return report;
    }
    // The store at a start of the program, at the desk LastUse named.
    StoreReport start() {
        StoreReport report;
        state.items = readItemRecord(fake, state.itemRecordPath());
        settleStore(fake, state, report);
        return report;
    }

    FakePlatform fake;
    SharedState state;
};

TEST_F(SwapDeskTest, RoundTripKeepsEachDesksItemsIncludingSameNamedOnes) {
    fake.writeFile(onDesktop("a.lnk"), "a0");
    fake.writeFile(onDesktop("shared.txt"), "desk 0");
    fake.writeFile(desk(0) + "a.lnk", "a0 as entered");
    fake.writeFile(desk(0) + "removed since.txt", "stale");
    fake.writeFile(desk(1) + "b.lnk", "b1");
    fake.writeFile(desk(1) + "shared.txt", "desk 1");
    start();  // puts "removed since.txt" back on the Desktop; the user then removes it
    EXPECT_TRUE(fake.deleteFile(onDesktop("removed since.txt")));

    swap(0, 1);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.lnk", "shared.txt"));
    EXPECT_EQ(fake.fileContent(onDesktop("shared.txt")), "desk 1");
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.lnk", "shared.txt"));
    EXPECT_EQ(fake.fileContent(desk(0) + "a.lnk"), "a0");
    EXPECT_EQ(fake.fileContent(desk(0) + "shared.txt"), "desk 0");

    fake.writeFile(onDesktop("made on desk 1.txt"), "new");
    swap(1, 0);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("a.lnk", "shared.txt"));
    EXPECT_EQ(fake.fileContent(onDesktop("shared.txt")), "desk 0");
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.lnk", "shared.txt"));
    EXPECT_THAT(plainFiles(desk(1)), ElementsAre("b.lnk", "made on desk 1.txt", "shared.txt"));
    EXPECT_EQ(fake.fileContent(desk(1) + "shared.txt"), "desk 1");
}

TEST_F(SwapDeskTest, AnItemEditedInPlaceComesBackEditedAfterARoundTrip) {
    fake.writeFile(desk(1) + "notes.txt", "as stored");
    swap(0, 1);
    fake.writeFile(onDesktop("notes.txt"), "edited in place");  // the stored item's one file
    EXPECT_EQ(fake.fileContent(desk(1) + "notes.txt"), "edited in place");
    swap(1, 0);
    swap(0, 1);
    EXPECT_EQ(fake.fileContent(onDesktop("notes.txt")), "edited in place");
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("notes.txt"));
}

TEST_F(SwapDeskTest, FoldersAndHiddenFilesStayOnTheDesktop) {
    fake.writeFile(onDesktop("desktop.ini"), "hidden");
    fake.makeHidden(onDesktop("desktop.ini"));
    fake.writeFile(onDesktop("Projects\\plan.txt"), "in a folder");
    fake.writeFile(onDesktop("item.lnk"), "x");

    swap(0, 1);  // desk 1 is empty
    EXPECT_THAT(plainFiles(kDesktop), IsEmpty());
    EXPECT_EQ(fake.fileContent(onDesktop("desktop.ini")), "hidden");
    EXPECT_EQ(fake.fileContent(onDesktop("Projects\\plan.txt")), "in a folder");
    EXPECT_THAT(fake.filesIn(desk(0)), ElementsAre("item.lnk"));
}

// A hidden file on the Desktop takes an item's name: the item comes in beside it and is stored back under its
// own name.
TEST_F(SwapDeskTest, AnItemThatCameInUnderANumberedNameIsStoredUnderItsOwn) {
    fake.writeFile(onDesktop("clash.txt"), "hidden, the user's");
    fake.makeHidden(onDesktop("clash.txt"));
    fake.writeFile(desk(2) + "clash.txt", "desk 2's");
    swap(0, 2);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("clash (2).txt"));
    fake.writeFile(onDesktop("clash (2).txt"), "desk 2's, edited");
    swap(2, 0);
    EXPECT_THAT(plainFiles(desk(2)), ElementsAre("clash.txt"));
    EXPECT_EQ(fake.fileContent(desk(2) + "clash.txt"), "desk 2's, edited");
    EXPECT_EQ(fake.fileContent(onDesktop("clash.txt")), "hidden, the user's");
}

TEST_F(SwapDeskTest, WithoutAUsableDesktopFolderNoFileIsTouched) {
    fake.writeFile(desk(0) + "only copy.lnk", "keep me");
    fake.writeFile(desk(1) + "b.lnk", "b");
    fake.writeFile("C:\\stray.txt", "root of the drive");
    state.deskTable[1].wallpaper = "C:\\w.bmp";

    for (const std::string folder : {"", "\\", "C:\\Users\\user\\NoSuchDesktop\\", "C:\\KORUVAN\\dsk0\\",
                                     "C:\\KORUVAN\\", "c:\\koruvan"}) {
        SCOPED_TRACE(folder);
        state.desktopFolder = folder;
        fake.clearCalls();
        StoreReport report;
        swapDesk(fake, state, 0, 1, report);
        EXPECT_FALSE(touchedFiles());
        EXPECT_THAT(fake.calls,
                    ElementsAre("busy", "pump", "wallpaper C:\\w.bmp", "wallpaper C:\\w.bmp", "pointer"));
        EXPECT_THAT(plainFiles(desk(0)), ElementsAre("only copy.lnk"));
    }
}

// Removed items' stored copies go before the journal is written: a crash there only leaves them to be put
// back.
TEST_F(SwapDeskTest, FilesSwapBeforeTheEventPumpAndThePumpBeforeTheWallpaper) {
    fake.writeFile(desk(0) + "old.lnk", "old");
    fake.writeFile(onDesktop("live.lnk"), "live");
    fake.writeFile(desk(2) + "new.lnk", "new");
    state.items.token = "0";
    setDesktopEntry(state.items, {"old.lnk", deskIdAt(state, 0), "old.lnk"});  // placed, then removed
    state.deskTable[2].wallpaper = "C:\\w.bmp";
    state.deskTable[2].style = WallpaperStyle::Stretched;
    fake.setRegistry(kDesktopKey, "Wallpaper", "");

    StoreReport report;
    swapDesk(fake, state, 0, 2, report);
    const std::string journal = "write C:\\KORUVAN\\KORUVAN.jnl";
    EXPECT_THAT(fake.calls,
                ElementsAre("busy", "delete C:\\KORUVAN\\dsk0\\old.lnk", journal,
                            "move C:\\Users\\user\\Desktop\\live.lnk -> C:\\KORUVAN\\dsk0\\live.lnk", journal,
                            "link C:\\KORUVAN\\dsk2\\new.lnk -> C:\\Users\\user\\Desktop\\new.lnk", "pump",
                            "wallpaper C:\\w.bmp", "reg Wallpaper=C:\\w.bmp", "reg TileWallpaper=0",
                            "reg WallpaperStyle=2", "wallpaper C:\\w.bmp", "pointer"));
}

TEST_F(SwapDeskTest, AnOutOfRangeDeskSkipsOnlyItsOwnSteps) {
    fake.writeFile(onDesktop("live.txt"), "live");
    fake.writeFile(desk(1) + "live.txt", "desk 1");
    fake.writeFile(desk(1) + "b.lnk", "b");

    // No old desk to keep the Desktop's items: they stay, and desk 1's file of the same name comes beside it.
    swap(10, 1);
    EXPECT_EQ(fake.fileContent(onDesktop("live.txt")), "live");
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.lnk", "live (2).txt", "live.txt"));

    fake.clearCalls();
    StoreReport report;
    swapDesk(fake, state, 1, -1, report);
    EXPECT_THAT(plainFiles(kDesktop), IsEmpty());
    // Desk 1 keeps its own item under its name; the file that stayed is its item too, beside it.
    EXPECT_THAT(plainFiles(desk(1)), ElementsAre("b.lnk", "live (2).txt", "live.txt"));
    EXPECT_EQ(fake.fileContent(desk(1) + "live.txt"), "desk 1");
    EXPECT_EQ(fake.fileContent(desk(1) + "live (2).txt"), "live");
    EXPECT_EQ(fake.calls.back(), "pointer");
    EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "pump"), 1);
}

// A Desktop file "report.doc" that the switch meets in one of Windows' ways, and desk 1's own "REPORT.doc"
// (the same name to Windows): nothing is lost, nothing overwritten, each file ends where it can.
TEST_F(SwapDeskTest, DesktopFilesThatCannotMoveKeepTheirPlaceAndTheirContent) {
    struct Case {
        const char* what;
        std::function<void(FakePlatform&, const std::string&)> make;
        std::vector<std::string> desktop;  // plain files after the switch
        std::string stored;                // desk 0's stored report afterwards
    };
    const Case cases[] = {
        {"held open",
         [](FakePlatform& f, const std::string& p) { f.heldFiles.insert(p); },
         {"REPORT (2).doc", "report.doc"},
         "as entered"},
        {"read-only",
         [](FakePlatform& f, const std::string& p) { f.setAttributes(p, kReadOnly); },
         {"REPORT.doc"},
         "live"},
        {"hidden",
         [](FakePlatform& f, const std::string& p) { f.setAttributes(p, kHidden); },
         {"REPORT (2).doc"},
         "as entered"},
        {"system",
         [](FakePlatform& f, const std::string& p) { f.setAttributes(p, kSystem); },
         {"REPORT (2).doc"},
         "as entered"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform machine;
        for (int d = 0; d < kDeskCount; ++d)
            EXPECT_TRUE(machine.makeFolder(desk(d)));
        const std::string report = onDesktop("report.doc");
        machine.writeFile(report, "live");
        machine.writeFile(desk(0) + "report.doc", "as entered");
        machine.setAttributes(desk(0) + "report.doc", kReadOnly);  // the stored copy of a read-only item
        machine.writeFile(desk(1) + "REPORT.doc", "desk 1's report");
        c.make(machine, report);

        StoreReport problems;
        swapDesk(machine, state, 0, 1, problems);
        EXPECT_EQ(machine.listPlainFiles(kDesktop), c.desktop);
        EXPECT_EQ(machine.fileContent(kDesktop + c.desktop.front()), "desk 1's report");
        EXPECT_EQ(machine.fileContent(desk(0) + "report.doc"), c.stored);
        EXPECT_EQ(machine.fileContent(report), c.stored == "live" ? "desk 1's report" : "live");
        EXPECT_THAT(machine.filesIn(kDesktop),
                    ::testing::Each(::testing::Not(::testing::StartsWith("~KORUVAN-"))));
    }
}

TEST_F(SwapDeskTest, OnAFullDiskTheNewDesksItemsMoveInsteadOfBeingCopied) {
    fake.writeFile(onDesktop("a.txt"), std::string(5000, 'a'));
    fake.writeFile(desk(1) + "b.txt", std::string(5000, 'b'));
    fake.failLinks = true;  // a file system without links: a desk's items come as copies
    fake.freeBytes = 1000;  // the journal fits, no item does

    EXPECT_TRUE(swap(0, 1).empty());
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.txt"));
    EXPECT_EQ(fake.fileContent(onDesktop("b.txt")), std::string(5000, 'b'));
    EXPECT_THAT(plainFiles(desk(1)), IsEmpty());
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.txt"));

    fake.freeBytes = 0;  // not even the journal: the switch does not start
    StoreReport report;
    EXPECT_FALSE(swapDesk(fake, state, 1, 0, report));
    EXPECT_EQ(report.journalUnwritable, FileError::Full);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("b.txt"));
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.txt"));
}

// The Desktop on a drive with little room, the store on another: an item too large to copy there stays stored
// and is reported; nothing cut off stands anywhere, and the next switch finds every item whole.
TEST_F(SwapDeskTest, ADesktopDriveWithoutRoomLeavesItemsStoredAndWhole) {
    state.desktopFolder = "D:\\Desktop\\";
    EXPECT_TRUE(fake.makeFolder("D:\\Desktop\\"));
    fake.writeFile("D:\\Desktop\\memo.txt", "desk 0's memo");
    fake.writeFile(desk(2) + "big.iso", std::string(3000, 'x'));
    fake.writeFile(desk(2) + "small.txt", "small");
    fake.driveFreeBytes['D'] = 2000;

    const StoreReport report = swap(0, 2);
    EXPECT_EQ(report.notPlaced, (std::vector<ItemProblem>{{"big.iso", 2, FileError::Full}}));
    EXPECT_THAT(plainFiles("D:\\Desktop\\"), ElementsAre("small.txt"));
    EXPECT_EQ(fake.fileContent(desk(0) + "memo.txt"), "desk 0's memo");
    const int operations = fake.fileOperations;
    swap(2, 0);
    EXPECT_LT(fake.fileOperations - operations, 20);
    EXPECT_THAT(plainFiles(desk(2)), ElementsAre("big.iso", "small.txt"));
    EXPECT_EQ(fake.fileContent(desk(2) + "big.iso"), std::string(3000, 'x'));
    EXPECT_THAT(plainFiles("D:\\Desktop\\"), ElementsAre("memo.txt"));
}

// A journal is finished only when it agrees with LastUse and the desks; one that already happened needs only
// removing, and one that does not agree is set aside and never acted on.
TEST_F(SwapDeskTest, AJournalIsActedOnOnlyWhenItAgreesWithLastUse) {
    struct Case {
        const char* what;
        int lastUse;
        int to;
        bool finished;  // desk 2's item on the Desktop afterwards
        bool setAside;
    };
    const Case cases[] = {
        {"cut off in storing", 0, 2, true, false},
        {"LastUse names its target already", 2, 2, false, false},
        {"LastUse names a third desk", 1, 2, false, true},
        {"its target has no name", 0, 5, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform machine;
        SharedState fresh;
        fresh.programDir = machine.programDir;
        fresh.desktopFolder = kDesktop;
        fresh.deskTable = state.deskTable;
        fresh.deskTable[5] = {};
        for (int d = 0; d < kDeskCount; ++d)
            EXPECT_TRUE(machine.makeFolder(desk(d)));
        machine.writeFile(onDesktop("on screen.txt"), "the Desktop's");
        machine.writeFile(desk(0) + "stored.txt", "desk 0's only copy");
        machine.writeFile(desk(c.to) + "entering.txt", "desk 2's");
        EXPECT_TRUE(writeSwitchJournal(machine, fresh, {0, c.to, SwitchPhase::Storing, "", {}}));
        fresh.currentDesk = static_cast<std::int16_t>(c.lastUse);

        StoreReport report;
        finishInterruptedSwitch(machine, fresh, report);
        EXPECT_FALSE(machine.exists(switchJournalPath(fresh)));
        EXPECT_EQ(machine.exists(onDesktop("entering.txt")), c.finished);
        EXPECT_EQ(machine.fileContent(desk(0) + "stored.txt"), "desk 0's only copy");
        EXPECT_EQ(report.journalSetAside.empty(), !c.setAside);
        EXPECT_EQ(machine.exists(fresh.programDir + "KORUVAN-unused.jnl"), c.setAside);
    }
}

// Only the program's own temporary files, named with its token, are cleared; a user's file of the name the
// program once used is an item like any other.
TEST_F(SwapDeskTest, OnlyTheProgramsOwnTemporaryFilesAreCleared) {
    state.items.token = "abc";
    (void)writeItemRecord(fake, state.itemRecordPath(), state.items);
    fake.writeFile(onDesktop("~KORUVAN copy.tmp"), "the user's");
    fake.writeFile(onDesktop("~KORUVAN-abc-1.tmp"), "half a copy");
    fake.writeFile(desk(4) + "~KORUVAN-abc-11.tmp", "half a staged copy");
    fake.writeFile(desk(4) + "~KORUVAN-other-1.tmp", "not ours");
    start();
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("~KORUVAN copy.tmp"));
    EXPECT_THAT(plainFiles(desk(4)), ElementsAre("~KORUVAN-other-1.tmp"));
    swap(0, 1);
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("~KORUVAN copy.tmp"));
}

TEST_F(SwapDeskTest, StartUpPutsBackOnlyWhatTheDesktopLacks) {
    fake.writeFile(onDesktop("memo.txt"), "edited today");
    fake.writeFile(desk(0) + "memo.txt", "as entered");
    fake.writeFile(desk(0) + "deleted.txt", "deleted since");
    fake.writeFile(onDesktop("ｉｎｉ.txt"), "hidden live file");
    fake.makeHidden(onDesktop("ｉｎｉ.txt"));
    fake.writeFile(desk(0) + "ＩＮＩ.TXT", "stored file of the same name");

    start();
    EXPECT_EQ(fake.fileContent(onDesktop("memo.txt")), "edited today");
    EXPECT_EQ(fake.fileContent(onDesktop("deleted.txt")), "deleted since");
    EXPECT_EQ(fake.fileContent(onDesktop("ＩＮＩ.TXT")), "hidden live file");
    EXPECT_EQ(fake.fileContent(onDesktop("ＩＮＩ (2).TXT")), "stored file of the same name");
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("deleted.txt", "memo.txt", "ＩＮＩ (2).TXT"));
}

}  // namespace
}  // namespace koruvan
