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

    const std::vector<std::string> lines = listWindows(platform);
    EXPECT_THAT(lines, ElementsAre("10010:DeskTop",                                       //
                                   "+20000:[0000]*Show*Notes <Notepad> (10,20-500,400)",  //
                                   "++20010:[0000]*Show*Big <Editor> (-4,-4-1924,1084)",  //
                                   "++20020:[0000]*Show*Far <Odd> (-10,-20--5,-1)",       //
                                   "++20030:[0000]*Show*a <b <Cls> (10,20-500,400)",      //
                                   "++20040:[0000]*Show*tab here <Cls> (10,20-500,400)"));

    const WindowEntry desktop = parseWindowLine(platform, lines[0]);
    EXPECT_EQ(desktop.window, FakePlatform::kDesktop);
    EXPECT_EQ(desktop.showState, "hide");
    EXPECT_EQ(desktop.className, "");

    const WindowEntry notes = parseWindowLine(platform, lines[1]);
    EXPECT_EQ(notes.window, plain);
    EXPECT_EQ(notes.owner, 0u);
    EXPECT_EQ(notes.showState, "show");
    EXPECT_EQ(notes.title, "Notes");
    EXPECT_EQ(notes.className, "Notepad");
    EXPECT_EQ(notes.zoomed, 0);

    const WindowEntry zoomed = parseWindowLine(platform, lines[2]);
    EXPECT_EQ(zoomed.window, big);
    EXPECT_EQ((ScreenRect{zoomed.left, zoomed.top, zoomed.right, zoomed.bottom}),
              (ScreenRect{-4, -4, 1924, 1084}));
    EXPECT_EQ(zoomed.zoomed, 1);

    const WindowEntry far = parseWindowLine(platform, lines[3]);
    EXPECT_EQ((ScreenRect{far.left, far.top, far.right, far.bottom}), (ScreenRect{-10, -20, -5, -1}));

    // A title holding " <" is cut there; the rest of it starts the class name.
    const WindowEntry cut = parseWindowLine(platform, lines[4]);
    EXPECT_EQ(cut.title, "a");
    EXPECT_EQ(cut.className, "b <Cls");
    EXPECT_EQ(cut.bottom, 400);
}

TEST(WindowLine, ReadsShortLongAndMisshapenLines) {
    FakePlatform platform;
    const WindowEntry classic = parseWindowLine(platform, line("0A1C", "0000", "Some title", "SomeClass"));
    EXPECT_EQ(classic.window, 2588u);
    EXPECT_EQ(classic.owner, 0u);
    EXPECT_EQ(classic.showState, "show");
    EXPECT_EQ(classic.title, "Some title");
    EXPECT_EQ(classic.className, "SomeClass");
    EXPECT_EQ((ScreenRect{classic.left, classic.top, classic.right, classic.bottom}),
              (ScreenRect{10, 20, 500, 400}));

    const WindowEntry wide =
        parseWindowLine(platform, "+++FFFFFFFF80001234:[123456789]*Show*t <c> (1,2-3,4)");
    EXPECT_EQ(wide.window, 0xFFFFFFFF80001234u);
    EXPECT_EQ(wide.owner, 0x123456789u);

    const WindowEntry hidden = parseWindowLine(platform, "+0001:[0002]-Hide-t <c> (1,2-3,4)");
    EXPECT_EQ(hidden.window, 1u);
    EXPECT_EQ(hidden.owner, 2u);
    EXPECT_EQ(hidden.showState, "hide");
    EXPECT_EQ(hidden.title, "");

    EXPECT_EQ(parseWindowLine(platform, "").showState, "hide");
    EXPECT_EQ(parseWindowLine(platform, "+0001:[0002*Show*t").owner, 0u);             // no "]"
    EXPECT_EQ(parseWindowLine(platform, "11112222333344445:[0]*Show*t").window, 0u);  // too long for a handle

    const WindowEntry torn = parseWindowLine(platform, "0001:[0000]*Show*t <c> (1,2");
    EXPECT_EQ(torn.className, "c");
    EXPECT_EQ((ScreenRect{torn.left, torn.top, torn.right, torn.bottom}), (ScreenRect{1, 2, 0, 0}));
    const WindowEntry noClass = parseWindowLine(platform, "0001:[0000]*Show*only a title");
    EXPECT_EQ(noClass.title, "only a title");
    EXPECT_EQ(noClass.className, "");
    EXPECT_EQ(parseWindowLine(platform, "0001:[0000]*Show*t <c> (99999999999,1-2,3)").left, 0);
}

std::vector<std::string> marksAndTitles(Platform& platform) {
    std::vector<std::string> marks;
    for (const std::string& text : listWindows(platform)) {
        const WindowEntry entry = parseWindowLine(platform, text);
        if (entry.showState == "show")
            marks.push_back(text.substr(0, text.find_first_not_of('+')) + entry.title);
    }
    return marks;
}

