#include "organiser/arrange_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "fake/fake_arrange_view.h"
#include "fake/fake_platform.h"

namespace koruvan::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kDesktop = "C:\\Users\\user\\Desktop\\";
constexpr const char* kPool = "C:\\KORUVAN\\DskTop\\";
constexpr const char* kDesk0 = "C:\\KORUVAN\\dsk0\\";
constexpr const char* kDesk2 = "C:\\KORUVAN\\dsk2\\";

class ArrangeDialogTest : public ::testing::Test {
  protected:
    ArrangeDialogTest() {
        state.programDir = platform.programDir;
        state.desktopFolder = kDesktop;
        state.currentDesk = 0;
        state.deskTable[0].name = "ホーム";
        state.deskTable[2].name = "趣味";
        for (const char* folder : {kDesktop, kPool, kDesk0, kDesk2})
            EXPECT_TRUE(platform.makeFolder(folder));
        put(kPool, {"a.lnk", "a.url", "memo.txt", "tool"}, "pool");
        put(kDesk2, {"old.txt", "memo.txt"}, "desk 2");
        put(kDesk0, {"memo.txt"}, "desk 0 as entered");
        put(kDesktop, {"memo.txt"}, "desk 0 live");
        platform.writeFile("C:\\Apps\\Paint.Pro.exe", "program");
        platform.writeFile("C:\\Apps\\tool", "program");
    }

    void put(const std::string& folder, std::initializer_list<const char*> names,
             const std::string& content) {
        for (const char* name : names)
            platform.writeFile(folder + name, content);
    }
    void open(int desk) {
        dialog.emplace(platform, state, desk, view);
        dialog->onLoad();
        platform.clearCalls();
    }
    std::vector<std::string> fullNames() const {
        std::vector<std::string> names;
        for (const ItemName& item : dialog->desk())
            names.push_back(item.full());
        return names;
    }
    // Every file of the four folders with its content, to tell whether anything changed.
    std::string folders() const {
        std::string all;
        for (const char* folder : {kDesktop, kPool, kDesk0, kDesk2}) {
            all += std::string(folder) + ":";
            for (const std::string& name : platform.filesIn(folder))
                all += " " + name + "=" + platform.fileContent(folder + name);
            all += "\n";
        }
        return all;
    }
    // The pool file that holds `content`; empty when none does.
    std::string poolFileWith(const std::string& content) const {
        for (const std::string& name : platform.filesIn(kPool)) {
            if (platform.fileContent(kPool + name) == content) return name;
        }
        return {};
    }
    std::string names(const char* folder) const {
        std::string out;
        for (const std::string& name : platform.filesIn(folder))
            out += (out.empty() ? "" : " ") + name;
        return out;
    }

    FakePlatform platform;
    SharedState state;
    FakeArrangeView view;
    std::optional<ArrangeDialog> dialog;
};

TEST(ItemNameTest, SplitsAtTheFirstDot) {
    const std::tuple<const char*, const char*, const char*> cases[] = {{"My.File.lnk", "My", ".File.lnk"},
                                                                       {"tool", "tool", ""},
                                                                       {".profile", "", ".profile"},
                                                                       {"a.", "a", "."}};
    for (const auto& [name, base, extension] : cases) {
        EXPECT_EQ(splitItemName(name), (ItemName{base, extension})) << name;
        EXPECT_EQ(splitItemName(name).full(), name);
    }
}

TEST_F(ArrangeDialogTest, LoadListsThePoolAndTheDesksItemsLiveForTheDeskShown) {
    platform.makeHidden(std::string(kPool) + "tool");
    state.items.token = "ab";
    put(kPool, {"~KORUVAN-ab-1.tmp"}, "a copy under way");
    open(2);
    EXPECT_EQ(view.deskName, "趣味");
    EXPECT_THAT(FakeArrangeView::texts(view.pool), ElementsAre("a", "a", "memo"));
    EXPECT_EQ(dialog->pool()[1], (ItemName{"a", ".url"}));
    EXPECT_THAT(FakeArrangeView::texts(view.desk), ElementsAre("memo", "old"));
    EXPECT_FALSE(view.applicationControlsShown);

    const struct {
        const char* desktop;
        const char* source;
    } current[] = {{kDesktop, kDesktop}, {"\\", kDesk0}, {"C:\\gone\\", kDesk0}, {kDesk2, kDesk0}};
    for (const auto& c : current) {
        state.desktopFolder = c.desktop;
        open(0);
        EXPECT_EQ(dialog->deskSource(), c.source) << c.desktop;
    }
}

