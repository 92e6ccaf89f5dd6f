#include "store/program_folder.h"

#include <string>

namespace koruvan {
namespace {

// Of no other use: a trial that a crash cut off is written over and deleted by the next start's.
constexpr const char* kTrialFile = "KORUVAN-write.tmp";

}  // namespace

bool canWriteProgramFolder(Platform& platform, const SharedState& state) {
    const std::string trial = state.programDir + kTrialFile;
    if (!platform.replaceFileBytes(trial, {})) return false;
    platform.deleteFile(trial);
    return true;
}

}  // namespace koruvan
