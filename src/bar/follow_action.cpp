#include "bar/follow_action.h"

namespace koruvan {

namespace {
FollowAction stepOn(FollowStep kind, int desk) {
    FollowAction action;
    action.step = kind;
    action.desk = desk;
    return action;
}
}  // namespace

FollowAction FollowAction::tieDesk(int desk, std::string desktop) {
    FollowAction action = stepOn(FollowStep::TieDesk, desk);
    action.desktop = std::move(desktop);
    return action;
}

FollowAction FollowAction::untieDesk(int desk) {
    return stepOn(FollowStep::UntieDesk, desk);
}

FollowAction FollowAction::makeDesk(int desk, std::string name, std::string desktop) {
    FollowAction action = stepOn(FollowStep::MakeDesk, desk);
    action.name = std::move(name);
    action.desktop = std::move(desktop);
    return action;
}

FollowAction FollowAction::deleteDesk(int desk) {
    return stepOn(FollowStep::DeleteDesk, desk);
}

FollowAction FollowAction::renameDesk(int desk, std::string name) {
    FollowAction action = stepOn(FollowStep::RenameDesk, desk);
    action.name = std::move(name);
    return action;
}

FollowAction FollowAction::followSwitch(int desk, bool setWallpaper) {
    FollowAction action = stepOn(FollowStep::FollowSwitch, desk);
    action.setWallpaper = setWallpaper;
    return action;
}

FollowAction FollowAction::pressKeys(int presses) {
    FollowAction action = stepOn(FollowStep::PressKeys, -1);
    action.presses = presses;
    return action;
}

FollowAction FollowAction::makeDesktop(int desk) {
    return stepOn(FollowStep::MakeDesktop, desk);
}

FollowAction FollowAction::untieLostDesk(int desk) {
    return stepOn(FollowStep::UntieLostDesk, desk);
}

void applyToDesks(const FollowAction& action, DeskTable& desks, DeskTies& ties) {
    if (!isDeskIndex(action.desk)) return;
    Desk& desk = desks[static_cast<std::size_t>(action.desk)];
    std::string& tie = ties[static_cast<std::size_t>(action.desk)];
    switch (action.step) {
        case FollowStep::TieDesk:
            tie = action.desktop;
            break;
        case FollowStep::UntieDesk:
        case FollowStep::UntieLostDesk:
            tie.clear();
            break;
        case FollowStep::MakeDesk:
            desk.name = action.name;
            tie = action.desktop;
            break;
        case FollowStep::DeleteDesk:
            // As the desk menu's delete: the style stays with the slot.
            desk = Desk{.name = {}, .wallpaper = {}, .pattern = {}, .background = {}, .style = desk.style};
            tie.clear();
            break;
        case FollowStep::RenameDesk:
            desk.name = action.name;
            break;
        default:  // switches and keys change no desk
            break;
    }
}

}  // namespace koruvan