TEST_F(ArrangeDialogTest, CopyAppendsSelectedItemsUntilADuplicate) {
    const struct {
        std::vector<int> selected;  // pool: 0 a.lnk, 1 a.url, 2 memo.txt, 3 tool
        std::vector<std::string> deskBefore;
        std::vector<std::string> deskAfter;
        std::vector<int> stillSelected;
        bool warned;
    } cases[] = {
        {{}, {"memo.txt"}, {"memo.txt"}, {}, false},
        // The duplicate ends the walk: what came before stays copied, the rest stays selected.
        {{0, 2, 3}, {"memo.txt"}, {"memo.txt", "a.lnk"}, {2, 3}, true},
        // Letter case counts, and each extension is its own item.
        {{0}, {"A.lnk"}, {"A.lnk", "a.lnk"}, {}, false},
        {{0}, {"a.url"}, {"a.url", "a.lnk"}, {}, false},
    };
    for (const auto& c : cases) {
        // Whatever the case before left there.
        (void)platform.deleteFile(std::string(kDesk2) + "old.txt");
        (void)platform.deleteFile(std::string(kDesk2) + "memo.txt");
        for (const std::string& name : c.deskBefore)
            platform.writeFile(kDesk2 + name, "x");
        view = FakeArrangeView{};
        open(2);
        for (int entry : c.selected)
            view.select(view.pool, {entry});
        dialog->onCopy();
        EXPECT_EQ(fullNames(), c.deskAfter);
        EXPECT_EQ(FakeArrangeView::texts(view.desk).size(), c.deskAfter.size());
        EXPECT_EQ(FakeArrangeView::selection(view.pool), c.stillSelected);
        EXPECT_EQ(view.warnings, c.warned ? std::vector<std::string>{"重複: すでにｺﾋﾟｰされてます。"}
                                          : std::vector<std::string>{});
        for (const std::string& name : c.deskBefore)
            EXPECT_TRUE(platform.deleteFile(kDesk2 + name));
    }
}

TEST_F(ArrangeDialogTest, DeleteRemovesSelectedEntriesFromTheListOnly) {
    put(kDesk2, {"x.lnk"}, "desk 2");
    open(2);  // memo, old, x
    dialog->onDelete();
    EXPECT_THAT(fullNames(), ElementsAre("memo.txt", "old.txt", "x.lnk"));
    view.select(view.desk, {0, 2});
    dialog->onDelete();
    EXPECT_THAT(fullNames(), ElementsAre("old.txt"));
    EXPECT_THAT(FakeArrangeView::texts(view.desk), ElementsAre("old"));
    EXPECT_THAT(platform.calls, IsEmpty());
}

TEST_F(ArrangeDialogTest, SetForAnotherDeskRewritesItsFolderAndLeavesTheDesktop) {
    open(2);
    view.select(view.pool, {0, 3});  // a.lnk, tool
    dialog->onCopy();
    view.select(view.desk, {0});  // memo.txt
    dialog->onDelete();
    dialog->onSet();

    EXPECT_EQ(names(kDesk2), "a.lnk old.txt tool");
    EXPECT_EQ(platform.fileContent(std::string(kDesk2) + "old.txt"), "desk 2");
    // The pool's own memo may exist nowhere else: it keeps its name, and desk 2's takes a free one.
    EXPECT_EQ(names(kPool), "a.lnk a.url memo (2).txt memo.txt old.txt tool");
    EXPECT_EQ(platform.fileContent(std::string(kPool) + "memo.txt"), "pool");
    EXPECT_EQ(platform.fileContent(std::string(kPool) + "memo (2).txt"), "desk 2");
    EXPECT_EQ(names(kDesktop), "memo.txt");
    for (const std::string& call : platform.calls)
        EXPECT_EQ(call.find("Desktop"), std::string::npos) << call;
    EXPECT_THAT(platform.calls, ::testing::Contains("busy"));
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_TRUE(view.closed);
}

