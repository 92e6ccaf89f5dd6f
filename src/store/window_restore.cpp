#include "store/window_restore.h"

#include <algorithm>

namespace koruvan {

RestorePlan planRestore(const DeskWindows& entries, WindowHandle focused,
                        const std::function<WindowNow(const WindowEntry&)>& now) {
    RestorePlan plan;
    for (const WindowEntry& entry : entries) {
        const WindowNow state = now(entry);
        if (state.gone || state.cloaked) continue;
        plan.stack.push_back(entry.window);
        plan.show.insert(plan.show.begin(), entry);
    }
    const bool focusBack = std::find(plan.stack.begin(), plan.stack.end(), focused) != plan.stack.end();
    if (focusBack) {
        plan.focus = focused;
    } else if (!plan.stack.empty()) {
        plan.focus = plan.stack.front();
    }
    return plan;
}

}  // namespace koruvan
