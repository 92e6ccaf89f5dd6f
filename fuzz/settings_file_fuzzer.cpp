// The settings file as a user's editor, an older version or a damaged disk may leave it, in any encoding:
// loading it never fails, always leaves a current desk that exists, and every desk read from it is written
// back and read again unchanged, its identity beside it. The switch journal goes through the same reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_platform.h"
#include "store/first_run.h"
#include "store/profile_file.h"
#include "store/settings.h"
#include "store/switch_journal.h"

namespace koruvan::fuzzing {
namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace
}  // namespace koruvan::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace koruvan;
    static fuzzing::MemoryFilePlatform platform;
    platform.file = std::string(reinterpret_cast<const char*>(data), size);

    SharedState state;
    state.programDir = "C:\\KORUVAN\\";
    state.desktopFolder = "C:\\Users\\user\\Desktop\\";
    loadOrCreateSettings(platform, state);
    const Desk* current = deskAt(state, state.currentDesk);
    fuzzing::Check(current != nullptr && current->exists());

    if (const auto journal = readSwitchJournal(platform, state)) {
        fuzzing::Check(isDeskIndex(journal->oldDesk) && isDeskIndex(journal->newDesk) &&
                       journal->oldDesk != journal->newDesk);
    }

    const SharedState loaded = state;
    (void)saveDeskTable(platform, state);
    const ProfileFile file(platform, state.settingsPath());
    for (int desk = 0; desk < kDeskCount; ++desk) {
        Desk reread;
        readDeskLine(file.readString(kDeskTopSection, std::to_string(desk), ""), reread);
        const Desk& original = loaded.deskTable[static_cast<std::size_t>(desk)];
        reread.id = original.id;  // kept beside the line, not in it
        fuzzing::Check(!original.exists() || reread == original);
        fuzzing::Check(!original.exists() || file.readString(kDeskIdsSection, std::to_string(desk), "") ==
                                                 std::to_string(original.id));
    }
    return 0;
}
