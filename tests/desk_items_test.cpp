#include "store/desk_items.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake/fake_platform.h"
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

TEST(GiveFolderItems, TheDesksItemsJoinThePoolWithoutReplacingAny) {
    FakePlatform fake;
    fake.makeFolder(kPool);
    fake.writeFile(std::string(kPool) + "memo.txt", "the pool's memo");
    fake.writeFile(std::string(kPool) + "memo (2).txt", "another memo");
    fake.writeFile(std::string(kPool) + "Tool.lnk", "link");
    fake.writeFile(std::string(kDesk3) + "MEMO.txt", "desk 3's memo");
    fake.writeFile(std::string(kDesk3) + "tool.lnk", "link");  // the same file: not kept twice
    fake.writeFile(std::string(kDesk3) + "plan.txt", "plan");
    fake.writeFile(std::string(kDesk3) + "locked.txt", "in use");
    fake.failingCopies.insert(std::string(kDesk3) + "locked.txt");

    EXPECT_EQ(giveFolderItems(fake, kDesk3, kPool), 1);
    EXPECT_THAT(fake.filesIn(kPool),
                ElementsAre("MEMO (3).txt", "Tool.lnk", "memo (2).txt", "memo.txt", "plan.txt"));
    EXPECT_EQ(fake.fileContent(std::string(kPool) + "memo.txt"), "the pool's memo");
    EXPECT_EQ(fake.fileContent(std::string(kPool) + "MEMO (3).txt"), "desk 3's memo");
    EXPECT_THAT(fake.filesIn(kDesk3), ElementsAre("locked.txt"));  // it stays rather than be lost
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

TEST(PlaceItem, ADesksItemComesAsALinkWhereTheVolumeAllowsElseAsACopy) {
    constexpr const char* kDesktop = "C:\\Desktop\\";
    struct Case {
        const char* why;
        bool failLinks;
        bool readOnly;
        Placement placement;
        bool linked;
    };
    const Case cases[] = {
        {"one volume", false, false, Placement::LinkOrCopy, true},
        {"another volume, or no links", true, false, Placement::LinkOrCopy, false},
        {"read-only: its other names would lose the attribute", false, true, Placement::LinkOrCopy, false},
        {"a pool item: desks never share one file", false, false, Placement::Copy, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FakePlatform fake;
        fake.makeFolder(kDesktop);
        fake.writeFile(std::string(kDesk3) + "plan.txt", "plan");
        if (c.readOnly) fake.setAttributes(std::string(kDesk3) + "plan.txt", testing::kReadOnly);
        fake.failLinks = c.failLinks;
        ASSERT_TRUE(placeItem(fake, kDesk3, "plan.txt", kDesktop, c.placement));
        EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "plan.txt"), "plan");
        EXPECT_EQ(linked(fake, kDesk3, kDesktop, "plan.txt"), c.linked);
        EXPECT_THAT(fake.filesIn(kDesktop), ElementsAre("plan.txt"));  // no copy left half-way

        // A name taken on the Desktop by another file is never replaced; given, the item takes the next
        // free name.
        fake.deleteFile(std::string(kDesktop) + "plan.txt");
        fake.writeFile(std::string(kDesktop) + "PLAN.txt", "live");
        ASSERT_TRUE(placeItem(fake, kDesk3, "plan.txt", kDesktop, c.placement));
        ASSERT_TRUE(giveItem(fake, kDesk3, "plan.txt", kDesktop, true, c.placement));
        EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "plan.txt"), "live");
        EXPECT_EQ(fake.fileContent(std::string(kDesktop) + "plan (2).txt"), "plan");
    }
}

TEST(ReplaceItems, TheLiveItemsReplaceTheirStoredCopiesAndOneFileIsNeverKeptTwice) {
    constexpr const char* kDesktop = "C:\\Desktop\\";
    FakePlatform fake;
    fake.writeFile(std::string(kDesk3) + "same.txt", "entered, unchanged");
    fake.linkFile(std::string(kDesk3) + "same.txt", std::string(kDesktop) + "same.txt");
    fake.writeFile(std::string(kDesk3) + "edited.txt", "as entered");
    fake.writeFile(std::string(kDesktop) + "edited.txt", "saved anew");
    fake.writeFile(std::string(kDesk3) + "kept.txt", "read-only copy");
    fake.setAttributes(std::string(kDesk3) + "kept.txt", testing::kReadOnly);
    fake.writeFile(std::string(kDesktop) + "KEPT.txt", "live");
    fake.writeFile(std::string(kDesktop) + "new.txt", "made on the desk");

    replaceItems(fake, kDesktop, kDesk3);
    EXPECT_THAT(fake.filesIn(kDesktop), IsEmpty());
    EXPECT_THAT(fake.filesIn(kDesk3), ElementsAre("KEPT.txt", "edited.txt", "new.txt", "same.txt"));
    EXPECT_EQ(fake.fileContent(std::string(kDesk3) + "same.txt"), "entered, unchanged");
    EXPECT_EQ(fake.fileContent(std::string(kDesk3) + "edited.txt"), "saved anew");
    EXPECT_EQ(fake.fileContent(std::string(kDesk3) + "KEPT.txt"), "live");
}

TEST(SwitchJournal, ReadsBackWhatWasWrittenAndNothingElse) {
    FakePlatform fake;
    SharedState state;
    state.programDir = fake.programDir;
    fake.makeFolder(fake.programDir);
    const SwitchJournal written{3, 7, SwitchPhase::Placing};
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
