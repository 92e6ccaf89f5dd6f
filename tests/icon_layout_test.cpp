#include "store/icon_layout.h"

#include <gtest/gtest.h>

#include "store/icon_layout_file.h"

namespace koruvan {
namespace {

// Items of the desk on the Desktop: "a.txt" stored as itself, "b (2).txt" that came in beside another "b.txt"
// and is stored as "b.txt", and "new.txt", renamed on the Desktop from "old.txt" (its file kept its id).
const std::vector<LayoutItem> kItems = {
    {"a.txt", "a.txt", "1:A"}, {"b (2).txt", "b.txt", ""}, {"new.txt", "new.txt", "1:C"}};

struct SeenCase {
    const char* what;
    DeskIconLayout before;
    std::vector<DesktopIcon> listed;
    DeskIconLayout seen;
};

TEST(IconLayout, WhatTheViewShowsBecomesTheLayout) {
    const SeenCase cases[] = {
        {"listed items take their places, by their stored names",
         {},
         {{"A.TXT", {880, 0}}, {"b (2).txt", {880, 96}}, {"new.txt", {5, 7}}, {"フォルダ", {0, 0}}},
         {{"a.txt", "1:A", {880, 0}}, {"b.txt", "", {880, 96}}, {"new.txt", "1:C", {5, 7}}}},
        {"an item not listed keeps its place, by identity under its new name; one gone is forgotten",
         {{"old.txt", "1:C", {300, 200}}, {"gone.txt", "1:D", {400, 0}}, {"b.txt", "", {1, 1}}},
         {{"a.txt", {0, 0}}},
         {{"a.txt", "1:A", {0, 0}}, {"b.txt", "", {1, 1}}, {"new.txt", "1:C", {300, 200}}}},
        {"an item neither listed nor known is left out", {}, {{"a.txt", {0, 0}}}, {{"a.txt", "1:A", {0, 0}}}},
    };
    for (const SeenCase& c : cases)
        EXPECT_EQ(layoutSeen(c.before, kItems, c.listed), c.seen) << c.what;
}

struct PutBackCase {
    const char* what;
    DeskIconLayout layout;
    std::vector<DesktopIcon> listed;
    bool waiting;
    std::vector<DesktopIcon> moves;
};

TEST(IconLayout, PuttingBackMovesTheKnownItemsOnceTheyAreListed) {
    const DeskIconLayout layout = {
        {"a.txt", "1:A", {880, 0}}, {"b.txt", "", {880, 96}}, {"old.txt", "1:C", {300, 200}}};
    const PutBackCase cases[] = {
        {"each known item to its place, under the name the view lists; the rest stays",
         layout,
         {{"a.txt", {0, 0}}, {"b (2).txt", {0, 96}}, {"new.txt", {0, 192}}, {"other.txt", {0, 288}}},
         false,
         {{"a.txt", {880, 0}}, {"b (2).txt", {880, 96}}, {"new.txt", {300, 200}}}},
        {"an item at its place is not moved",
         layout,
         {{"a.txt", {880, 0}}, {"b (2).txt", {880, 96}}, {"new.txt", {300, 200}}},
         false,
         {}},
        {"a known item not listed yet: wait",
         layout,
         {{"a.txt", {0, 0}}, {"new.txt", {0, 96}}},
         true,
         {{"a.txt", {880, 0}}, {"new.txt", {300, 200}}}},
        {"a layout that knows none of them", {{"x.txt", "9:9", {1, 1}}}, {{"a.txt", {0, 0}}}, false, {}},
    };
    for (const PutBackCase& c : cases) {
        const IconPutBack plan = putBackPlan(c.layout, kItems, c.listed);
        EXPECT_EQ(plan.waiting, c.waiting) << c.what;
        EXPECT_EQ(plan.moves, c.moves) << c.what;
    }
}

TEST(IconLayoutFile, KeepsEachDeskAndScreenApartAndSkipsWhatDoesNotParse) {
    IconLayouts layouts;
    layouts["0"][{1024, 768, 96}] = {{"a.txt", "1:A", {880, 0}}, {"予定表.txt", "", {-8, 96}}};
    layouts["0"][{1920, 1080, 144}] = {{"a.txt", "1:A", {1800, 0}}};
    layouts["2"][{1024, 768, 96}] = {{"x.txt", "", {400, 300}}};
    layouts["3"][{1024, 768, 96}] = {};  // nothing to keep
    const std::string text = formatIconLayouts(layouts);
    layouts.erase("3");
    EXPECT_EQ(parseIconLayouts(text), layouts);

    const IconLayouts damaged = parseIconLayouts(
        "KORUVAN icons "
        "1\r\nicon\t1\t2\t\tbefore-any-desk.txt\r\ndesk\t5\t800\t600\t96\r\nicon\tx\t2\t\tbad.txt\r\n"
        "icon\t1\t2\t\t\r\nicon\t3\t4\t\tgood.txt\r\ndesk\t6\twide\t600\t96\r\nicon\t1\t1\t\tlost.txt\r\n");
    EXPECT_EQ(damaged, (IconLayouts{{"5", {{IconScreen{800, 600, 96}, {{"good.txt", "", {3, 4}}}}}}}));
    EXPECT_TRUE(parseIconLayouts("KORUVAN icons 2\r\ndesk\t5\t800\t600\t96\r\n").empty())
        << "a later version's";
}

}  // namespace
}  // namespace koruvan
