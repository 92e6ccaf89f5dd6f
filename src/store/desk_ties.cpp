#include "store/desk_ties.h"

namespace koruvan {

int deskTiedTo(const DeskTies& ties, std::string_view desktop) {
    if (desktop.empty()) return -1;
    for (int desk = 0; desk < kDeskCount; ++desk) {
        if (ties[static_cast<std::size_t>(desk)] == desktop) return desk;
    }
    return -1;
}

}  // namespace koruvan
