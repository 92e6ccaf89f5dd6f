#include "bar/desk_icons.h"

#include <algorithm>
#include <cstdio>

#include "core/paths.h"
#include "core/step_log.h"
#include "store/icon_layout_file.h"
#include "store/settings.h"

namespace koruvan {

constexpr const char* kKeepIconPositionsText = "アイコンの位置をデスクごとに保存";

DeskIconKeeper::DeskIconKeeper(Platform& platform, SharedState& state, BarView& view)
    : platform_(platform), state_(state), view_(view) {}

IconLayouts& DeskIconKeeper::layouts() {
    if (!layouts_) layouts_ = readIconLayouts(platform_.files, iconLayoutPath(state_));
    return *layouts_;
}

void DeskIconKeeper::leaveDesk(int desk) {
    const bool waiting = pending_ && pending_->desk == desk;
    pending_.reset();
    if (!state_.keepIconPositions || waiting || iconLayoutKey(state_, desk).empty()) return;
    const std::optional<DesktopIconView> view = platform_.shell.readDesktopIcons();
    if (!view || view->autoArrange) return;
    DeskIconLayout& layout = layouts()[iconLayoutKey(state_, desk)][view->screen];
    DeskIconLayout seen = layoutSeen(layout, deskItemsOnDesktop(platform_, state_, desk), view->icons);
    if (seen == layout) return;
    layout = std::move(seen);
    unsaved_ = true;
}

void DeskIconKeeper::enterDesk(int desk, std::optional<std::set<std::string>> only) {
    pending_.reset();
    if (state_.keepIconPositions && layouts().count(iconLayoutKey(state_, desk)) != 0) {
        std::optional<std::set<std::string>> keys;
        if (only) {
            keys.emplace();
            for (const std::string& name : *only)
                keys->insert(fileNameKey(name));
        }
        pending_ = PutBack{desk, std::move(keys), platform_.session.monotonicSeconds()};
    }
    if (pending_ || unsaved_) view_.checkIconsAfter(kIconCheckSeconds);
}

void DeskIconKeeper::onCheck() {
    save();
    if (!pending_) return;
    const double waited = platform_.session.monotonicSeconds() - pending_->startedAt;
    if (const std::optional<int> moved = tryPutBack(*pending_)) {
        endPutBack("placed " + std::to_string(*moved), waited);
    } else if (waited >= kIconWaitSeconds) {
        endPutBack("not listed", waited);  // the view is left as it is
    } else {
        view_.checkIconsAfter(kIconCheckSeconds);
    }
}

std::optional<int> DeskIconKeeper::tryPutBack(const PutBack& putBack) {
    const std::optional<DesktopIconView> view = platform_.shell.readDesktopIcons();
    if (!view) return std::nullopt;   // none yet
    if (view->autoArrange) return 0;  // the places are the view's own
    const auto desk = layouts().find(iconLayoutKey(state_, putBack.desk));
    if (desk == layouts().end()) return 0;
    const auto layout = desk->second.find(view->screen);
    if (layout == desk->second.end()) return 0;  // one of another screen is never stretched
    std::vector<LayoutItem> items = deskItemsOnDesktop(platform_, state_, putBack.desk);
    if (putBack.only) {
        std::erase_if(items, [&](const LayoutItem& item) {
            return !putBack.only->contains(fileNameKey(item.desktopName));
        });
    }
    const IconPutBack plan = putBackPlan(layout->second, items, view->icons);
    if (plan.waiting) return std::nullopt;
    if (plan.moves.empty()) return 0;
    // A view that refused is asked again until the wait ends.
    if (!platform_.shell.positionDesktopIcons(plan.moves)) return std::nullopt;
    return static_cast<int>(plan.moves.size());
}

void DeskIconKeeper::endPutBack(const std::string& outcome, double waited) {
    if (logTimes_) {
        char line[96];
        std::snprintf(line, sizeof(line), "icons %d %s after %.1f ms\r\n", pending_->desk, outcome.c_str(),
                      waited * 1000);
        // A log line lost is no loss: the times are for measuring.
        (void)platform_.files.appendFileBytes(state_.programDir + kSwitchTimesFile, line);
    }
    pending_.reset();
}

void DeskIconKeeper::save() {
    if (!unsaved_) return;
    // Unwritten, the layouts stay in memory and the next switch writes them again.
    unsaved_ = !writeIconLayouts(platform_.files, iconLayoutPath(state_), layouts());
}

void DeskIconKeeper::forgetDesk(int desk) {
    if (pending_ && pending_->desk == desk) pending_.reset();
    if (layouts().erase(iconLayoutKey(state_, desk)) == 0) return;
    unsaved_ = true;
    save();
}

TrayToggle DeskIconKeeper::trayToggle() const {
    return {.command = MenuCommand::KeepIconPositions,
            .text = kKeepIconPositionsText,
            .checked = state_.keepIconPositions};
}

void DeskIconKeeper::onTrayToggle(StoreReport& report) {
    state_.keepIconPositions = !state_.keepIconPositions;
    if (!state_.keepIconPositions) pending_.reset();
    report.noteSettingsWrite(
        writeUserValue(platform_.files, state_, kKeepIconPositionsKey, state_.keepIconPositions ? 1 : 0));
}

}  // namespace koruvan
