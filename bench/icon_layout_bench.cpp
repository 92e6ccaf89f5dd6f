// The portable part of keeping each desk's icon layout: what the switch does with the view's listing before
// the items leave (layoutSeen), what a put-back works out once the view lists them (putBackPlan), and the
// whole file of ten desks written after the switch. The view's own calls are the shell's and are not here.

#include <benchmark/benchmark.h>

#include "store/icon_layout.h"
#include "store/icon_layout_file.h"

namespace koruvan {
namespace {

struct IconSetup {
    DeskIconLayout layout;
    std::vector<LayoutItem> items;
    std::vector<DesktopIcon> listed;

    explicit IconSetup(std::int64_t count) {
        for (std::int64_t i = 0; i < count; ++i) {
            const std::string name = "item " + std::to_string(i) + ".lnk";
            const int x = static_cast<int>(i / 8) * 80;
            const int y = static_cast<int>(i % 8) * 96;
            layout.push_back({name, "1:" + std::to_string(i), {x, y}});
            items.push_back({name, name, "1:" + std::to_string(i)});
            listed.push_back({name, {y, x}});
        }
        // The shell's own items and a folder the desks share.
        for (const char* other : {"ごみ箱", "PC", "フォルダ"})
            listed.push_back({other, {0, 0}});
    }
};

void BM_LayoutSeen(benchmark::State& run) {
    const IconSetup setup(run.range(0));
    for (auto _ : run)
        benchmark::DoNotOptimize(layoutSeen(setup.layout, setup.items, setup.listed));
    run.SetItemsProcessed(run.iterations() * run.range(0));
}

void BM_PutBackPlan(benchmark::State& run) {
    const IconSetup setup(run.range(0));
    for (auto _ : run)
        benchmark::DoNotOptimize(putBackPlan(setup.layout, setup.items, setup.listed));
    run.SetItemsProcessed(run.iterations() * run.range(0));
}

void BM_IconLayoutFile(benchmark::State& run) {
    const IconSetup setup(run.range(0));
    IconLayouts layouts;
    for (int desk = 0; desk < kDeskCount; ++desk)
        layouts[std::to_string(desk + 1)][IconScreen{1920, 1080, 96}] = setup.layout;  // keyed by identity
    for (auto _ : run)
        benchmark::DoNotOptimize(parseIconLayouts(formatIconLayouts(layouts)));
}

BENCHMARK(BM_LayoutSeen)->Name("IconLayoutSeen")->ArgName("items")->Arg(100)->Arg(500);
BENCHMARK(BM_PutBackPlan)->Name("IconPutBackPlan")->ArgName("items")->Arg(100)->Arg(500);
BENCHMARK(BM_IconLayoutFile)->Name("IconLayoutFileOfTenDesks")->ArgName("items")->Arg(100);

}  // namespace
}  // namespace koruvan
