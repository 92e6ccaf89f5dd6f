#include "bar/desk_follower.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <limits>

#include "bar/desk_keys.h"
#include "store/desk_ties.h"

namespace koruvan {

// The desks as the steps planned so far leave them, and the steps.
struct DeskFollower::Plan {
    DeskTable desks;
    DeskTies ties;
    int currentDesk = 0;
    std::vector<FollowAction> actions;

    void add(FollowAction action) {
        applyToDesks(action, desks, ties);
        actions.push_back(std::move(action));
    }
    int tiedTo(std::string_view desktop) const { return deskTiedTo(ties, desktop); }
    // A tied desk takes the system's name, when the system has one.
    void rename(int desk, const std::string& name) {
        if (!name.empty() && desks[static_cast<std::size_t>(desk)].name != name)
            add(FollowAction::renameDesk(desk, name));
    }
    // A new desk in the first free slot; none free, the desktop stays untied.
    void makeDesk(const SystemDesktops& read, std::size_t index) {
        const auto free = std::find_if(desks.begin(), desks.end(), [](const Desk& d) { return !d.exists(); });
        if (free == desks.end()) return;
        const SystemDesktop& desktop = read.desktops[index];
        std::string name = desktop.name.empty() ? "デスクトップ " + std::to_string(index + 1) : desktop.name;
        add(FollowAction::makeDesk(static_cast<int>(free - desks.begin()), std::move(name), desktop.id));
    }
};

void DeskFollower::start() {
    stop();
    following_ = true;
}

void DeskFollower::stop() {
    following_ = false;
    known_.reset();
    followed_.clear();
    missingSince_.clear();
    awaited_.reset();
}

std::vector<FollowAction> DeskFollower::update(const std::optional<SystemDesktops>& read,
                                               const SharedState& state) {
    if (!following_ || !read) return {};
    Plan plan{state.deskTable, state.deskTies, state.currentDesk, {}};
    if (!known_) {
        tieAll(*read, plan);
    } else {
        noteRemovals(*read, plan);
        tieNewDesktops(*read, plan);
        followRenames(*read, plan);
    }
    followCurrent(*read, plan);
    known_ = *read;
    return plan.actions;
}

// Ties kept from before hold while their desktop is there. One gone meanwhile was never seen to go: its desk
// stays, untied, and may take another desktop.
void DeskFollower::tieAll(const SystemDesktops& read, Plan& plan) const {
    for (int desk = 0; desk < kDeskCount; ++desk) {
        const std::string& tie = plan.ties[static_cast<std::size_t>(desk)];
        if (!tie.empty() && (!plan.desks[static_cast<std::size_t>(desk)].exists() || !read.find(tie)))
            plan.add(FollowAction::untieDesk(desk));
    }
    const auto untied = [&](int desk) { return plan.ties[static_cast<std::size_t>(desk)].empty(); };
    const bool currentNamed =
        isDeskIndex(plan.currentDesk) && plan.desks[static_cast<std::size_t>(plan.currentDesk)].exists();
    if (plan.tiedTo(read.current) < 0 && currentNamed && untied(plan.currentDesk))
        plan.add(FollowAction::tieDesk(plan.currentDesk, read.current));
    std::deque<int> free;
    for (int desk : namedDesks(plan.desks)) {
        if (untied(desk)) free.push_back(desk);
    }
    for (std::size_t k = 0; k < read.desktops.size(); ++k) {
        const std::string& id = read.desktops[k].id;
        if (plan.tiedTo(id) >= 0) continue;
        if (free.empty()) {
            plan.makeDesk(read, k);
            continue;
        }
        plan.add(FollowAction::tieDesk(free.front(), id));
        free.pop_front();
    }
    for (const SystemDesktop& desktop : read.desktops) {
        if (const int desk = plan.tiedTo(desktop.id); desk >= 0) plan.rename(desk, desktop.name);
    }
}

// A tied desktop gone from the list and still gone kRemovalGraceSeconds later takes its desk with it, unless
// the Desktop holds that desk's items: then the desk stays, untied.
void DeskFollower::noteRemovals(const SystemDesktops& read, Plan& plan) {
    const double now = clock_();
    for (const std::string& tie : plan.ties) {
        if (!tie.empty() && !read.find(tie)) missingSince_.try_emplace(tie, now);
    }
    for (auto it = missingSince_.begin(); it != missingSince_.end();) {
        const int desk = plan.tiedTo(it->first);
        if (desk < 0 || read.find(it->first)) {
            it = missingSince_.erase(it);
        } else if (now - it->second >= kRemovalGraceSeconds) {
            plan.add(desk == plan.currentDesk ? FollowAction::untieDesk(desk)
                                              : FollowAction::deleteDesk(desk));
            it = missingSince_.erase(it);
        } else {
            ++it;
        }
    }
}

// A desktop the system made since the last read gets a desk of its own. One that was there untied stays so.
void DeskFollower::tieNewDesktops(const SystemDesktops& read, Plan& plan) const {
    for (std::size_t k = 0; k < read.desktops.size(); ++k) {
        const std::string& id = read.desktops[k].id;
        if (!known_->find(id) && plan.tiedTo(id) < 0) plan.makeDesk(read, k);
    }
}

// Only a name the user changed in the system: a desk renamed in the program keeps its name until then.
void DeskFollower::followRenames(const SystemDesktops& read, Plan& plan) const {
    for (const SystemDesktop& desktop : read.desktops) {
        const int desk = plan.tiedTo(desktop.id);
        const SystemDesktop* before = known_->find(desktop.id);
        if (desk >= 0 && (!before || before->name != desktop.name)) plan.rename(desk, desktop.name);
    }
}

void DeskFollower::followCurrent(const SystemDesktops& read, Plan& plan) {
    // Keys that arrived, or whose time is up, are waited for no more, whether the system moved or not.
    if (awaited_ && (read.current == awaited_->desktop || clock_() >= awaited_->deadline)) awaited_.reset();
    // The desktops the keys pass on their way are not followed.
    if (awaited_ || read.current == followed_) return;
    followed_ = read.current;
    const int desk = plan.tiedTo(read.current);
    // An untied desktop: the Desktop keeps the items it has.
    if (desk < 0 || desk == plan.currentDesk) return;
    plan.add(FollowAction::followSwitch(desk, !read.find(read.current)->keepsWallpaper));
}

std::vector<FollowAction> DeskFollower::chooseDesk(int desk, const SharedState& state) {
    if (!isDeskIndex(desk)) return {};
    const std::string& tie = state.deskTies[static_cast<std::size_t>(desk)];
    if (!following_ || !known_ || tie.empty() || !known_->find(tie)) {
        if (desk == state.currentDesk) return {};
        return {FollowAction::switchToDesk(desk)};
    }
    const int presses = known_->indexOf(tie) - known_->indexOf(known_->current);
    if (presses == 0) {
        // The system is there already; the Desktop may hold an untied desk's items.
        if (desk == state.currentDesk) return {};
        return {FollowAction::followSwitch(desk, !known_->find(tie)->keepsWallpaper)};
    }
    awaited_ = Awaited{tie, clock_() + kSecondsPerKeySwitch * std::abs(presses)};
    return {FollowAction::pressKeys(presses)};
}

std::optional<double> DeskFollower::secondsUntilCheck() const {
    std::optional<double> due;
    const auto consider = [&](double at) { due = std::min(due.value_or(at), at); };
    for (const auto& [desktop, since] : missingSince_)
        consider(since + kRemovalGraceSeconds);
    if (awaited_) consider(awaited_->deadline);
    if (!due) return std::nullopt;
    return std::max(0.0, *due - clock_());
}

std::vector<int> DeskFollower::viewOrder(const DeskTable& desks, const DeskTies& ties) const {
    std::vector<int> order = namedDesks(desks);
    if (!following_ || !known_) return order;
    const auto place = [&](int desk) {
        const int index = known_->indexOf(ties[static_cast<std::size_t>(desk)]);
        return index < 0 ? std::numeric_limits<int>::max() : index;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return place(a) < place(b); });
    return order;
}

}  // namespace koruvan
