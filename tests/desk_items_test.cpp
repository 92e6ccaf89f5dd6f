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
    EXPECT_EQ(NumberedName("report.doc", 2), "report (2).doc");
    EXPECT_EQ(NumberedName("archive.tar.gz", 3), "archive.tar (3).gz");
    EXPECT_EQ(NumberedName("README", 2), "README (2)");
    EXPECT_EQ(NumberedName(".profile", 2), ".profile (2)");
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

    EXPECT_EQ(GiveFolderItems(fake, kDesk3, kPool), 1);
    EXPECT_THAT(fake.filesIn(kPool),
                ElementsAre("MEMO (3).txt", "Tool.lnk", "memo (2).txt", "memo.txt", "plan.txt"));
    EXPECT_EQ(fake.fileContent(std::string(kPool) + "memo.txt"), "the pool's memo");
    EXPECT_EQ(fake.fileContent(std::string(kPool) + "MEMO (3).txt"), "desk 3's memo");
    EXPECT_THAT(fake.filesIn(kDesk3), ElementsAre("locked.txt"));  // it stays rather than be lost
}

TEST(SwitchJournal, ReadsBackWhatWasWrittenAndNothingElse) {
    FakePlatform fake;
    SharedState state;
    state.programDir = fake.programDir;
    fake.makeFolder(fake.programDir);
    const SwitchJournal written{3, 7, SwitchPhase::Placing};
    ASSERT_TRUE(WriteSwitchJournal(fake, state, written));
    EXPECT_EQ(ReadSwitchJournal(fake, state), written);

    for (const char* text : {"[Switch]\nFrom=3\nTo=3\nPhase=1", "[Switch]\nFrom=0\nTo=10\nPhase=1",
                             "[Switch]\nFrom=0\nTo=1\nPhase=5", "[Switch]\nTo=1\nPhase=2", "\xFF\xFE\x00"}) {
        SCOPED_TRACE(text);
        fake.writeFile(SwitchJournalPath(state), EncodeProfileText(text));
        EXPECT_EQ(ReadSwitchJournal(fake, state), std::nullopt);
    }
    EXPECT_TRUE(ClearSwitchJournal(fake, state));
    EXPECT_FALSE(fake.exists(SwitchJournalPath(state)));
    EXPECT_EQ(ReadSwitchJournal(fake, state), std::nullopt);
}

}  // namespace
}  // namespace koruvan
