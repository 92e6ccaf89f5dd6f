#include "store/first_run.h"

#include "store/desk_appearance.h"
#include "store/desk_swap.h"
#include "store/settings.h"

namespace koruvan {

namespace {

void firstRun(Platform& platform, SharedState& state) {
    // A folder already there is no failure, and one that cannot be made leaves its desk's items on the
    // Desktop, which the start's placement warning and each switch's report tell.
    for (int desk = 0; desk < kDeskCount; ++desk)
        (void)platform.files.makeFolder(deskFolder(state, desk));
    (void)platform.files.makeFolder(poolFolder(state));
    storeFirstDesk(platform, state);

    state.deskTable = {};
    state.deskTable[0].name = kFirstDeskName;
    takeScreenAppearance(platform, state.deskTable[0]);
    takeFirstRunSettings(state);
    // An unwritable program folder is what the start's placement warning tells.
    (void)saveSettings(platform.files, state);
    (void)saveDeskTable(platform.files, state);
}

}  // namespace

void loadOrCreateSettings(Platform& platform, SharedState& state) {
    if (!loadSettings(platform, state)) firstRun(platform, state);
}

}  // namespace koruvan
