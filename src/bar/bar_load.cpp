#include "bar/bar_load.h"

#include <set>

#include "core/paths.h"
#include "store/appearance.h"
#include "store/desk_folders.h"
#include "store/desk_identity.h"
#include "store/desk_swap.h"
#include "store/first_run.h"
#include "store/program_folder.h"

namespace koruvan {
namespace {

// Its executable and its settings file are plain files of the Desktop: a switch would carry them off.
constexpr const char* kOnDesktopReason =
    "コルヴァンがﾃﾞｽｸﾄｯﾌﾟに置かれています。このままではﾃﾞｽｸﾄｯﾌﾟを切り替えるたびに、コルヴァン自身と設定ﾌｧｲﾙま"
    "で"
    "移動してしまいます。";
// No journal can be made there, so no switch starts.
constexpr const char* kUnwritableReason =
    "コルヴァンのﾌｫﾙﾀﾞに書き込めません。設定もﾃﾞｽｸﾄｯﾌﾟごとのﾌｧｲﾙも保存できません。";
constexpr const char* kPlacementAdvice =
    "コルヴァンは専用のﾌｫﾙﾀﾞ（例えば "
    "%LOCALAPPDATA%\\Programs\\KORUVAN）に置いて下さい。それまではﾃﾞｽｸﾄｯﾌﾟのﾌｧｲﾙを"
    "移動しません。";

}  // namespace

std::vector<std::string> loadDeskState(Platform& platform, SharedState& state, StoreReport& report) {
    state.windowsDir = readWindowsDirectory(platform);
    state.desktopFolder = withTrailingBackslash(readDesktopFolder(platform));
    // Before the settings: it holds the desks' identities, and what a fresh start keeps of the store.
    state.items = readItemRecord(platform.files, state.itemRecordPath());
    loadOrCreateSettings(platform, state);
    std::set<std::string> before;
    for (const std::string& name : platform.files.listPlainFiles(state.desktopFolder))
        before.insert(fileNameKey(name));
    settleStore(platform, state, report);
    if (const Desk* desk = deskAt(state, state.currentDesk)) {
        applyWallpaper(platform, desk->wallpaper, desk->style);
    }
    std::vector<std::string> placed;
    const DeskId current = deskIdAt(state, state.currentDesk);
    for (const auto& [key, entry] : state.items.desktop) {
        if (current != 0 && entry.desk == current && !before.contains(key)) placed.push_back(entry.name);
    }
    return placed;
}

std::string placementWarning(Platform& platform, const SharedState& state) {
    // On the Desktop the trial write is not made: it would flash an icon there.
    const char* reason = isProgramOnDesktop(state)                 ? kOnDesktopReason
                         : !canWriteProgramFolder(platform, state) ? kUnwritableReason
                                                                   : nullptr;
    return reason ? std::string(reason) + "\n\n" + kPlacementAdvice : std::string();
}

}  // namespace koruvan
