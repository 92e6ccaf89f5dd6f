#include "store/window_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "fake/fake_platform.h"

namespace koruvan {
namespace {

using ::testing::ElementsAre;
using testing::FakePlatform;
using testing::FakeWindow;

FakeWindow topLevel(std::string title, std::string className, ScreenRect rect = {10, 20, 500, 400}) {
    FakeWindow window;
    window.title = std::move(title);
    window.className = std::move(className);
    window.rect = rect;
    return window;
}

// A window placed in the tree under `parent` that has no parent for GetParent, so its line is kept at any
// depth.
FakeWindow nested(WindowHandle parent, std::string title) {
    FakeWindow window = topLevel(std::move(title), "Nested");
    window.parent = parent;
    return window;
}

std::string line(const std::string& handle, const std::string& owner, const std::string& title,
                 const std::string& className, const std::string& rect = "(10,20-500,400)") {
    return "+" + handle + ":[" + owner + "]*Show*" + title + " <" + className + "> " + rect;
}

TEST(WindowLine, WindowsAreWrittenWithWholeHandlesAndReadBack) {
    FakePlatform platform;
    const WindowHandle plain = platform.addWindow(topLevel("Notes", "Notepad"));
    FakeWindow maximised = topLevel("Big", "Editor", {-4, -4, 1924, 1084});
    maximised.zoomed = true;
    const WindowHandle big = platform.addWindow(maximised);
    platform.addWindow(topLevel("Far", "Odd", {-10, -20, -5, -1}));
    platform.addWindow(topLevel("a <b", "Cls"));
    platform.addWindow(topLevel("tab\there", "Cls"));

    const std::vector<std::string> lines = ListWindows(platform);
    EXPECT_THAT(lines, ElementsAre("10010:DeskTop",                                       //
                                   "+20000:[0000]*Show*Notes <Notepad> (10,20-500,400)",  //
                                   "++20010:[0000]*Show*Big <Editor> (-4,-4-1924,1084)",  //
                                   "++20020:[0000]*Show*Far <Odd> (-10,-20--5,-1)",       //
                                   "++20030:[0000]*Show*a <b <Cls> (10,20-500,400)",      //
                                   "++20040:[0000]*Show*tab here <Cls> (10,20-500,400)"));

    const WindowEntry desktop = ParseWindowLine(platform, lines[0]);
    EXPECT_EQ(desktop.hWnd, FakePlatform::kDesktop);
    EXPECT_EQ(desktop.ShowState, "hide");
    EXPECT_EQ(desktop.ClassName, "");

    const WindowEntry notes = ParseWindowLine(platform, lines[1]);
    EXPECT_EQ(notes.hWnd, plain);
    EXPECT_EQ(notes.hOwner, 0u);
    EXPECT_EQ(notes.ShowState, "show");
    EXPECT_EQ(notes.Title, "Notes");
    EXPECT_EQ(notes.ClassName, "Notepad");
    EXPECT_EQ(notes.Zoomed, 0);

    const WindowEntry zoomed = ParseWindowLine(platform, lines[2]);
    EXPECT_EQ(zoomed.hWnd, big);
    EXPECT_EQ((ScreenRect{zoomed.Left, zoomed.Top, zoomed.Right, zoomed.Bottom}),
              (ScreenRect{-4, -4, 1924, 1084}));
    EXPECT_EQ(zoomed.Zoomed, 1);

    const WindowEntry far = ParseWindowLine(platform, lines[3]);
    EXPECT_EQ((ScreenRect{far.Left, far.Top, far.Right, far.Bottom}), (ScreenRect{-10, -20, -5, -1}));

    // A title holding " <" is cut there; the rest of it starts the class name.
    const WindowEntry cut = ParseWindowLine(platform, lines[4]);
    EXPECT_EQ(cut.Title, "a");
    EXPECT_EQ(cut.ClassName, "b <Cls");
    EXPECT_EQ(cut.Bottom, 400);
}

TEST(WindowLine, ReadsShortLongAndMisshapenLines) {
    FakePlatform platform;
    const WindowEntry classic = ParseWindowLine(platform, line("0A1C", "0000", "Some title", "SomeClass"));
    EXPECT_EQ(classic.hWnd, 2588u);
    EXPECT_EQ(classic.hOwner, 0u);
    EXPECT_EQ(classic.ShowState, "show");
    EXPECT_EQ(classic.Title, "Some title");
    EXPECT_EQ(classic.ClassName, "SomeClass");
    EXPECT_EQ((ScreenRect{classic.Left, classic.Top, classic.Right, classic.Bottom}),
              (ScreenRect{10, 20, 500, 400}));

    const WindowEntry wide =
        ParseWindowLine(platform, "+++FFFFFFFF80001234:[123456789]*Show*t <c> (1,2-3,4)");
    EXPECT_EQ(wide.hWnd, 0xFFFFFFFF80001234u);
    EXPECT_EQ(wide.hOwner, 0x123456789u);

    const WindowEntry hidden = ParseWindowLine(platform, "+0001:[0002]-Hide-t <c> (1,2-3,4)");
    EXPECT_EQ(hidden.hWnd, 1u);
    EXPECT_EQ(hidden.hOwner, 2u);
    EXPECT_EQ(hidden.ShowState, "hide");
    EXPECT_EQ(hidden.Title, "");

    EXPECT_EQ(ParseWindowLine(platform, "").ShowState, "hide");
    EXPECT_EQ(ParseWindowLine(platform, "+0001:[0002*Show*t").hOwner, 0u);          // no "]"
    EXPECT_EQ(ParseWindowLine(platform, "11112222333344445:[0]*Show*t").hWnd, 0u);  // too long for a handle

    const WindowEntry torn = ParseWindowLine(platform, "0001:[0000]*Show*t <c> (1,2");
    EXPECT_EQ(torn.ClassName, "c");
    EXPECT_EQ((ScreenRect{torn.Left, torn.Top, torn.Right, torn.Bottom}), (ScreenRect{1, 2, 0, 0}));
    const WindowEntry noClass = ParseWindowLine(platform, "0001:[0000]*Show*only a title");
    EXPECT_EQ(noClass.Title, "only a title");
    EXPECT_EQ(noClass.ClassName, "");
    EXPECT_EQ(ParseWindowLine(platform, "0001:[0000]*Show*t <c> (99999999999,1-2,3)").Left, 0);
}

// The depth marks of the recursive walk: a window's first child is marked with the depth the window is walked
// at, its later siblings one deeper, and the walk below any first child goes one deeper.
std::vector<std::string> recursiveMarks(Platform& platform, WindowHandle window, int depth) {
    std::vector<std::string> marks;
    std::function<void(WindowHandle, int)> walk = [&](WindowHandle w, int d) {
        if (const WindowHandle child = platform.firstChildWindow(w)) {
            marks.push_back(std::string(static_cast<std::size_t>(d), '+') + platform.windowTitle(child));
            walk(child, d + 1);
        }
        if (const WindowHandle sibling = platform.nextWindow(w)) {
            marks.push_back(std::string(static_cast<std::size_t>(d), '+') + platform.windowTitle(sibling));
            walk(sibling, d);
        }
    };
    walk(window, depth);
    return marks;
}

std::vector<std::string> marksAndTitles(Platform& platform) {
    std::vector<std::string> marks;
    for (const std::string& text : ListWindows(platform)) {
        const WindowEntry entry = ParseWindowLine(platform, text);
        if (entry.ShowState == "show")
            marks.push_back(text.substr(0, text.find_first_not_of('+')) + entry.Title);
    }
    return marks;
}

TEST(WalkWindowTree, MarksDepthsInTheOrderOfTheRecursiveWalk) {
    FakePlatform platform;
    const WindowHandle a = platform.addWindow(topLevel("A", "Main"));
    const WindowHandle a1 = platform.addWindow(nested(a, "a1"));
    platform.addWindow(nested(a1, "x1"));
    platform.addWindow(nested(a1, "x2"));
    FakeWindow a2 = nested(a, "a2");
    a2.visible = false;  // not listed, but the windows below it are
    const WindowHandle hiddenA2 = platform.addWindow(a2);
    platform.addWindow(nested(hiddenA2, "y1"));
    platform.addWindow(nested(a, "a3"));
    const WindowHandle b = platform.addWindow(topLevel("B", "Main"));
    FakeWindow control = nested(b, "control");
    control.childStyle = true;  // has a parent: never listed
    platform.addWindow(control);
    platform.addWindow(nested(b, "b2"));
    FakeWindow owned = topLevel("owned", "Main");
    owned.owner = a;  // GetParent gives the owner: never listed
    platform.addWindow(owned);
    platform.addWindow(topLevel("C", "Main"));

    EXPECT_THAT(marksAndTitles(platform),
                ElementsAre("+A", "++a1", "+++x1", "++++x2", "+++y1", "+++a3", "++B", "+++b2", "++C"));

    // With every window listable, the marks are those of the recursive walk.
    platform.window(hiddenA2).visible = true;
    platform.window(platform.firstChildWindow(b)).childStyle = false;
    platform.window(platform.nextWindow(b)).owner = 0;
    EXPECT_EQ(marksAndTitles(platform), recursiveMarks(platform, FakePlatform::kDesktop, 1));
}

// A platform with one long chain of visible top-level windows, and optionally a loop back to the first.
class SiblingChainPlatform : public FakePlatform {
  public:
    static constexpr WindowHandle kFirst = 0x1000000;
    SiblingChainPlatform(WindowHandle count, bool loops) : last_(kFirst + count - 1), loops_(loops) {}
    WindowHandle firstChildWindow(WindowHandle window) override { return window == kDesktop ? kFirst : 0; }
    WindowHandle nextWindow(WindowHandle window) override {
        if (window == kDesktop) return 0;
        return window < last_ ? window + 1 : (loops_ ? kFirst : 0);
    }
    bool isWindowVisible(WindowHandle) override { return true; }