TEST_F(ArrangeDialogTest, SetForTheDeskShownKeepsTheNewestVersionOfEveryLiveItem) {
    put(kDesktop, {"new.txt"}, "made since the switch");
    put(kDesktop, {"dropped.txt"}, "live, then dropped from the list");
    put(kDesk0, {"dropped.txt"}, "as entered");
    open(0);  // dropped, memo, new
    view.select(view.desk, {0});
    dialog->onDelete();
    view.select(view.pool, {0});  // a.lnk
    dialog->onCopy();
    dialog->onSet();

    // The Desktop is the desk's place while it is shown: its folder keeps the copies made when it was
    // entered, and the new item; the pool gets the newest version of every item.
    EXPECT_EQ(names(kDesktop), "a.lnk memo.txt new.txt");
    EXPECT_EQ(names(kDesk0), "a.lnk memo.txt");
    EXPECT_EQ(platform.fileContent(std::string(kDesktop) + "memo.txt"), "desk 0 live");
    EXPECT_EQ(platform.fileContent(std::string(kPool) + "memo (2).txt"), "desk 0 live");
    EXPECT_EQ(platform.fileContent(std::string(kPool) + "new.txt"), "made since the switch");
    EXPECT_EQ(platform.fileContent(std::string(kPool) + "dropped.txt"), "live, then dropped from the list");
}

TEST_F(ArrangeDialogTest, SetOnLinkedItemsLeavesThePoolApartFromTheDesk) {
    // As entering the desk left them: the Desktop's items are second names of the desk folder's.
    EXPECT_TRUE(platform.deleteFile(std::string(kDesktop) + "memo.txt"));
    EXPECT_TRUE(platform.linkFile(std::string(kDesk0) + "memo.txt", std::string(kDesktop) + "memo.txt"));
    put(kDesk0, {"gone.txt"}, "to be removed");
    EXPECT_TRUE(platform.linkFile(std::string(kDesk0) + "gone.txt", std::string(kDesktop) + "gone.txt"));
    open(0);  // gone, memo
    view.select(view.desk, {0});
    dialog->onDelete();
    dialog->onSet();

    EXPECT_EQ(names(kDesktop), "memo.txt");
    EXPECT_EQ(names(kDesk0), "memo.txt");
    EXPECT_EQ(platform.fileContent(std::string(kPool) + "gone.txt"), "to be removed");
    platform.writeFile(std::string(kDesktop) + "memo.txt", "edited on the desk");
    EXPECT_EQ(platform.fileContent(std::string(kDesk0) + "memo.txt"), "edited on the desk");
    EXPECT_NE(platform.fileContent(std::string(kPool) + "memo.txt"), "edited on the desk");
}

// A desk that gives an item up leaves its only copy to the pool: a later file of that name on the desk is
// another item, which never replaces it.
TEST_F(ArrangeDialogTest, AnItemTheDeskGaveUpIsNeverReplacedInThePool) {
    for (const int desk : {2, 0}) {
        SCOPED_TRACE(desk);
        const std::string given = desk == 0 ? "desk 0 live" : "desk 2";
        view = FakeArrangeView{};
        open(desk);
        view.select(view.desk, {0});  // memo
        dialog->onDelete();
        dialog->onSet();
        const std::string kept = poolFileWith(given);
        ASSERT_NE(kept, "");

        put(desk == 0 ? kDesktop : kDesk2, {"memo.txt"}, "a later memo of desk " + std::to_string(desk));
        view = FakeArrangeView{};
        open(desk);
        dialog->onSet();
        EXPECT_EQ(poolFileWith(given), kept);
        EXPECT_NE(poolFileWith("a later memo of desk " + std::to_string(desk)), "");
    }
}

TEST_F(ArrangeDialogTest, SetWithAnEmptyListEmptiesTheDeskAndKeepsItsItemsInThePool) {
    put(kDesktop, {"new.txt"}, "live");
    open(0);
    view.select(view.desk, {0, 1});
    dialog->onDelete();
    dialog->onSet();
    EXPECT_EQ(names(kDesktop), "");
    EXPECT_EQ(names(kDesk0), "");
    EXPECT_EQ(names(kPool), "a.lnk a.url memo (2).txt memo.txt new.txt tool");
    EXPECT_EQ(platform.fileContent(std::string(kPool) + "memo (2).txt"), "desk 0 live");
}

