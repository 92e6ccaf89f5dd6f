#include "store/desk_items.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "store/file_compare.h"
#include "store/item_record.h"
#include "store/pool.h"
#include "store/profile_encoding.h"
#include "store/switch_journal.h"

namespace koruvan {
namespace {

using ::testing::ElementsAre;
using testing::FakePlatform;
using ::testing::IsEmpty;

constexpr const char* kPool = "C:\\KORUVAN\\DskTop\\";
constexpr const char* kDesk3 = "C:\\KORUVAN\\dsk3\\";

TEST(NumberedName, GoesBeforeTheExtension) {
    EXPECT_EQ(numberedName("report.doc", 2), "report (2).doc");
    EXPECT_EQ(numberedName("archive.tar.gz", 3), "archive.tar (3).gz");
    EXPECT_EQ(numberedName("README", 2), "README (2)");
    EXPECT_EQ(numberedName(".profile", 2), ".profile (2)");
}

// Whether the two names are one file, as the listing tells.
bool linked(FakePlatform& fake, const std::string& folderA, const std::string& folderB,
            const std::string& name) {
    const auto find = [&](const std::string& folder) {
        for (const PlainFile& file : fake.listPlainFileIdentities(folder))
            if (file.name == name) return file;
        return PlainFile{};
    };
    return sameFile(find(folderA), find(folderB));
}

TEST(PutCopy, ADesksItemComesAsALinkWhereTheDriveAllowsElseAsAWholeCopy) {
    struct Case {
        const char* why;
        const char* desktop;
        bool failLinks;
        bool readOnly;
        Placement placement;
        bool linked;
    };
    const Case cases[] = {
        {"one drive", "C:\\Desktop\\", false, false, Placement::LinkOrCopy, true},
        {"another drive", "D:\\Desktop\\", false, false, Placement::LinkOrCopy, false},
        {"no links on this file system", "C:\\Desktop\\", true, false, Placement::LinkOrCopy, false},
        {"read-only: its other names would lose the attribute", "C:\\Desktop\\", false, true,
         Placement::LinkOrCopy, false},
        {"a pool item: desks never share one file", "C:\\Desktop\\", false, false, Placement::Copy, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FakePlatform fake;
        const std::string desktop = c.desktop;
        EXPECT_TRUE(fake.makeFolder(desktop));
        fake.writeFile(std::string(kDesk3) + "plan.txt", "plan");
        if (c.readOnly) fake.setAttributes(std::string(kDesk3) + "plan.txt", testing::kReadOnly);
        fake.failLinks = c.failLinks;
        const std::string temporary = desktop + "~KORUVAN-0-1.tmp";
        ASSERT_TRUE(
            putCopy(fake, std::string(kDesk3) + "plan.txt", desktop, "plan.txt", c.placement, temporary));
        EXPECT_EQ(fake.fileContent(desktop + "plan.txt"), "plan");
        EXPECT_EQ(linked(fake, kDesk3, desktop, "plan.txt"), c.linked);
        EXPECT_THAT(fake.filesIn(desktop), ElementsAre("plan.txt"));

        // A name taken by another file is never replaced.
        EXPECT_TRUE(fake.deleteFile(desktop + "plan.txt"));
        fake.writeFile(desktop + "PLAN.txt", "live");
        EXPECT_EQ(
            putCopy(fake, std::string(kDesk3) + "plan.txt", desktop, "plan.txt", c.placement, temporary),
            FileResult{FileError::Exists});
        EXPECT_EQ(fake.fileContent(desktop + "plan.txt"), "live");
        EXPECT_THAT(fake.filesIn(desktop), ElementsAre("PLAN.txt"));
    }
}

// A drive too small for the item: nothing under the item's name, no temporary file, and the source intact.
TEST(PutCopy, ACopyThatDoesNotFitLeavesNothingBehind) {
    FakePlatform fake;
    EXPECT_TRUE(fake.makeFolder("D:\\Desktop\\"));
    fake.writeFile(std::string(kDesk3) + "big.iso", std::string(3000, 'x'));
    fake.driveFreeBytes['D'] = 2000;
    EXPECT_EQ(putCopy(fake, std::string(kDesk3) + "big.iso", "D:\\Desktop\\", "big.iso",
                      Placement::LinkOrCopy, "D:\\Desktop\\~KORUVAN-0-1.tmp"),
              FileResult{FileError::Full});
    EXPECT_THAT(fake.filesIn("D:\\Desktop\\"), IsEmpty());
    EXPECT_EQ(moveNoReplace(fake, std::string(kDesk3) + "big.iso", "D:\\Desktop\\", "big.iso",
                            "D:\\Desktop\\~KORUVAN-0-1.tmp"),
              FileResult{FileError::Full});
    EXPECT_THAT(fake.filesIn("D:\\Desktop\\"), IsEmpty());
    EXPECT_EQ(fake.fileContent(std::string(kDesk3) + "big.iso"), std::string(3000, 'x'));
}

TEST(StoreReplacing, TheLiveItemReplacesItsStoredCopyAndOneFileIsNeverKeptTwice) {
    struct Case {
        const char* why;
        const char* desktop;
        bool linked;
        bool readOnlyCopy;
        bool fits;
        bool readOnlyItem = false;  // the item is read-only, and so is its stored copy afterwards
    };
    const Case cases[] = {
        {"saved anew on one drive", "C:\\Desktop\\", false, false, true},
        {"one file under two names", "C:\\Desktop\\", true, false, true},
        {"a read-only stored copy", "C:\\Desktop\\", false, true, true},
        {"from another drive", "D:\\Desktop\\", false, false, true},
        {"another drive, no room for a whole copy", "D:\\Desktop\\", false, false, false},
        {"a read-only item from another drive", "D:\\Desktop\\", false, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FakePlatform fake;
        const std::string desktop = c.desktop;
        fake.writeFile(std::string(kDesk3) + "item.txt", "as entered");
        if (c.linked) {
            EXPECT_TRUE(fake.makeFolder(desktop));
            EXPECT_TRUE(fake.linkFile(std::string(kDesk3) + "item.txt", desktop + "ITEM.txt"));
            fake.writeFile(desktop + "ITEM.txt", "edited in place");
        } else {
            fake.writeFile(desktop + "ITEM.txt", "edited in place");
        }
        if (c.readOnlyCopy) fake.setAttributes(std::string(kDesk3) + "item.txt", testing::kReadOnly);
        if (c.readOnlyItem) fake.setAttributes(desktop + "ITEM.txt", testing::kReadOnly);
        if (!c.fits) fake.freeBytes = 4;
        const std::vector<PlainFile> live = fake.listPlainFileIdentities(desktop);
        const std::vector<PlainFile> stored = fake.listPlainFileIdentities(kDesk3);
        const FileResult result = storeReplacing(
            fake, desktop + "ITEM.txt", kDesk3, "item.txt", std::string(kDesk3) + "~KORUVAN-0-1.tmp",
            sameFile(live[0], stored[0]) ? std::optional<PlainFile>(live[0]) : std::nullopt);
        EXPECT_EQ(static_cast<bool>(result), c.fits);
        EXPECT_THAT(fake.filesIn(kDesk3), ElementsAre("item.txt"));
        EXPECT_EQ(fake.fileContent(std::string(kDesk3) + "item.txt"),
                  c.fits ? "edited in place" : "as entered");
        EXPECT_EQ(fake.filesIn(desktop).empty(), c.fits);
        EXPECT_EQ(fake.isReadOnly(std::string(kDesk3) + "item.txt"),
                  c.readOnlyItem || (c.readOnlyCopy && !c.fits));
    }
}

// The pool keeps one copy of each desk's item: a newer version replaces it, another item of its name never
// does, and a file the user put or changed there by hand is nobody's.
TEST(Pool, HoldsOneCopyOfEachItemAndNeverReplacesAnotherOne) {
    FakePlatform fake;
    SharedState state;
    state.programDir = fake.programDir;
    EXPECT_TRUE(fake.makeFolder(kPool));
    const auto give = [&](int desk, const std::string& content, bool move) {
        const std::string from = deskFolder(state, desk) + "memo.txt";
        fake.writeFile(from, content);
        return addToPool(fake, state, from, desk, "memo.txt", move);
    };
    ASSERT_TRUE(give(3, "desk 3, first", false));
    ASSERT_TRUE(give(3, "desk 3, edited", false));  // the same desk's newer version
    ASSERT_TRUE(give(5, "desk 5's own memo", true));
    ASSERT_TRUE(give(5, "desk 5's own memo", true));  // the same bytes are not kept twice
    fake.writeFile(std::string(kPool) + "memo.txt", "changed by hand");
    ASSERT_TRUE(give(3, "desk 3, edited again", false));
    EXPECT_THAT(fake.filesIn(kPool), ElementsAre("memo (2).txt", "memo (3).txt", "memo.txt"));
    EXPECT_EQ(fake.fileContent(std::string(kPool) + "memo.txt"), "changed by hand");
    EXPECT_EQ(fake.fileContent(std::string(kPool) + "memo (2).txt"), "desk 5's own memo");
    EXPECT_EQ(fake.fileContent(std::string(kPool) + "memo (3).txt"), "desk 3, edited again");
    EXPECT_THAT(fake.filesIn(deskFolder(state, 5)), IsEmpty());

    fake.writeFile(std::string(kDesk3) + "locked.txt", "in use");
    fake.heldFiles.insert(std::string(kDesk3) + "locked.txt");
    EXPECT_EQ(giveDeskToPool(fake, state, 3), 1);
    EXPECT_THAT(fake.filesIn(kDesk3), ElementsAre("locked.txt"));  // it stays rather than be lost
}

TEST(CompareContents, DecidesByIdentityThenSizeThenBlocks) {
    FakePlatform fake;
    const std::string big(600 * 1024, 'a');
    fake.writeFile("C:\\a\\one", big);
    EXPECT_TRUE(fake.linkFile("C:\\a\\one", "C:\\a\\link"));
    fake.writeFile("C:\\a\\copy", big);
    fake.writeFile("C:\\a\\differs at the end", big.substr(0, big.size() - 1) + "b");
    fake.writeFile("C:\\a\\shorter", "a");
    fake.writeFile("C:\\a\\held", big);
    fake.heldFiles.insert("C:\\a\\held");
    const std::pair<const char*, Comparison> cases[] = {
        {"C:\\a\\link", Comparison::Same},       {"C:\\a\\shorter", Comparison::Different},
        {"C:\\a\\copy", Comparison::Same},       {"C:\\a\\differs at the end", Comparison::Different},
        {"C:\\a\\held", Comparison::Unreadable}, {"C:\\a\\none", Comparison::Unreadable},
    };
    for (const auto& [other, expected] : cases) {
        SCOPED_TRACE(other);
        fake.blockReads = 0;
        EXPECT_EQ(compareContents(fake, "C:\\a\\one", other), expected);
        // Identity and size decide without reading; contents are read a block at a time.
        EXPECT_LE(fake.blockReads, 6);
    }
}

TEST(ItemRecord, ReadsBackWhatWasWrittenAndSkipsDamagedLines) {
    ItemRecord record;
    record.token = "00ff";
    record.lastDeskId = 41;
    record.desks = {7, 0, 41, 0, 0, 0, 0, 0, 0, 3};
    record.onDesktop = 41;
    record.lastUseKept = 9;
    setDesktopEntry(record, {"Report (2).doc", 3, "Report.doc", 2, 18446744073709551615u});
    setDesktopEntry(record, {" spaced", 7, " spaced"});
    setPoolEntry(record, {"memo (2).txt", 5, "memo.txt", 17, 1234567890123});
    EXPECT_EQ(parseItemRecord(formatItemRecord(record)), record);

    // The earlier version's record names desks by slot; the start turns them into identities.
    const ItemRecord bySlot = parseItemRecord(
        "KORUVAN items 1\r\ntoken\tab\r\ndesktop\tx.txt\t2\tx.txt\r\n"
        "desktop\ty.txt\t12\ty.txt\r\npool\tp.txt\t4\tp.txt\t1\t2\r\n");
    EXPECT_TRUE(bySlot.slotNumbered);
    EXPECT_EQ(bySlot.desktop.size(), 1u);
    EXPECT_EQ(findDesktopEntry(bySlot, "x.txt")->desk, 2u);
    EXPECT_EQ(findPoolEntry(bySlot, "p.txt")->desk, 4u);

    const std::string damaged = formatItemRecord(record) +
                                "desktop\tx\t10\tx\r\ndesktop\ty\r\npool\ta\t1\ta\t-1\t2\r\n" +
                                "desktop\tz\t2\tsub\\z\r\n";
    EXPECT_EQ(parseItemRecord(damaged), record);
    EXPECT_EQ(parseItemRecord("something else\r\ntoken\tab\r\n"), ItemRecord{});
    EXPECT_TRUE(isTemporaryName(record, "~koruvan-00FF-12.tmp"));
    EXPECT_FALSE(isTemporaryName(record, "~KORUVAN copy.tmp"));
}

TEST(SwitchJournal, ReadsBackWhatWasWrittenAndNothingElse) {
    FakePlatform fake;
    SharedState state;
    state.programDir = fake.programDir;
    EXPECT_TRUE(fake.makeFolder(fake.programDir));
    const SwitchJournal written{
        3, 7, SwitchPhase::Placing, "a1b2", {{"x (2).txt", 3, "x.txt"}, {" y", 0, " y"}}};
    ASSERT_TRUE(writeSwitchJournal(fake, state, written));
    EXPECT_EQ(readSwitchJournal(fake, state), written);

    for (const char* text : {"[Switch]\nFrom=3\nTo=3\nPhase=1", "[Switch]\nFrom=0\nTo=10\nPhase=1",
                             "[Switch]\nFrom=0\nTo=1\nPhase=5", "[Switch]\nTo=1\nPhase=2", "\xFF\xFE\x00"}) {
        SCOPED_TRACE(text);
        fake.writeFile(switchJournalPath(state), encodeProfileText(text));
        EXPECT_EQ(readSwitchJournal(fake, state), std::nullopt);
    }
    EXPECT_TRUE(clearSwitchJournal(fake, state));
    EXPECT_FALSE(fake.exists(switchJournalPath(state)));
    EXPECT_EQ(readSwitchJournal(fake, state), std::nullopt);
}

}  // namespace
}  // namespace koruvan