  private:
    WindowHandle last_;
    bool loops_;
};

TEST(WalkWindowTree, AHugeLevelDoesNotDeepenTheStackAndALoopEnds) {
    // A recursion per sibling would need far more than the whole stack here.
    SiblingChainPlatform many(100000, false);
    const std::vector<std::string> lines = ListWindows(many);
    ASSERT_EQ(lines.size(), 100001u);
    EXPECT_EQ(lines[1], "+1000000:[0000]*Show* <> (0,0-0,0)");
    EXPECT_EQ(lines.back(), "++101869F:[0000]*Show* <> (0,0-0,0)");

    // The z-order changed during the walk and the last window leads back to the first: each is listed once.
    SiblingChainPlatform looping(3, true);
    EXPECT_EQ(ListWindows(looping).size(), 4u);
}

class CreateAplTest : public ::testing::Test {
  protected:
    std::vector<std::string> titlesOfDesk(int desk, int count) const {
        std::vector<std::string> titles;
        for (int i = 0; i < count; ++i)
            titles.push_back(state.windowTable[desk][i].Title);
        return titles;
    }
    FakePlatform platform;
    SharedState state;
};

TEST_F(CreateAplTest, KeepsOnlyVisibleTopLevelApplicationWindows) {
    state.currentDesk = 4;
    const std::vector<std::string> lines = {
        "10010:DeskTop",
        line("0001", "0000", "app", "Notepad"),
        "+0002:[0000]-Hide-hidden <Notepad> (10,20-500,400)",
        line("0003", "0001", "owned", "Notepad"),
        line("0004", "0001", "owned form", "ThunderForm"),
        line("0005", "0000", "unowned form", "ThunderForm"),
        line("0006", "0000", "vb", "ThunderRT6Main"),
        line("0007", "0000", "rt", "ThunderRTMain"),
        line("0008", "0000", "ime", "Indicator"),
        line("0009", "0000", "", "Shell_TrayWnd"),
        line("000A", "0000", "Program Manager", "Progman"),
        line("000B", "0000", "dialog", "#32770"),
        line("000C", "0000", "コルヴァン", "ThunderRT6FormDC"),
        line("000D", "0000", "設定 - コルヴァン", "Dialog"),
        line("000E", "0000", "flat", "Notepad", "(10,20-10,400)"),
        line("000F", "0000", "thin", "Notepad", "(10,20-500,20)"),
        line("0010", "0000", "vb main", "ThunderMain", "(0,0-0,0)"),
        line("0011", "0000", "vb main far", "thundermain", "(5000,5000-5000,5000)"),
        line("0012", "0000", "right of screen", "Notepad", "(3000,20-3500,400)"),
        line("0013", "0000", "below screen", "Notepad", "(10,3000-500,3400)"),
        line("0014", "0000", "last pixel", "Notepad", "(2999,2999-3500,3400)"),
        line("0015", "0000", "maximised", "Notepad", "(-4,-4-1924,1084)"),
    };

    const int count = CreateApl(platform, state, lines);

    EXPECT_THAT(titlesOfDesk(4, count),
                ElementsAre("app", "owned form", "vb", "vb main", "vb main far", "last pixel", "maximised"));
    EXPECT_EQ(state.windowTable[4][count].ClassName, "");
    EXPECT_EQ(state.windowTable[4][1].hOwner, 1u);
    EXPECT_EQ(state.windowTable[4][6].Left, -4);
}

TEST_F(CreateAplTest, CapturesRealWindowsWithTheirZoomState) {
    state.currentDesk = 0;
    platform.addWindow(topLevel("editor", "Notepad"));
    FakeWindow hidden = topLevel("hidden", "Notepad");
    hidden.visible = false;
    platform.addWindow(hidden);
    FakeWindow big = topLevel("big", "Notepad", {-4, -4, 1924, 1084});
    big.zoomed = true;
    const WindowHandle bigHandle = platform.addWindow(big);
    platform.addWindow(topLevel("", "Notepad", {0, 0, 0, 0}));
    platform.addWindow(topLevel("", "Shell_TrayWnd", {0, 738, 1024, 768}));
    platform.addWindow(topLevel("コルヴァン", "KoruvanBar"));
    // Minimised by an earlier switch (or by the user): parked at the screen's edge, it belongs to no desk.
    FakeWindow parked = topLevel("parked", "Notepad", {160, 744, 320, 768});
    parked.minimized = true;
    platform.addWindow(parked);

    const int count = CreateApl(platform, state, ListWindows(platform));

    ASSERT_EQ(count, 2);
    EXPECT_EQ(state.windowTable[0][0].Title, "editor");
    EXPECT_EQ(state.windowTable[0][0].Zoomed, 0);
    EXPECT_EQ(state.windowTable[0][1].hWnd, bigHandle);
    EXPECT_EQ(state.windowTable[0][1].Zoomed, 1);
}

TEST_F(CreateAplTest, KeepsTheFirstHundredAndEndsThem) {
    state.currentDesk = 9;
    state.windowTable[9][100].ClassName = "stale";
    std::vector<std::string> lines;
    for (int i = 0; i < 130; ++i)
        lines.push_back(line("0100", "0000", "w" + std::to_string(i), "Notepad"));

    EXPECT_EQ(CreateApl(platform, state, lines), 100);
    EXPECT_EQ(state.windowTable[9][0].Title, "w0");
    EXPECT_EQ(state.windowTable[9][99].Title, "w99");
    EXPECT_EQ(state.windowTable[9][100].ClassName, "");
}

TEST_F(CreateAplTest, AShorterCaptureLeavesTheOldEntriesBehindItsEnd) {
    state.currentDesk = 2;
    std::vector<std::string> lines;
    for (int i = 0; i < 5; ++i)
        lines.push_back(line("0100", "0000", "old" + std::to_string(i), "Notepad"));
    ASSERT_EQ(CreateApl(platform, state, lines), 5);
    lines = {line("0200", "0000", "new0", "Notepad"), line("0201", "0000", "new1", "Notepad"),
             line("0202", "0000", "new2", "Notepad")};

    EXPECT_EQ(CreateApl(platform, state, lines), 3);
    EXPECT_THAT(titlesOfDesk(2, 5), ElementsAre("new0", "new1", "new2", "old3", "old4"));
    EXPECT_EQ(state.windowTable[2][3].ClassName, "");
    EXPECT_EQ(state.windowTable[2][4].ClassName, "Notepad");
    EXPECT_EQ(state.windowTable[1][0].ClassName, "");  // other desks untouched

    for (const std::int16_t outOfRange : {std::int16_t{-1}, std::int16_t{10}}) {
        state.currentDesk = outOfRange;
        EXPECT_EQ(CreateApl(platform, state, lines), 0);
    }
}

}  // namespace
}  // namespace koruvan