// A pool item that cannot be copied into the desk (a full disk) stops Set before anything changes, and the
// pool never gives up its file.
TEST_F(ArrangeDialogTest, APoolItemThatCannotBeCopiedChangesNothing) {
    put(kPool, {"big.iso"}, std::string(4000, 'x'));
    for (int desk : {2, 0}) {
        SCOPED_TRACE(desk);
        view = FakeArrangeView{};
        open(desk);
        view.select(view.pool, {1, 2});  // a.url, big.iso
        dialog->onCopy();
        view.select(view.desk, {0});
        dialog->onDelete();
        const std::string before = folders();
        platform.freeBytes = 1000;
        dialog->onSet();
        platform.freeBytes.reset();
        EXPECT_EQ(folders(), before);
        EXPECT_THAT(view.warnings, ElementsAre(::testing::HasSubstr("big")));
        EXPECT_FALSE(view.closed);
    }
}

TEST_F(ArrangeDialogTest, AFileThatCannotMoveIsNeverReplacedByAnOlderCopy) {
    open(0);  // memo
    platform.failingCopies = {std::string(kDesktop) + "memo.txt"};
    dialog->onSet();
    EXPECT_EQ(platform.fileContent(std::string(kDesktop) + "memo.txt"), "desk 0 live");

    platform.failingCopies = {std::string(kDesk2) + "memo.txt"};  // stuck in the desk's folder
    view = FakeArrangeView{};
    open(2);
    dialog->onSet();
    EXPECT_EQ(platform.fileContent(std::string(kDesk2) + "memo.txt"), "desk 2");
}

TEST(ApplicationListTest, ListsVisibleTitledApplicationWindowsOnly) {
    const struct {
        const char* className;
        const char* title;
        bool visible;
        int parent;
        bool listed;
    } cases[] = {
        {"Notepad", "無題 - メモ帳", true, 0, true},
        {"Notepad", "   ", true, 0, false},
        {"Notepad", "hidden", false, 0, false},
        {"#32770", "ファイルを開く", true, 0, false},
        {"KORUVAN.frmMAIN", "コルヴァン", true, 0, false},
        {"Edit", "about コルヴァン 1.0", true, 0, false},
        {"ThunderRT5Main", "old app", true, 0, true},
        {"ThunderRTMain", "old app", true, 0, false},
        {" shell_traywnd ", "taskbar", true, 0, false},
        {"Progman", "Program Manager", true, 0, false},
        {"IndicATOR", "x", true, 0, false},
        {"VBCodeWin", "x", true, 0, false},
        {"ThunderForm", "x", true, 0, false},
        {"ThunderRTForm", "x", true, 0, false},
        {"thundermain", "vb3 app", true, 1, true},
        {"Notepad", "owned", true, 1, false},
        {"ThunderMain", "other kind", true, 2, false},
    };
    for (const auto& c : cases) {
        const RunningWindow window{c.className, c.title, "C:\\x.exe", c.visible, c.parent};
        EXPECT_EQ(isListedApplication(window), c.listed) << c.className << " | " << c.title;
    }
}

TEST(ApplicationListTest, ProposesTheProgramFilesNameBeforeItsFirstDot) {
    FakePlatform platform;
    for (const char* file : {"C:\\Apps\\Paint.Pro.exe", "C:\\Apps\\tool", "C:\\Apps\\ spaced .exe"})
        platform.writeFile(file, "program");
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Apps\\Paint.Pro.exe", "Paint"},
        {"C:\\Apps\\tool", "tool"},
        {"C:\\Apps\\ spaced .exe", "spaced"},
        {"C:\\Apps\\gone.exe", ""},
        {"C:\\Apps\\", ""},
        {"", ""},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(proposedShortcutName(platform, path), name) << path;
}

