// A desk switch cut off after every file operation (or a dense sample of them), then a fresh start of the
// program on the files as the crash left them: the Desktop holds exactly the items of the desk that LastUse
// names, every other desk's folder holds its own items, and no item is lost, with its content.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bar/desk_bar.h"
#include "fake/fake_bar_view.h"
#include "fake/fake_platform.h"
#include "store/appearance.h"
#include "store/profile_encoding.h"
#include "store/profile_file.h"
#include "store/startup.h"
#include "store/switch_journal.h"

namespace koruvan::testing {
namespace {

constexpr const char* kDesktop = "C:\\Users\\user\\Desktop\\";
constexpr const char* kDesk0 = "C:\\KORUVAN\\dsk0\\";
constexpr const char* kDesk2 = "C:\\KORUVAN\\dsk2\\";

using Files = std::map<std::string, std::string>;  // name -> content

// Desk 0 is current: its live items are on the Desktop, its folder holds them as they were when it was
// entered (older contents, and items the user has deleted since). Unchanged items are one file under two
// names where the machine makes links, as entering the desk left them. Desk 2 shares two names with desk 0,
// one only in case ("Ａ.txt" and "ａ.txt" are one file to Windows).
struct Desks {
    Files desk0Live;
    Files desk0Entered;
    Files desk2;
};

Desks makeDesks(int items) {
    Desks desks;
    for (int i = 0; i < items; ++i) {
        const std::string n = std::to_string(i);
        desks.desk0Entered["item" + n + ".lnk"] = "desk 0 item " + n;
        desks.desk0Live["item" + n + ".lnk"] = "desk 0 item " + n + (i % 2 ? ", edited" : "");
        desks.desk2["項目" + n + ".lnk"] = "desk 2 item " + n;
    }
    for (int i = 0; i < items / 10 + 1; ++i)
        desks.desk0Entered["deleted" + std::to_string(i) + ".txt"] = "deleted from the Desktop";
    desks.desk0Live["shared.txt"] = desks.desk0Entered["shared.txt"] = "desk 0's";
    desks.desk2["shared.txt"] = "desk 2's";
    desks.desk0Live["Ａ.txt"] = desks.desk0Entered["Ａ.txt"] = "desk 0's full-width A";
    desks.desk2["ａ.txt"] = "desk 2's full-width a";
    return desks;
}

Files filesIn(FakePlatform& fake, const std::string& folder) {
    Files files;
    for (const std::string& name : fake.filesIn(folder))
        files[name] = fake.fileContent(folder + name);
    return files;
}

// A machine with KORUVAN installed and desk 0 current.
std::unique_ptr<FakePlatform> makeMachine(const Desks& desks, bool links) {
    auto fake = std::make_unique<FakePlatform>();
    fake->failLinks = !links;
    fake->setRegistry(kShellFoldersKey, "Desktop", "C:\\Users\\user\\Desktop");
    fake->setRegistry(kDesktopKey, "Wallpaper", "");
    fake->setRegistry(kColorsKey, "Background", "0 128 128");
    for (int desk = 0; desk < kDeskCount; ++desk)
        EXPECT_TRUE(fake->makeFolder(fake->programDir + "dsk" + std::to_string(desk) + "\\"));
    EXPECT_TRUE(fake->makeFolder(kDesktop));
    fake->writeFile(fake->programDir + "KORUVAN.ini",
                    encodeProfileText("[User]\r\nLastUse=0\r\nSizeNum=0\r\n[DeskTop]\r\n0=仕事,,,,0\r\n"
                                      "2=趣味,C:\\pics\\hobby.bmp,,,0\r\n"));
    for (const auto& [name, content] : desks.desk0Entered)
        fake->writeFile(kDesk0 + name, content);
    for (const auto& [name, content] : desks.desk0Live) {
        const auto entered = desks.desk0Entered.find(name);
        if (entered == desks.desk0Entered.end() || entered->second != content ||
            !fake->linkFile(kDesk0 + name, kDesktop + name)) {
            fake->writeFile(kDesktop + name, content);
        }
    }
    for (const auto& [name, content] : desks.desk2)
        fake->writeFile(kDesk2 + name, content);
    return fake;
}

// One run of the program, from its start.
struct Program {
    explicit Program(FakePlatform& fake) : bar(fake, state, view, view, view) {
        startAsOnlyInstance(fake, state);
        bar.load(96, 96);
    }
    SharedState state;
    FakeBarView view;
    DeskBar bar;
};

// Runs the program until its crash; false when it ran through without reaching the operation. In the session
// the user deletes the items that only desk 0's stored copy still has, then clicks desk 2.
bool runUntilCrash(FakePlatform& fake, const Desks& desks, int operation, bool halfWay, bool session) {
    bool crashed = false;
    try {
        Program program(fake);
        if (session) {
            for (const auto& [name, content] : desks.desk0Entered) {
                if (desks.desk0Live.count(name) == 0) {
                    EXPECT_TRUE(fake.deleteFile(kDesktop + name));
                }
            }
            fake.crashAtOperation = fake.fileOperations + operation;
            fake.crashHalfWay = halfWay;
            program.bar.onDeskClicked(2);
        }
    } catch (const SimulatedCrash&) {
        crashed = true;
    }
    fake.crashAtOperation.reset();
    return crashed;
}

std::string differences(const std::string& where, const Files& expected, const Files& actual) {
    std::string text;
    for (const auto& [name, content] : expected) {
        const auto it = actual.find(name);
        if (it == actual.end())
            text += where + " lacks " + name + "; ";
        else if (it->second != content)
            text += where + " has a changed " + name + "; ";
    }
    for (const auto& [name, content] : actual) {
        if (expected.count(name) == 0) text += where + " has a stray " + name + "; ";
    }
    return text;
}

// The state a start must leave after a cut-off switch from desk 0 to desk 2; empty when it holds.
std::string invariantViolations(FakePlatform& fake, const Desks& desks, int lastUse) {
    if (fake.exists("C:\\KORUVAN\\KORUVAN.jnl")) return "the journal is still there";
    const Files desktop = filesIn(fake, kDesktop);
    if (lastUse == 2) {
        return differences("the Desktop", desks.desk2, desktop) +
               differences("dsk0", desks.desk0Live, filesIn(fake, kDesk0)) +
               differences("dsk2", desks.desk2, filesIn(fake, kDesk2));
    }
    if (lastUse != 0) return "LastUse is " + std::to_string(lastUse);
    // Cut off before the switch was recorded: nothing moved, and the start put the deleted items back, all
    // but those whose stored copies the switch had already discarded (it discards them before anything moves,
    // and needs no record for that).
    Files expected = desks.desk0Entered;
    Files entered = desks.desk0Entered;
    for (const auto& [name, content] : desks.desk0Entered) {
        if (desks.desk0Live.count(name) == 0 && desktop.count(name) == 0) {
            expected.erase(name);
            entered.erase(name);
        }
    }
    for (const auto& [name, content] : desks.desk0Live)
        expected[name] = content;
    return differences("the Desktop", expected, desktop) +
           differences("dsk0", entered, filesIn(fake, kDesk0)) +
           differences("dsk2", desks.desk2, filesIn(fake, kDesk2));
}

struct Sweep {
    int items = 0;
    int step = 1;             // every step-th operation is interrupted
    bool halfWay = false;     // the interrupted operation is left half-done
    bool crashAgain = false;  // the first start after the crash is cut off too
    bool links = true;        // the volume makes hard links
};

// Returns the number of operations interrupted.
int sweepSwitch(const Sweep& sweep) {
    const Desks desks = makeDesks(sweep.items);
    int interrupted = 0;
    std::string failures;
    for (int operation = 1;; operation += sweep.step) {
        auto fake = makeMachine(desks, sweep.links);
        if (!runUntilCrash(*fake, desks, operation, sweep.halfWay, true)) break;
        ++interrupted;
        if (sweep.crashAgain) {
            fake->crashAtOperation = fake->fileOperations + 1 + operation % 23;
            runUntilCrash(*fake, desks, 0, sweep.halfWay, false);
        }
        const Program restart(*fake);
        const int lastUse = ProfileFile(*fake, restart.state.settingsPath()).readInt("User", "LastUse", -1);
        const std::string violations = invariantViolations(*fake, desks, lastUse);
        if (!violations.empty() && failures.size() < 2000)
            failures += "cut off after operation " + std::to_string(operation) + ": " + violations + "\n";
        if (restart.state.currentDesk != lastUse) failures += "currentDesk differs from LastUse\n";
    }
    EXPECT_EQ(failures, "");
    std::printf("[ crash ] %d items a desk%s: %d operations interrupted%s%s\n", sweep.items,
                sweep.links ? "" : ", copied", interrupted, sweep.halfWay ? " half-way" : "",
                sweep.crashAgain ? ", each start after it cut off too" : "");
    return interrupted;
}

// Each sweep also counts what it covered: a switch that did far less work than its items need would pass
// without testing much.
TEST(CrashSafety, ASwitchCutOffAfterAnyOperationIsFinishedByTheNextStart) {
    EXPECT_GT(sweepSwitch({.items = 12}), 30);
    EXPECT_GT(sweepSwitch({.items = 12, .halfWay = true, .crashAgain = true}), 30);
    EXPECT_GT(sweepSwitch({.items = 12, .links = false}), 40);
    EXPECT_GT(sweepSwitch({.items = 12, .halfWay = true, .crashAgain = true, .links = false}), 40);
}

TEST(CrashSafety, ASwitchOfHundredsOfItemsCutOffAtADenseSample) {
    EXPECT_GT(sweepSwitch({.items = 300, .step = 41}), 12);
    EXPECT_GT(sweepSwitch({.items = 300, .step = 157, .halfWay = true, .links = false}), 4);
}

}  // namespace
}  // namespace koruvan::testing
