#include "bar/desk_programs.h"

#include <algorithm>

#include "bar/desk_keys.h"
#include "store/desk_identity.h"
#include "store/settings.h"
#include "store/window_table.h"

namespace koruvan {

namespace {

std::string rememberedPath(const SharedState& state) {
    return state.programDir + "KORUVAN.windows";
}

constexpr const char* kBalloonTitle = "このプログラムを開くデスク";
constexpr const char* kFullText = "のウィンドウがいっぱいのため、新しいウィンドウを移せませんでした。";

}  // namespace

DeskPrograms::DeskPrograms(Platform& platform, SharedState& state, BarView& view, BarNotices& notices,
                           DeskWindowKeeper& windows)
    : platform_(platform), state_(state), view_(view), notices_(notices), windows_(windows) {}

void DeskPrograms::start() {
    startText_ = platform_.files.readFileBytes(rememberedPath(state_));
    remembered_ = startText_ ? parseRememberedWindows(*startText_) : RememberedWindows{};
    if (active()) {
        // The windows open now take only their remembered desks, the same titles first: a window whose title
        // changed must not take the entry of another that kept its own. Rules are for windows opened later.
        std::vector<WindowHandle> rest;
        for (const TopLevelWindow& window : platform_.windows.listTopLevelWindows()) {
            if (window.visible && !place(window.window, Match::SameTitle)) rest.push_back(window.window);
        }
        for (const WindowHandle window : rest)
            place(window, Match::Remembered);
    }
    updateWatch();
}

void DeskPrograms::updateWatch() {
    const bool on = active() && !ended_ && (!state_.programRules.empty() || !remembered_.empty());
    // The windows already on the screen when the watch begins are no new ones, whatever they do later.
    if (on && !watching_) {
        for (const TopLevelWindow& window : platform_.windows.listTopLevelWindows()) {
            if (window.visible) decided_.insert(window.window);
        }
    }
    watching_ = on;
    view_.watchNewWindows(on);
}

// A window this program shows again (the hide option), or one decided on before, is no new one.
bool DeskPrograms::isKnown(WindowHandle window) const {
    if (decided_.contains(window)) return true;
    return std::any_of(state_.windowTable.begin(), state_.windowTable.end(), [&](const DeskWindows& entries) {
        return std::any_of(entries.begin(), entries.end(),
                           [&](const WindowEntry& e) { return e.window == window; });
    });
}

void DeskPrograms::onWindowAppeared(WindowHandle window, bool busy) {
    if (!watching_ || isKnown(window)) return;
    if (std::none_of(waiting_.begin(), waiting_.end(), [&](const Waiting& w) { return w.window == window; }))
        waiting_.push_back({window, platform_.session.monotonicSeconds()});
    onCheckDue(busy);
}

// A window is decided on once it is shown; one still hidden after a while is never a desk's window.
void DeskPrograms::onCheckDue(bool busy) {
    if (!watching_) waiting_.clear();
    if (busy || waiting_.empty()) {
        if (!waiting_.empty()) view_.checkAfter(LaterCheck::NewWindows, kNewWindowCheckSeconds);
        return;
    }
    const double now = platform_.session.monotonicSeconds();
    std::vector<WindowHandle> shown;
    std::erase_if(waiting_, [&](const Waiting& w) {
        if (platform_.windows.isWindowVisible(w.window)) {
            shown.push_back(w.window);
            return true;
        }
        return now - w.since > kNewWindowPatienceSeconds || platform_.windows.windowProcessId(w.window) == 0;
    });
    for (const WindowHandle window : shown)
        place(window, Match::RememberedOrRule);
    // Handles of windows gone may name other windows later.
    if (decided_.size() > kDecidedKept)
        std::erase_if(decided_, [&](WindowHandle w) { return platform_.windows.windowProcessId(w) == 0; });
    if (!waiting_.empty()) view_.checkAfter(LaterCheck::NewWindows, kNewWindowCheckSeconds);
    updateWatch();
}

// A desk's window goes to the desk it had when the program last ended, else to its program's desk; nothing
// moves when that is the desk on screen.
bool DeskPrograms::place(WindowHandle window, Match match) {
    decided_.insert(window);
    const std::optional<WindowEntry> entry = deskWindowEntry(platform_.windows, window);
    if (!entry) return true;
    const std::string program = platform_.windows.windowProgramFile(window);
    if (program.empty()) return true;
    std::optional<DeskId> desk = match == Match::SameTitle
                                     ? takeRememberedByTitle(remembered_, program, entry->title)
                                     : takeRemembered(remembered_, program, entry->title);
    if (!desk && match == Match::SameTitle) return false;
    if (!desk && match == Match::RememberedOrRule) desk = ruleDesk(state_.programRules, program);
    const int slot = desk ? slotOfDesk(state_, *desk) : -1;
    if (slot < 0 || slot == state_.currentDesk) return true;
    if (!windows_.moveWindow(window, slot)) {
        // Said by the tray icon, not in a box that would come up while another program starts.
        notices_.showTrayBalloon(
            kBalloonTitle,
            "ﾃﾞｽｸﾄｯﾌﾟ「" + state_.deskTable[static_cast<std::size_t>(slot)].name + "」" + kFullText);
    }
    return true;
}

void DeskPrograms::remember() {
    // While the system's desktops keep the windows, the desks know none: an empty list, so that no older one
    // applies at the next start.
    // Once a run: after the session's end the windows hidden are back on the screen, as no desk's.
    if (ended_) return;
    ended_ = true;
    waiting_.clear();
    updateWatch();
    RememberedWindows windows;
    if (active()) {
        windows_.capture();
        for (int slot = 0; slot < kDeskCount; ++slot) {
            const DeskId desk = deskIdAt(state_, slot);
            if (desk == 0) continue;
            for (const WindowEntry& entry : state_.windowTable[static_cast<std::size_t>(slot)]) {
                const std::string program = platform_.windows.windowProgramFile(entry.window);
                // The title it has now, the one it will show at the next start.
                if (!program.empty())
                    windows.push_back({program, platform_.windows.describeWindow(entry.window).title, desk});
            }
        }
    }
    const std::string text = formatRememberedWindows(windows);
    if (startText_ ? text == *startText_ : windows.empty()) return;
    // The program is ending: a record it cannot write leaves the windows where they are at the next start.
    (void)platform_.files.replaceFileBytes(rememberedPath(state_), text);
}

void DeskPrograms::fillTrayItems(TrayWindowItems& items, WindowHandle window,
                                 const std::vector<int>& order) const {
    items.programEnabled = active() && window != 0;
    const std::string program = window != 0 ? platform_.windows.windowProgramFile(window) : std::string();
    const std::optional<DeskId> rule =
        program.empty() ? std::nullopt : ruleDesk(state_.programRules, program);
    const int ruled = rule ? slotOfDesk(state_, *rule) : -1;
    items.programDesks = trayMenuDesks(state_.deskTable, order, ruled, HeldHotkeys{});  // no key leads there
}

void DeskPrograms::onTrayChoice(int slot, WindowHandle window, StoreReport& report) {
    if (!active() || window == 0) return;
    const std::string program = platform_.windows.windowProgramFile(window);
    if (program.empty()) return;
    setRule(state_.programRules, program, slot >= 0 ? deskIdAt(state_, slot) : 0);
    report.noteSettingsWrite(writeProgramRule(platform_.files, state_, program));
    updateWatch();
}

void DeskPrograms::forgetDesk(DeskId desk, StoreReport& report) {
    ProgramRules dropped;
    for (const ProgramRule& rule : state_.programRules) {
        if (rule.desk == desk) dropped.push_back(rule);
    }
    koruvan::forgetDesk(state_.programRules, remembered_, desk);
    for (const ProgramRule& rule : dropped)
        report.noteSettingsWrite(writeProgramRule(platform_.files, state_, rule.program));
    updateWatch();
}

}  // namespace koruvan
