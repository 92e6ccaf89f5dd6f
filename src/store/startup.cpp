#include "store/startup.h"

#include "core/paths.h"

namespace koruvan {

InstanceClaim startAsOnlyInstance(Platform& platform, SharedState& state) {
    const InstanceClaim claim = platform.session.claimSingleInstance();
    if (claim != InstanceClaim::Claimed) return claim;
    const std::string dir = platform.session.programDirectory();
    platform.files.setCurrentDirectory(dir);
    state.programDir = withTrailingBackslash(dir);
    return claim;
}

std::string folderInUseText(const std::string& programDir) {
    return "このﾌｫﾙﾀﾞのコルヴァン（" + programDir +
           "）は、ほかのユーザーが使っています。ひとつのﾌｫﾙﾀﾞを二人で使うと、互いのﾃﾞｽｸﾄｯﾌﾟのﾌｧｲﾙが入れ替わっ"
           "て"
           "しまいます。\n\nユーザーごとに自分のﾌｫﾙﾀﾞ（例えば %LOCALAPPDATA%\\Programs\\KORUVAN）に置いた"
           "コルヴァンを使って下さい。";
}

}  // namespace koruvan
