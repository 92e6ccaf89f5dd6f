// A desk is known by its identity, never by its slot: nothing the store recorded about a deleted desk (its
// pool copies, its files left on the Desktop) passes to a later desk of the slot, not even after a fresh
// start.
#include "store/desk_identity.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "bar_fixture.h"
#include "store/desk_arrangement.h"
#include "store/profile_encoding.h"
#include "store/profile_file.h"

namespace koruvan::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kDesktop = "C:\\Users\\user\\Desktop\\";
constexpr const char* kPool = "C:\\KORUVAN\\DskTop\\";
const std::string kItem = "新しいテキスト ドキュメント.txt";
const std::string kNumbered = "新しいテキスト ドキュメント (2).txt";

std::string desk(int slot) {
    return "C:\\KORUVAN\\dsk" + std::to_string(slot) + "\\";
}

// A machine with KORUVAN installed: its desk folders, the pool, and the settings file `ini`.
std::unique_ptr<FakePlatform> machineWith(const std::string& ini) {
    auto fake = std::make_unique<FakePlatform>();
    fake->setRegistry(kDesktopKey, "Wallpaper", "");
    fake->setRegistry(kColorsKey, "Background", "0 128 128");
    EXPECT_TRUE(fake->makeFolder(kDesktop));
    EXPECT_TRUE(fake->makeFolder(kPool));
    for (int slot = 0; slot < kDeskCount; ++slot)
        EXPECT_TRUE(fake->makeFolder(desk(slot)));
    fake->writeFile(fake->programDir + "KORUVAN.ini", encodeProfileText(ini));
    return fake;
}

constexpr const char* kTwoDesks = "[User]\r\nLastUse=0\r\n[DeskTop]\r\n0=仕事,,,,0\r\n1=趣味,,,,0\r\n";

// Desk 1's item lives only in the pool once desk 1 is deleted; the next desk of slot 1 has a file of the same
// name, which it gives up or hands to the pool: the first one stays, whole.
TEST(DeskIdentityTest, ALaterDeskOfTheSlotNeverReplacesADeletedDesksPoolCopy) {
    const std::pair<const char*, std::function<void(ProgramRun&)>> endings[] = {
        {"the later desk deleted", [](ProgramRun& p) { p.deleteDesk(1); }},
        {"its item taken away in the organiser",
         [](ProgramRun& p) {
             StoreReport report;
             (void)arrangeDesk(p.platform, p.state, 1, {}, std::nullopt, report);
         }},
        {"its item kept in the organiser",
         [](ProgramRun& p) {
             StoreReport report;
             (void)arrangeDesk(p.platform, p.state, 1, {kItem}, std::nullopt, report);
         }},
    };
    for (const auto& [what, ending] : endings) {
        SCOPED_TRACE(what);
        const auto machine = machineWith(kTwoDesks);
        machine->writeFile(desk(1) + kItem, "A, only in desk 1");
        ProgramRun program(*machine);
        program.deleteDesk(1);
        program.makeDesk(1, "新しい");
        machine->writeFile(desk(1) + kItem, "B, the later desk's");
        ending(program);
        EXPECT_EQ(machine->fileContent(kPool + kItem), "A, only in desk 1");
        EXPECT_EQ(machine->fileContent(kPool + kNumbered), "B, the later desk's");
    }
}

// A file desk 1 left on the Desktop (held open when the user left it) belongs to no desk once desk 1 is
// deleted: released, it goes to the pool, not into the later desk of slot 1.
TEST(DeskIdentityTest, AFileADeletedDeskLeftOnTheDesktopGoesToThePool) {
    for (const bool restart : {false, true}) {
        SCOPED_TRACE(restart ? "at the next start" : "at the next switch");
        const auto owned = machineWith("[User]\r\nLastUse=1\r\n[DeskTop]\r\n0=仕事,,,,0\r\n1=趣味,,,,0\r\n");
        FakePlatform& machine = *owned;
        machine.writeFile(kDesktop + std::string("draft.txt"), "desk 1's draft");
        machine.heldFiles.insert(kDesktop + std::string("draft.txt"));
        auto program = std::make_unique<ProgramRun>(machine);
        program->bar.onDeskClicked(0);  // the draft stays, desk 1's
        program->deleteDesk(1);
        program->makeDesk(1, "新しい");
        machine.heldFiles.clear();
        if (restart) program = std::make_unique<ProgramRun>(machine);
        program->bar.onDeskClicked(1);
        EXPECT_EQ(machine.fileContent(kPool + std::string("draft.txt")), "desk 1's draft");
        EXPECT_TRUE(machine.filesIn(desk(1)).empty());
        EXPECT_TRUE(machine.filesIn(kDesktop).empty());
    }
}

