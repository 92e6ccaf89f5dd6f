#include "store/desk_ties.h"

#include "core/text.h"
#include "store/profile_file.h"
#include "store/system_desktops.h"

namespace koruvan {

void loadDeskTies(Platform& platform, SharedState& state) {
    const ProfileFile file(platform, state.settingsPath());
    for (int desk = 0; desk < kDeskCount; ++desk) {
        const std::string id = trimBlanks(file.readString(kSystemDesksSection, std::to_string(desk), ""));
        std::string& tie = state.deskTies[static_cast<std::size_t>(desk)];
        tie.clear();
        if (isDesktopId(id) && state.deskTable[static_cast<std::size_t>(desk)].exists() &&
            deskTiedTo(state.deskTies, id) < 0) {
            tie = id;
        }
    }
}

bool writeDeskTie(Platform& platform, const SharedState& state, int desk) {
    if (!isDeskIndex(desk)) return false;
    return ProfileFile(platform, state.settingsPath())
        .writeString(kSystemDesksSection, std::to_string(desk),
                     state.deskTies[static_cast<std::size_t>(desk)]);
}

int deskTiedTo(const DeskTies& ties, std::string_view desktop) {
    if (desktop.empty()) return -1;
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (ties[static_cast<std::size_t>(desk)] == desktop) return desk;
    }
    return -1;
}

}  // namespace koruvan
