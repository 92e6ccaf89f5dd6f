#include "store/window_restore.h"

#include <gtest/gtest.h>

#include <set>

namespace koruvan {
namespace {

// Windows 1..4 were kept front to back; some are gone or on another system desktop now.
TEST(PlanRestore, OrderAndFocusComeBackWithoutTheWindowsThatCannot) {
    struct Case {
        const char* what;
        WindowHandle focused;
        std::set<WindowHandle> gone;
        std::set<WindowHandle> cloaked;
        std::vector<WindowHandle> shown;  // back to front
        std::vector<WindowHandle> stack;  // front to back
        WindowHandle focus;
    };
    const Case cases[] = {
        {"all there, the second had the focus", 2, {}, {}, {4, 3, 2, 1}, {1, 2, 3, 4}, 2},
        {"no focus known: the front-most", 0, {}, {}, {4, 3, 2, 1}, {1, 2, 3, 4}, 1},
        {"the focused one closed", 2, {2}, {}, {4, 3, 1}, {1, 3, 4}, 1},
        {"the front one moved to another system desktop", 1, {}, {1}, {4, 3, 2}, {2, 3, 4}, 2},
        {"all gone", 3, {1, 2, 3, 4}, {}, {}, {}, 0},
    };
    DeskWindows entries;
    for (const WindowHandle window : {1, 2, 3, 4})
        entries.push_back({window, 0, "", "App", {}, false});
    for (const Case& c : cases) {
        const RestorePlan plan = planRestore(entries, c.focused, [&](const WindowEntry& entry) {
            return WindowNow{c.gone.contains(entry.window), c.cloaked.contains(entry.window)};
        });
        std::vector<WindowHandle> shown;
        for (const WindowEntry& entry : plan.show)
            shown.push_back(entry.window);
        EXPECT_EQ(shown, c.shown) << c.what;
        EXPECT_EQ(plan.stack, c.stack) << c.what;
        EXPECT_EQ(plan.focus, c.focus) << c.what;
    }
}

}  // namespace
}  // namespace koruvan
