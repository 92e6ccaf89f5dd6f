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
    // Every item gone and nothing recorded: a case of a table starts where the fixture does.
    void startAfresh() {
        fake.heldFiles.clear();
        fake.unlistableFolders.clear();
        for (int index = -1; index < kDeskCount; ++index) {
            const std::string folder = index < 0 ? std::string(kDesktop) : desk(index);
            for (const std::string& name : fake.filesIn(folder))
                EXPECT_TRUE(fake.deleteFile(folder + name));
        }
        (void)fake.deleteFile(state.itemRecordPath());
        (void)fake.deleteFile(switchJournalPath(state));
        state.items = {};
        state.currentDesk = 0;
        state.storeUnsettled = false;
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
        const char* damaged = nullptr;  // the journal's text instead of a switch to `to`
    };
    const Case cases[] = {
        {"cut off in storing", 0, 2, true, false},
        {"LastUse names its target already", 2, 2, false, false},
        {"LastUse names a third desk", 1, 2, false, true},
        {"its target has no name", 0, 5, false, true},
        {"its text damaged", 0, 2, false, true, "[Switch]\r\nFrom=0\r\nTo=2\r\nPhase=9\r\n"},
        {"not a journal at all", 0, 2, false, true, "\xFF\xFE\x00"},
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
        if (c.damaged) machine.writeFile(switchJournalPath(fresh), encodeProfileText(c.damaged));
        fresh.currentDesk = static_cast<std::int16_t>(c.lastUse);

        StoreReport report;
        finishInterruptedSwitch(machine, fresh, report);
        EXPECT_FALSE(machine.exists(switchJournalPath(fresh)));
        EXPECT_EQ(machine.exists(onDesktop("entering.txt")), c.finished);
        EXPECT_EQ(machine.fileContent(desk(0) + "stored.txt"), "desk 0's only copy");
        EXPECT_EQ(report.journalSetAside.empty(), !c.setAside);
        EXPECT_EQ(report.journalUnreadable, c.damaged != nullptr);
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

// Desks 0 and 1 both hold x.txt. Desk 0's is held open during a switch to 1, so desk 1's comes in as
// "x (2).txt"; released, the user deletes x.txt and renames desk 1's file. A file is known by its identity:
// desk 1's stays desk 1's under its new name, and desk 0 keeps its own.
TEST_F(SwapDeskTest, AFileLeftBehindIsKnownByItsIdentityNotItsName) {
    for (const char* renamed : {"x.txt", "y.txt"}) {
        SCOPED_TRACE(renamed);
        startAfresh();
        fake.writeFile(desk(0) + "x.txt", "desk 0's");
        fake.writeFile(desk(1) + "x.txt", "desk 1's");
        start();
        fake.heldFiles = {onDesktop("x.txt")};
        swap(0, 1);
        fake.heldFiles.clear();
        ASSERT_THAT(plainFiles(kDesktop), ElementsAre("x (2).txt", "x.txt"));
        EXPECT_TRUE(fake.deleteFile(onDesktop("x.txt")));
        EXPECT_TRUE(fake.moveFile(onDesktop("x (2).txt"), onDesktop(renamed)));

        swap(1, 0);
        EXPECT_THAT(plainFiles(desk(1)), ElementsAre(renamed));
        EXPECT_EQ(fake.fileContent(desk(1) + renamed), "desk 1's");
        EXPECT_EQ(fake.fileContent(desk(0) + "x.txt"), "desk 0's");
        EXPECT_THAT(plainFiles(kDesktop), ElementsAre("x.txt"));
        EXPECT_EQ(fake.fileContent(onDesktop("x.txt")), "desk 0's");
        swap(0, 1);
        EXPECT_THAT(plainFiles(kDesktop), ElementsAre(renamed));
        EXPECT_EQ(fake.fileContent(onDesktop(renamed)), "desk 1's");
    }
}

// Items renamed on the Desktop while KORUVAN was not running, a case-only rename of full-width letters among
// them: the start knows each by its identity and keeps its new name, with no second name brought back.
TEST_F(SwapDeskTest, ARenameWhileTheProgramIsNotRunningKeepsTheNewName) {
    fake.writeFile(desk(0) + "memo.txt", "memo");
    fake.writeFile(desk(0) + "ｐｌａｎ.txt", "plan");
    start();
    EXPECT_TRUE(fake.moveFile(onDesktop("memo.txt"), onDesktop("notes.txt")));
    EXPECT_TRUE(fake.moveFileNoReplace(onDesktop("ｐｌａｎ.txt"), onDesktop("ＰＬＡＮ.txt")));

    start();
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("notes.txt", "ＰＬＡＮ.txt"));
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("notes.txt", "ＰＬＡＮ.txt"));
    swap(0, 1);
    swap(1, 0);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("notes.txt", "ＰＬＡＮ.txt"));
    EXPECT_EQ(fake.fileContent(onDesktop("notes.txt")), "memo");
}