// A fresh start (KORUVAN.ini deleted) while desk 1 is on screen and desk 0 has a file left on the Desktop:
// each folder that holds items is a desk again under its identity, the start resumes at desk 1, and no item
// moves to another desk.
TEST(DeskIdentityTest, AFreshStartKeepsTheRecordAndGivesEachFolderItsDeskBack) {
    const auto machine =
        machineWith("[User]\r\nLastUse=0\r\n[DeskTop]\r\n0=仕事,,,,0\r\n1=趣味,,,,0\r\n3=旅行,,,,0\r\n");
    FakePlatform& fake = *machine;
    fake.writeFile(desk(0) + "a.txt", "desk 0's");
    fake.writeFile(desk(1) + "b.txt", "desk 1's");
    fake.writeFile(desk(3) + "c.txt", "desk 3's");
    fake.writeFile(kDesktop + std::string("held.txt"), "desk 0's, held open");
    DeskId ids[kDeskCount]{};
    {
        ProgramRun before(fake);
        fake.heldFiles.insert(kDesktop + std::string("held.txt"));
        before.bar.onDeskClicked(1);
        for (int slot = 0; slot < kDeskCount; ++slot)
            ids[slot] = deskIdAt(before.state, slot);
    }
    fake.heldFiles.clear();
    ASSERT_TRUE(fake.deleteFile(fake.programDir + "KORUVAN.ini"));

    ProgramRun after(fake);
    EXPECT_EQ(after.state.currentDesk, 1);
    EXPECT_EQ(after.state.deskTable[0].name, "デスクトップ");
    EXPECT_EQ(after.state.deskTable[1].name, "dsk1");
    EXPECT_EQ(after.state.deskTable[3].name, "dsk3");
    EXPECT_FALSE(after.state.deskTable[2].exists());
    for (const int slot : {0, 1, 3})
        EXPECT_EQ(deskIdAt(after.state, slot), ids[slot]) << slot;
    EXPECT_THAT(fake.filesIn(kDesktop), ElementsAre("b.txt"));
    EXPECT_THAT(fake.filesIn(desk(0)), ElementsAre("a.txt", "held.txt"));
    EXPECT_THAT(fake.filesIn(desk(1)), ElementsAre("b.txt"));

    after.makeDesk(2, "新しい");
    EXPECT_GT(deskIdAt(after.state, 2), *std::max_element(std::begin(ids), std::end(ids)));
    EXPECT_TRUE(fake.filesIn(desk(2)).empty());
}

// A store kept by the earlier version names desks by slot: the first start gives each desk its identity,
// written beside its line, and the record's entries follow their slots' desks, so a file desk 2 left on the
// Desktop still goes home.
TEST(DeskIdentityTest, TheEarlierVersionsRecordIsReadBySlot) {
    const auto machine = machineWith("[User]\r\nLastUse=0\r\n[DeskTop]\r\n0=仕事,,,,0\r\n2=趣味,,,,0\r\n");
    machine->writeFile(kDesktop + std::string("draft.txt"), "desk 2's, left behind");
    machine->writeFile("C:\\KORUVAN\\KORUVAN.items",
                       "KORUVAN items 1\r\ntoken\tab\r\ndesktop\tdraft.txt\t2\tdraft.txt\r\n");
    ProgramRun run(*machine);
    EXPECT_EQ(machine->fileContent(desk(2) + "draft.txt"), "desk 2's, left behind");
    EXPECT_TRUE(machine->filesIn(kDesktop).empty());
    const DeskId id = deskIdAt(run.state, 2);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, deskIdAt(run.state, 0));
    EXPECT_EQ(ProfileFile(*machine, "C:\\KORUVAN\\KORUVAN.ini").readString("DeskIds", "2", ""),
              std::to_string(id));
}

}  // namespace
}  // namespace koruvan::testing
