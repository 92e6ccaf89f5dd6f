#include "bar/desk_icons.h"

#include <algorithm>
#include <cstdio>
#include <utility>

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

void DeskIconKeeper::replacePutBack(std::optional<PutBack> next) {
    pending_ = std::move(next);
    ++round_;
}

void DeskIconKeeper::leaveDesk(int desk) {
    const bool waiting = pending_ && pending_->desk == desk;
    replacePutBack(std::nullopt);
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
    std::optional<PutBack> next;
    if (state_.keepIconPositions && layouts().count(iconLayoutKey(state_, desk)) != 0) {
        std::optional<std::set<std::string>> keys;
        if (only) {
            keys.emplace();
            for (const std::string& name : *only)
                keys->insert(fileNameKey(name));
        }
        next = PutBack{desk, std::move(keys), platform_.session.monotonicSeconds()};
    }
    replacePutBack(std::move(next));
    if (pending_ || unsaved_) view_.checkAfter(LaterCheck::Icons, kIconCheckSeconds);
}

void DeskIconKeeper::start(const std::vector<std::string>& placed) {
    if (!placed.empty()) enterDesk(state_.currentDesk, std::set<std::string>(placed.begin(), placed.end()));
    findView_ = state_.keepIconPositions;
    view_.checkAfter(LaterCheck::Icons, kIconCheckSeconds);
}

void DeskIconKeeper::onCheck() {
    save();
    if (std::exchange(findView_, false) && !pending_) (void)platform_.shell.readDesktopIcons();
    if (!pending_) return;
    const PutBack putBack = *pending_;
    const int round = round_;
    const double waited = platform_.session.monotonicSeconds() - putBack.startedAt;
    const std::optional<int> moved = tryPutBack(putBack, round);
    // The shell's calls may let events run: a switch among them ended this put-back and began its own.
    if (round != round_) return;
    if (moved) {
        endPutBack(putBack.desk, "placed " + std::to_string(*moved), waited);
    } else if (waited >= kIconWaitSeconds) {
        endPutBack(putBack.desk, "not listed", waited);  // the view is left as it is
    } else {
        view_.checkAfter(LaterCheck::Icons, kIconCheckSeconds);
    }
}

std::optional<int> DeskIconKeeper::tryPutBack(const PutBack& putBack, int round) {
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
    if (plan.waiting || round != round_) return std::nullopt;
    if (plan.moves.empty()) return 0;
    // A view that refused is asked again until the wait ends.
    if (!platform_.shell.positionDesktopIcons(plan.moves)) return std::nullopt;
    return static_cast<int>(plan.moves.size());
}

void DeskIconKeeper::endPutBack(int desk, const std::string& outcome, double waited) {
    if (logTimes_) {
        char line[96];
        std::snprintf(line, sizeof(line), "icons %d %s after %.1f ms\r\n", desk, outcome.c_str(),
                      waited * 1000);
        // A log line lost is no loss: the times are for measuring.
        (void)platform_.files.appendFileBytes(state_.programDir + kSwitchTimesFile, line);
    }
    replacePutBack(std::nullopt);
}

void DeskIconKeeper::save() {
    if (!unsaved_) return;
    // Unwritten, the layouts stay in memory and the next switch writes them again.
    unsaved_ = !writeIconLayouts(platform_.files, iconLayoutPath(state_), layouts());
}

void DeskIconKeeper::forgetDesk(int desk) {
    if (pending_ && pending_->desk == desk) replacePutBack(std::nullopt);
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
    if (!state_.keepIconPositions) replacePutBack(std::nullopt);
    report.noteSettingsWrite(
        writeUserValue(platform_.files, state_, kKeepIconPositionsKey, state_.keepIconPositions ? 1 : 0));
}

}  // namespace koruvan
