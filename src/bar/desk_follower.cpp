#include "bar/desk_follower.h"

#include <algorithm>
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
    bool untied(int desk) const { return ties[static_cast<std::size_t>(desk)].empty(); }
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
    missing_.clear();
    key_.reset();
    newDesktop_.reset();
}

std::vector<FollowAction> DeskFollower::update(const std::optional<SystemDesktops>& read,
                                               const SharedState& state) {
    if (!following_ || !read) return {};
    Plan plan{state.deskTable, state.deskTies, state.currentDesk, {}};
    bool settled = true;
    if (!known_) {
        tieAll(*read, plan);
    } else if ((settled = noteRemovals(*read, plan))) {
        tieNewDesktops(*read, plan);
        followRenames(*read, plan);
    }
    followCurrent(*read, plan);
    // A list half rewritten is not taken as the known one: what it lacks may come back.
    if (settled) known_ = *read;
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
    const bool currentNamed =
        isDeskIndex(plan.currentDesk) && plan.desks[static_cast<std::size_t>(plan.currentDesk)].exists();
    if (plan.tiedTo(read.current) < 0 && currentNamed && plan.untied(plan.currentDesk))
        plan.add(FollowAction::tieDesk(plan.currentDesk, read.current));
    std::deque<int> free;
    for (int desk : namedDesks(plan.desks)) {
        if (plan.untied(desk)) free.push_back(desk);
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
// the Desktop holds that desk's items: then the desk stays, untied. Several gone in one read were not the
// user's doing (Explorer started afresh, another profile): their desks stay, untied.
bool DeskFollower::noteRemovals(const SystemDesktops& read, Plan& plan) {
    const double now = clock_();
    std::vector<std::string> gone;
    for (const std::string& tie : plan.ties) {
        if (!tie.empty() && !read.find(tie) && !missing_.contains(tie)) gone.push_back(tie);
    }
    for (const std::string& tie : gone)
        missing_.emplace(tie, Missing{now, gone.size() > 1});
    bool settled = true;
    for (auto it = missing_.begin(); it != missing_.end();) {
        const int desk = plan.tiedTo(it->first);
        if (desk < 0 || read.find(it->first)) {
            it = missing_.erase(it);
        } else if (now - it->second.since < kRemovalGraceSeconds) {
            settled &= !it->second.withOthers;
            ++it;
        } else {
            if (it->second.withOthers) {
                plan.add(FollowAction::untieLostDesk(desk));
            } else {
                plan.add(desk == plan.currentDesk ? FollowAction::untieDesk(desk)
                                                  : FollowAction::deleteDesk(desk));
            }
            it = missing_.erase(it);
        }
    }
    return settled;
}

// A desktop the system made since the last read gets a desk of its own, or the desk its making was asked
// for. One that was there untied stays so.
void DeskFollower::tieNewDesktops(const SystemDesktops& read, Plan& plan) {
    for (std::size_t k = 0; k < read.desktops.size(); ++k) {
        const std::string& id = read.desktops[k].id;
        if (known_->find(id) || plan.tiedTo(id) >= 0) continue;
        if (newDesktop_ && clock_() < newDesktop_->deadline &&
            plan.desks[static_cast<std::size_t>(newDesktop_->desk)].exists() &&
            plan.untied(newDesktop_->desk)) {
            plan.add(FollowAction::tieDesk(newDesktop_->desk, id));
            newDesktop_.reset();
            continue;
        }
        plan.makeDesk(read, k);
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
    if (keysOnTheWay(read, plan) || read.current == followed_) return;
    followed_ = read.current;
    const int desk = plan.tiedTo(read.current);
    // An untied desktop: the Desktop keeps the items it has.
    if (desk < 0 || desk == plan.currentDesk) return;
    plan.add(FollowAction::followSwitch(desk, !read.find(read.current)->keepsWallpaper));
}

// A key that arrived short of its target sends the next; one still on its way is waited for. The target
// reached, the system gone elsewhere, or no answer in time: the keys are over, and where the system is, is
// followed.
bool DeskFollower::keysOnTheWay(const SystemDesktops& read, Plan& plan) {
    if (!key_) return false;
    if (read.current == key_->step && read.current != key_->target && read.find(key_->target)) {
        plan.add(pressTowards(read, key_->target, read.current));
        return true;
    }
    if (read.current == key_->from && clock_() < key_->deadline) return true;
    key_.reset();
    return false;
}

FollowAction DeskFollower::pressTowards(const SystemDesktops& read, const std::string& target,
                                        const std::string& from) {
    const int at = read.indexOf(from);
    const int step = read.indexOf(target) > at ? 1 : -1;
    key_ = KeyOnTheWay{target, read.desktops[static_cast<std::size_t>(at + step)].id, from,
                       clock_() + kSecondsPerKeySwitch};
    return FollowAction::pressKeys(step);
}

std::vector<FollowAction> DeskFollower::chooseDesk(int desk, const SharedState& state) {
    if (!following_ || !isDeskIndex(desk)) return {};
    const bool current = desk == state.currentDesk;
    const std::string& tie = state.deskTies[static_cast<std::size_t>(desk)];
    if (!known_ || (!tie.empty() && !known_->find(tie)))
        return current ? std::vector<FollowAction>{} : std::vector{FollowAction::followSwitch(desk, true)};
    if (tie.empty()) {
        // A second choice while the first desktop is on its way makes no second one.
        const bool asked = newDesktop_ && newDesktop_->desk == desk && clock_() < newDesktop_->deadline;
        if (current || asked) return {};
        key_.reset();
        newDesktop_ = NewDesktopFor{desk, clock_() + kSecondsForNewDesktop};
        return {FollowAction::makeDesktop(desk)};
    }
    newDesktop_.reset();
    if (tie != known_->current) return {pressTowards(*known_, tie, known_->current)};
    // The system is there already; the Desktop may hold another desk's items.
    key_.reset();
    if (current) return {};
    return {FollowAction::followSwitch(desk, !known_->find(tie)->keepsWallpaper)};
}

std::optional<double> DeskFollower::secondsUntilCheck() const {
    std::optional<double> due;
    const auto consider = [&](double at) { due = std::min(due.value_or(at), at); };
    for (const auto& [desktop, missing] : missing_)
        consider(missing.since + kRemovalGraceSeconds);
    if (key_) consider(key_->deadline);
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
