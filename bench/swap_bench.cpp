// A desk switch's file swap on real folders: swapDesk, which moves the Desktop's items by renaming them and
// brings the new desk's in as second names of the stored files, against the literal algorithm that copies
// each item and then deletes it. Each iteration switches between two desks of the same size, so every
// iteration does the same work.

#include <benchmark/benchmark.h>

#include "fake/fake_platform.h"
#include "store/appearance.h"
#include "store/desk_swap.h"

namespace koruvan {
namespace {

constexpr const char* kDesktop = "C:\\Users\\user\\Desktop\\";

struct swapSetup {
    testing::FakePlatform fake;
    SharedState state;

    swapSetup(std::int64_t items, std::int64_t bytes) {
        state.programDir = fake.programDir;
        state.desktopFolder = kDesktop;
        state.deskTable[0].name = "desk 0";
        state.deskTable[1].name = "desk 1";
        (void)fake.makeFolder(deskFolder(state, 0));  // writeFile makes the others
        const std::string content(static_cast<std::size_t>(bytes), 'x');
        for (std::int64_t i = 0; i < items; ++i) {
            const std::string name = "item " + std::to_string(i) + ".lnk";
            fake.writeFile(kDesktop + name, content);
            fake.writeFile(deskFolder(state, 1) + name, content);
        }
        fake.clearCalls();
    }
};

// Every Desktop file copied into the old desk's folder and then deleted, as one copy-everything swap does it.
// It checks nothing, as that algorithm did not.
bool literalSwapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk) {
    FileSystem& files = platform.files;
    platform.session.setBusyPointer(true);
    const std::string oldFolder = deskFolder(state, oldDesk);
    const std::string newFolder = deskFolder(state, newDesk);
    for (const std::string& name : files.listPlainFiles(oldFolder))
        (void)files.deleteFile(oldFolder + name);
    for (const std::string& name : files.listPlainFiles(state.desktopFolder)) {
        (void)files.copyFile(state.desktopFolder + name, oldFolder + name);
        (void)files.deleteFile(state.desktopFolder + name);
    }
    for (const std::string& name : files.listPlainFiles(newFolder))
        (void)files.copyFile(newFolder + name, state.desktopFolder + name);
    platform.session.pumpPendingEvents();
    const Desk& desk = state.deskTable[static_cast<std::size_t>(newDesk)];
    applyWallpaper(platform, desk.wallpaper, desk.style);
    platform.session.setBusyPointer(false);
    return true;
}

template <bool (*Swap)(Platform&, SharedState&, int, int)>
void BM_Swap(benchmark::State& run) {
    swapSetup setup(run.range(0), run.range(1));
    int shown = 0;
    for (auto _ : run) {
        const int next = 1 - shown;
        Swap(setup.fake, setup.state, shown, next);
        shown = next;
        setup.fake.clearCalls();
    }
    run.SetItemsProcessed(run.iterations() * run.range(0));
}

void swapArguments(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"items", "bytes"})->Args({100, 2048})->Args({500, 2048})->Args({100, 2 << 20});
    bench->Unit(benchmark::kMillisecond);
}

// The program's whole file work of a switch: the swap, then the record of items and LastUse.
bool programSwapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk) {
    StoreReport report;
    if (!swapDesk(platform, state, oldDesk, newDesk, report)) return false;
    state.currentDesk = static_cast<std::int16_t>(newDesk);
    return completeSwitch(platform, state, newDesk, report) == Completion::Done;
}

BENCHMARK(BM_Swap<programSwapDesk>)->Name("Switch")->Apply(swapArguments);
BENCHMARK(BM_Swap<literalSwapDesk>)->Name("LiteralCopyThenDelete")->Apply(swapArguments);

}  // namespace
}  // namespace koruvan
