#include "store/first_run.h"

#include "store/desk_appearance.h"
#include "store/desk_identity.h"
#include "store/desk_swap.h"
#include "store/settings.h"

namespace koruvan {

namespace {

bool holdsItems(Platform& platform, const SharedState& state, int desk) {
    for (const std::string& name : platform.files.listPlainFiles(deskFolder(state, desk))) {
        if (!isTemporaryName(state.items, name)) return true;
    }
    return false;
}

// A fresh start over a store already in use (the settings file was deleted): every desk folder that still
// holds items is a desk again, named after its folder, under the identity the record knew it by, so that its
// items, its files left on the Desktop and the pool's copies of its items stay its own; no later desk of its
// slot ever gets them. The desk whose items the Desktop holds is the one the start resumes at.
void reviveDesks(Platform& platform, SharedState& state) {
    const ItemRecord& record = state.items;
    for (int slot = 0; slot < kDeskCount; ++slot) {
        const DeskId recorded = record.slotNumbered ? 0 : record.desks[static_cast<std::size_t>(slot)];
        const bool onDesktop = recorded != 0 && recorded == record.onDesktop;
        if (!onDesktop && !holdsItems(platform, state, slot)) continue;
        Desk& desk = state.deskTable[static_cast<std::size_t>(slot)];
        desk.name = slot == 0 ? kFirstDeskName : "dsk" + std::to_string(slot);
        desk.id = recorded;
        if (onDesktop) state.currentDesk = static_cast<std::int16_t>(slot);
    }
}

void firstRun(Platform& platform, SharedState& state) {
    // A folder already there is no failure, and one that cannot be made leaves its desk's items on the
    // Desktop, which the start's placement warning and each switch's report tell.
    for (int desk = 0; desk < kDeskCount; ++desk)
        (void)platform.files.makeFolder(deskFolder(state, desk));
    (void)platform.files.makeFolder(poolFolder(state));

    state.deskTable = {};
    takeFirstRunSettings(state);
    reviveDesks(platform, state);
    Desk& current = state.deskTable[static_cast<std::size_t>(state.currentDesk)];
    if (!current.exists()) current.name = kFirstDeskName;
    takeScreenAppearance(platform, current);
    giveDeskIdentities(state);
    adoptSlotNumbers(state);
    storeFirstDesk(platform, state);
    // An unwritable program folder is what the start's placement warning tells.
    (void)saveSettings(platform.files, state);
    (void)saveDeskTable(platform.files, state);
}

}  // namespace

void loadOrCreateSettings(Platform& platform, SharedState& state) {
    if (!loadSettings(platform, state)) firstRun(platform, state);
}

}  // namespace koruvan
