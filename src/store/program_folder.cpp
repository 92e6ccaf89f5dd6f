#include "store/program_folder.h"

#include <string>

namespace koruvan {
namespace {

// Of no other use: a trial that a crash cut off is written over and deleted by the next start's.
constexpr const char* kTrialFile = "KORUVAN-write.tmp";

}  // namespace

bool canWriteProgramFolder(Platform& platform, const SharedState& state) {
    const std::string trial = state.programDir + kTrialFile;
    if (!platform.files.replaceFileBytes(trial, {})) return false;
    // One left behind is written over and deleted by the next start's trial.
    (void)platform.files.deleteFile(trial);
    return true;
}

}  // namespace koruvan