TEST(ApplicationListTest, RefusesNamesThatCannotBecomeAShortcutFile) {
    const char* period = "ｼｮｰﾄｶｯﾄ名にﾋﾟﾘｵﾄﾞを使用しないで下さい。";
    const char* characters = "ｼｮｰﾄｶｯﾄ名に使えない文字があります。";
    const char* device = "ｼｮｰﾄｶｯﾄ名に使えない名前です。";
    const std::pair<const char*, const char*> cases[] = {
        {"my app", ""},
        {"メモ帳", ""},
        {"COM10", ""},
        {"CONSOLE", ""},
        {"my.app", period},
        {".", period},
        {"a\\b", characters},
        {"a/b", characters},
        {"a:b", characters},
        {"a*b", characters},
        {"a?b", characters},
        {"a\"b", characters},
        {"a<b", characters},
        {"a>b", characters},
        {"a|b", characters},
        {"tab\tname", characters},
        {"CON", device},
        {"nul", device},
        {"com1", device},
        {" LPT9 ", device},
        {"", "ｼｮｰﾄｶｯﾄ名を入力して下さい。"},
    };
    for (const auto& [name, text] : cases) {
        const Warning refusal = shortcutNameRefusal(name);
        EXPECT_EQ(refusal.text, text) << name;
        if (refusal) {
            EXPECT_EQ(refusal.title, "ｼｮｰﾄｶｯﾄ名のミス");
        }
    }
}

TEST_F(ArrangeDialogTest, TickingListsTheApplicationsAndProposesANameForTheFirst) {
    platform.runningWindows = {{"Notepad", "hidden", "C:\\Apps\\x.exe", false, 0},
                               {"PaintPro", "絵", "C:\\Apps\\Paint.Pro.exe", true, 0},
                               {"Tool", "gone", "C:\\Apps\\gone.exe", true, 0},
                               {"Tool", "道具", "C:\\Apps\\tool", true, 0}};
    open(2);
    dialog->onAddApplicationToggled(true);
    EXPECT_TRUE(view.applicationControlsShown);
    EXPECT_THAT(view.applications, ElementsAre("絵", "gone", "道具"));
    EXPECT_THAT(dialog->applicationFiles(),
                ElementsAre("C:\\Apps\\Paint.Pro.exe", "C:\\Apps\\gone.exe", "C:\\Apps\\tool"));
    EXPECT_EQ(view.selectedApplication, 0);
    EXPECT_EQ(view.shortcutName, "Paint");
    EXPECT_THAT(platform.calls, ElementsAre("busy", "pointer"));

    view.shortcutName = "typed";
    dialog->onShortcutNameEdited("typed");
    dialog->onApplicationChosen(1);  // a program file that is gone proposes nothing
    EXPECT_EQ(view.shortcutName, "typed");
    dialog->onApplicationChosen(2);
    EXPECT_EQ(view.shortcutName, "tool");

    dialog->onAddApplicationToggled(false);
    EXPECT_FALSE(view.applicationControlsShown);
    EXPECT_EQ(dialog->currentApplication(), 2);
    platform.runningWindows.clear();
    view.shortcutName = "kept";
    dialog->onAddApplicationToggled(true);
    EXPECT_THAT(view.applications, IsEmpty());
    EXPECT_EQ(view.selectedApplication, -1);
    EXPECT_EQ(dialog->currentApplication(), -1);
    EXPECT_EQ(view.shortcutName, "kept");
}

