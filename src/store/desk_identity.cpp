#include "store/desk_identity.h"

#include <algorithm>

namespace koruvan {
namespace {

// Every identity the store has met, so that a new one repeats none of them.
DeskId highestKnownId(const SharedState& state) {
    const ItemRecord& record = state.items;
    DeskId highest = record.lastDeskId;
    for (const Desk& desk : state.deskTable)
        highest = std::max(highest, desk.id);
    for (const DeskId desk : record.desks)
        highest = std::max(highest, desk);
    if (!record.slotNumbered) {
        highest = std::max(highest, record.onDesktop);
        for (const auto& [key, entry] : record.desktop)
            highest = std::max(highest, entry.desk);
        for (const auto& [key, entry] : record.pool)
            highest = std::max(highest, entry.desk);
    }
    return highest;
}

}  // namespace

DeskId deskIdAt(const SharedState& state, int slot) {
    const Desk* desk = deskAt(state, slot);
    return desk && desk->exists() ? desk->id : 0;
}

int slotOfDesk(const SharedState& state, DeskId desk) {
    if (desk == 0) return -1;
    for (int slot = 0; slot < kDeskCount; ++slot) {
        if (deskIdAt(state, slot) == desk) return slot;
    }
    return -1;
}

DeskId newDeskId(SharedState& state) {
    state.items.lastDeskId = highestKnownId(state) + 1;
    return state.items.lastDeskId;
}

bool giveDeskIdentities(SharedState& state, IdentitySource source) {
    bool given = false;
    for (int slot = 0; slot < kDeskCount; ++slot) {
        Desk& desk = state.deskTable[static_cast<std::size_t>(slot)];
        if (!desk.exists()) desk.id = 0;
        // A file edited by hand may give two desks one identity: the lower slot keeps it.
        if (desk.id != 0 && slotOfDesk(state, desk.id) < slot) desk.id = 0;
        if (!desk.exists() || desk.id != 0) continue;
        const DeskId recorded = source == IdentitySource::New || state.items.slotNumbered
                                    ? 0
                                    : state.items.desks[static_cast<std::size_t>(slot)];
        desk.id = recorded != 0 && slotOfDesk(state, recorded) < 0 ? recorded : newDeskId(state);
        given = true;
    }
    return given;
}

FileResult writeRecord(Platform& platform, SharedState& state) {
    giveDeskIdentities(state);
    for (int slot = 0; slot < kDeskCount; ++slot)
        state.items.desks[static_cast<std::size_t>(slot)] = deskIdAt(state, slot);
    return writeItemRecord(platform.files, state.itemRecordPath(), state.items);
}

void adoptSlotNumbers(SharedState& state) {
    ItemRecord& record = state.items;
    if (!record.slotNumbered) return;
    for (auto& [key, entry] : record.desktop)
        entry.desk = deskIdAt(state, static_cast<int>(entry.desk));
    for (auto& [key, entry] : record.pool)
        entry.desk = deskIdAt(state, static_cast<int>(entry.desk));
    record.slotNumbered = false;
}

}  // namespace koruvan