// Only the desktop's own windows are listed, the first marked one level and the later ones two, as a walk of
// the tree marks them; a window inside another, a child and an owned pop-up never are.
TEST(ListWindows, ListsTheDesktopsOwnVisibleWindowsOnly) {
    FakePlatform platform;
    const WindowHandle a = platform.addWindow(topLevel("A", "AppMain"));
    platform.addWindow(nested(a, "inside A"));
    FakeWindow hidden = topLevel("hidden", "AppMain");
    hidden.visible = false;
    platform.addWindow(hidden);
    const WindowHandle b = platform.addWindow(topLevel("B", "AppMain"));
    FakeWindow control = nested(b, "control");
    control.childStyle = true;
    platform.addWindow(control);
    FakeWindow owned = topLevel("owned", "AppMain");
    owned.owner = a;  // GetParent gives the owner
    platform.addWindow(owned);
    platform.addWindow(topLevel("C", "AppMain"));
    EXPECT_THAT(marksAndTitles(platform), ElementsAre("+A", "++B", "++C"));
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

TEST(ListWindows, AHugeNumberOfWindowsAndALoopInTheirOrderEnd) {
    // A recursion per sibling would need far more than the whole stack here.
    SiblingChainPlatform many(100000, false);
    const std::vector<std::string> lines = listWindows(many);
    ASSERT_EQ(lines.size(), 100001u);
    EXPECT_EQ(lines[1], "+1000000:[0000]*Show* <> (0,0-0,0)");
    EXPECT_EQ(lines.back(), "++101869F:[0000]*Show* <> (0,0-0,0)");

    // The z-order changed during the walk and the last window leads back to the first: each is listed once.
    SiblingChainPlatform looping(3, true);
    EXPECT_EQ(listWindows(looping).size(), 4u);
}

class CaptureWindowsTest : public ::testing::Test {
  protected:
    std::vector<std::string> titlesOfDesk(int desk, int count) const {
        std::vector<std::string> titles;
        for (int i = 0; i < count; ++i)
            titles.push_back(state.windowTable[desk][i].title);
        return titles;
    }
    FakePlatform platform;
    SharedState state;
};

TEST_F(CaptureWindowsTest, KeepsOnlyVisibleTopLevelApplicationWindows) {
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

    const int count = captureWindows(platform, state, lines);

    EXPECT_THAT(titlesOfDesk(4, count),
                ElementsAre("app", "owned form", "vb", "vb main", "vb main far", "last pixel", "maximised"));
    EXPECT_EQ(state.windowTable[4][count].className, "");
    EXPECT_EQ(state.windowTable[4][1].owner, 1u);
    EXPECT_EQ(state.windowTable[4][6].left, -4);
}

TEST_F(CaptureWindowsTest, CapturesRealWindowsWithTheirZoomState) {
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

    const int count = captureWindows(platform, state, listWindows(platform));

    ASSERT_EQ(count, 2);
    EXPECT_EQ(state.windowTable[0][0].title, "editor");
    EXPECT_EQ(state.windowTable[0][0].zoomed, 0);
    EXPECT_EQ(state.windowTable[0][1].window, bigHandle);
    EXPECT_EQ(state.windowTable[0][1].zoomed, 1);
}

TEST_F(CaptureWindowsTest, KeepsTheFirstHundredAndEndsThem) {
    state.currentDesk = 9;
    state.windowTable[9][100].className = "stale";
    std::vector<std::string> lines;
    for (int i = 0; i < 130; ++i)
        lines.push_back(line("0100", "0000", "w" + std::to_string(i), "Notepad"));

    EXPECT_EQ(captureWindows(platform, state, lines), 100);
    EXPECT_EQ(state.windowTable[9][0].title, "w0");
    EXPECT_EQ(state.windowTable[9][99].title, "w99");
    EXPECT_EQ(state.windowTable[9][100].className, "");
}

TEST_F(CaptureWindowsTest, AShorterCaptureLeavesTheOldEntriesBehindItsEnd) {
    state.currentDesk = 2;
    std::vector<std::string> lines;
    for (int i = 0; i < 5; ++i)
        lines.push_back(line("0100", "0000", "old" + std::to_string(i), "Notepad"));
    ASSERT_EQ(captureWindows(platform, state, lines), 5);
    lines = {line("0200", "0000", "new0", "Notepad"), line("0201", "0000", "new1", "Notepad"),
             line("0202", "0000", "new2", "Notepad")};

    EXPECT_EQ(captureWindows(platform, state, lines), 3);
    EXPECT_THAT(titlesOfDesk(2, 5), ElementsAre("new0", "new1", "new2", "old3", "old4"));
    EXPECT_EQ(state.windowTable[2][3].className, "");
    EXPECT_EQ(state.windowTable[2][4].className, "Notepad");
    EXPECT_EQ(state.windowTable[1][0].className, "");  // other desks untouched

    for (const std::int16_t outOfRange : {std::int16_t{-1}, std::int16_t{10}}) {
        state.currentDesk = outOfRange;
        EXPECT_EQ(captureWindows(platform, state, lines), 0);
    }
}

}  // namespace
}  // namespace koruvan