TEST_F(ArrangeDialogTest, SetWritesTheShortcutOrRefusesBeforeTouchingAnyFolder) {
    const struct {
        const char* name;
        std::vector<RunningWindow> windows;
        bool deleteTarget;
        bool writerFails;
        const char* warning;  // "" for a shortcut written
        const char* shortcut;
    } cases[] = {
        {"", {{"P", "絵", "C:\\Apps\\Paint.Pro.exe", true, 0}}, false, false, "", "Paint.lnk"},
        {"my app", {{"T", "道具", "C:\\Apps\\tool", true, 0}}, false, false, "", "my app.lnk"},
        {"my.app",
         {{"T", "道具", "C:\\Apps\\tool", true, 0}},
         false,
         false,
         "ｼｮｰﾄｶｯﾄ名のミス: ｼｮｰﾄｶｯﾄ名にﾋﾟﾘｵﾄﾞを使用しないで下さい。",
         nullptr},
        {"a:b",
         {{"T", "道具", "C:\\Apps\\tool", true, 0}},
         false,
         false,
         "ｼｮｰﾄｶｯﾄ名のミス: ｼｮｰﾄｶｯﾄ名に使えない文字があります。",
         nullptr},
        {"", {}, false, false, "ｼｮｰﾄｶｯﾄ先のミス: ｼｮｰﾄｶｯﾄを作るｱﾌﾟﾘｹｰｼｮﾝを選んで下さい。", nullptr},
        {"",
         {{"T", "道具", "C:\\Apps\\tool", true, 0}},
         true,
         false,
         "ｼｮｰﾄｶｯﾄ先のミス: ｱﾌﾟﾘｹｰｼｮﾝのﾌｧｲﾙが見つかりません。\nC:\\Apps\\tool",
         nullptr},
        {"name",
         {{"T", "道具", "C:\\Apps\\tool", true, 0}},
         false,
         true,
         "ｼｮｰﾄｶｯﾄ先のミス: ｼｮｰﾄｶｯﾄを作成できませんでした。",
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.writeFile("C:\\Apps\\tool", "program");
        platform.runningWindows = c.windows;
        platform.failShortcuts = c.writerFails;
        view = FakeArrangeView{};
        ArrangeDialog fresh{platform, state, 2, view};
        fresh.onLoad();
        fresh.onAddApplicationToggled(true);
        if (*c.name) fresh.onShortcutNameEdited(c.name);
        if (c.deleteTarget) {
            EXPECT_TRUE(platform.deleteFile("C:\\Apps\\tool"));
        }
        const std::string before = folders();
        fresh.onSet();

        EXPECT_EQ(view.closed, c.shortcut != nullptr);
        EXPECT_EQ(platform.busyDepth, 0);
        EXPECT_FALSE(platform.exists("C:\\KORUVAN\\KORUVAN-shortcut.tmp"));
        if (c.shortcut) {
            EXPECT_THAT(view.warnings, IsEmpty());
            EXPECT_EQ(platform.fileContent(kDesk2 + std::string(c.shortcut)),
                      "shortcut to " + c.windows[0].programFile);
            EXPECT_TRUE(platform.deleteFile(kDesk2 + std::string(c.shortcut)));
        } else {
            EXPECT_THAT(view.warnings, ElementsAre(c.warning));
            EXPECT_EQ(folders(), before);
        }
    }
}

TEST_F(ArrangeDialogTest, ResizeSnapsASmallWindowToTheMinimumAndLaysOutTheLists) {
    open(2);
    EXPECT_EQ(view.outer, (Size<int>{4545 + 120, 3570 + 105}));  // the design client area
    const struct {
        Size<int> asked;
        Size<int> result;
    } cases[] = {
        {{5000, 3000}, {4665, 3675}},
        {{4000, 5000}, {4665, 3675}},
        {{4665, 3675}, {4665, 3675}},
        {{6000, 5000}, {6000, 5000}},
    };
    for (const auto& c : cases) {
        view.outer = c.asked;
        dialog->onResize();
        EXPECT_EQ(view.outer, c.result);
    }
    // 6000 x 5000 outer: client 5880 x 4895, the strip's top at 4265.
    using enum ArrangeControl;
    EXPECT_EQ(at(view.layout, ShortcutName), (Rect<int>{2970, 600, 6000 - 2970 - 240, 270}));
    EXPECT_EQ(at(view.layout, Applications).width, 6000 - 2100 - 240);
    EXPECT_EQ(at(view.layout, Cancel), (Rect<int>{5880 - 1035 - 240, 4265 + 120, 1035, 405}));
    EXPECT_EQ(at(view.layout, Set).left, 5880 - 2 * (1035 + 240));
    EXPECT_EQ(at(view.layout, CopyItems).left, (5880 - 735) / 2);
    EXPECT_EQ(at(view.layout, RemoveItems).left, (5880 - 735) / 2);
    EXPECT_EQ(at(view.layout, PoolList), (Rect<int>{60, 1320, (5880 - 735) / 2 - 240, 4265 - 1320 - 120}));
    EXPECT_EQ(at(view.layout, DeskList),
              (Rect<int>{(5880 - 735) / 2 + 735 + 120, 1320, (5880 - 735) / 2 - 240, 4265 - 1320 - 120}));
    EXPECT_EQ(at(view.layout, DeskItemsCaption).left, (5880 - 735) / 2 + 735 + 180);
    EXPECT_EQ(at(view.layout, DeskName).width, 90 * 6);  // 趣味: six bytes in the fake's measure
}

}  // namespace
}  // namespace koruvan::testing