// A program saves the item by writing a new file and renaming it over the item, just after the switch listed
// the Desktop: the save is the item's newest version, stored; it is never deleted as the stored copy's other
// name.
TEST_F(SwapDeskTest, ASaveDuringTheSwitchIsStoredNotDeleted) {
    fake.writeFile(desk(0) + "memo.txt", "as placed");
    start();  // memo.txt on the Desktop is a second name of the stored one
    bool saved = false;
    fake.beforeWrite = [&](const std::string&) {
        if (saved) return;
        saved = true;
        fake.writeFile(onDesktop("memo.tmp"), "saved during the switch");
        EXPECT_TRUE(fake.moveFile(onDesktop("memo.tmp"), onDesktop("memo.txt")));
    };
    swap(0, 1);
    EXPECT_TRUE(saved);
    EXPECT_EQ(fake.fileContent(desk(0) + "memo.txt"), "saved during the switch");
    EXPECT_THAT(plainFiles(kDesktop), IsEmpty());
}

// A switch cut off while placing, then a start that cannot reach the Desktop (not there yet, or not
// listable): the start changes nothing and keeps the journal; once the Desktop is back, the first switch
// finishes the cut-off one before it moves anything, and no item is lost.
TEST_F(SwapDeskTest, AStartWithoutTheDesktopLeavesTheCutOffSwitchForLater) {
    for (const bool listable : {false, true}) {
        SCOPED_TRACE(listable ? "there but not listable" : "not there");
        startAfresh();
        fake.writeFile(desk(0) + "stored.txt", "desk 0's, placed");
        fake.writeFile(desk(2) + "c.txt", "desk 2's");
        fake.writeFile(desk(2) + "d.txt", "desk 2's too");
        start();
        fake.writeFile(onDesktop("made today.txt"), "desk 0's, only here");
        fake.crashAtOperation = fake.fileOperations + 5;  // the journal, two items, the journal, one placed
        EXPECT_THROW(swap(0, 2), testing::SimulatedCrash);
        fake.crashAtOperation.reset();

        const std::filesystem::path desktop = fake.hostPath(kDesktop);
        const std::filesystem::path away = desktop.string() + " away";
        if (listable) {
            fake.unlistableFolders = {kDesktop};
        } else {
            std::filesystem::rename(desktop, away);
        }
        start();
        EXPECT_TRUE(fake.exists(switchJournalPath(state)));
        EXPECT_EQ(state.currentDesk, 0);
        EXPECT_TRUE(state.storeUnsettled);
        fake.unlistableFolders.clear();
        if (!listable) std::filesystem::rename(away, desktop);

        swap(state.currentDesk, 1);
        EXPECT_EQ(state.currentDesk, 1);
        EXPECT_THAT(plainFiles(kDesktop), IsEmpty());
        EXPECT_THAT(plainFiles(desk(0)), ElementsAre("made today.txt", "stored.txt"));
        EXPECT_EQ(fake.fileContent(desk(0) + "made today.txt"), "desk 0's, only here");
        EXPECT_THAT(plainFiles(desk(2)), ElementsAre("c.txt", "d.txt"));
        EXPECT_FALSE(fake.exists(switchJournalPath(state)));
    }
}

// The placing step cannot be recorded (the journal's second write fails): a crash while placing would file
// desk 2's items under desk 0, so the switch is taken back and says why.
TEST_F(SwapDeskTest, APlacingStepThatCannotBeRecordedTakesTheSwitchBack) {
    fake.writeFile(desk(0) + "a.txt", "desk 0's");
    fake.writeFile(desk(2) + "c.txt", "desk 2's");
    start();
    int journalWrites = 0;
    fake.beforeWrite = [&](const std::string& path) {
        fake.failWrites = path == switchJournalPath(state) && ++journalWrites == 2;
    };
    StoreReport report;
    EXPECT_FALSE(swapDesk(fake, state, 0, 2, report));
    fake.beforeWrite = nullptr;
    fake.failWrites = false;
    EXPECT_EQ(report.journalUnwritable, FileError::Denied);
    EXPECT_THAT(plainFiles(kDesktop), ElementsAre("a.txt"));
    EXPECT_THAT(plainFiles(desk(0)), ElementsAre("a.txt"));
    EXPECT_THAT(plainFiles(desk(2)), ElementsAre("c.txt"));
    EXPECT_FALSE(fake.exists(switchJournalPath(state)));
    EXPECT_EQ(state.currentDesk, 0);
}

// Desk 0's folder holds memo.txt and every numbered name up to the last the search tries: a new memo.txt on
// the Desktop has no name to be stored under, so it stays, and no stored item is replaced.
TEST_F(SwapDeskTest, ANewFileWithoutAFreeStoredNameStaysAndReplacesNothing) {
    start();
    for (int number = 1; number <= kLastNumberedName; ++number)
        fake.writeFile(desk(0) + (number == 1 ? "memo.txt" : numberedName("memo.txt", number)), "stored");
    fake.writeFile(onDesktop("memo.txt"), "made today");
    const StoreReport report = swap(0, 1);
    EXPECT_EQ(report.leftBehind, (std::vector<ItemProblem>{{"memo.txt", 0, FileError::Exists}}));
    EXPECT_EQ(fake.fileContent(onDesktop("memo.txt")), "made today");
    EXPECT_EQ(plainFiles(desk(0)).size(), static_cast<std::size_t>(kLastNumberedName));
    for (const std::string& name : plainFiles(desk(0)))
        EXPECT_EQ(fake.fileContent(desk(0) + name), "stored") << name;
}

}  // namespace
}  // namespace koruvan
