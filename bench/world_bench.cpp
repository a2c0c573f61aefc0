// The sky world on the raster backend: one frame (update and draw of what
// changed, or of the whole frame when "whole" is 1) and the world's
// construction, with the default settings (the starry tiles, the moon, its
// label and the clock) unless a background is named. A draw allocates nothing. An update allocates nothing, except the few
// that start something new: a message or a quote while its text is laid out,
// a falling star's log line; "allocating_updates" is the share of those.
#include "allocation_count.h"
#include "platform/window.h"
#include "settings/key_value.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

namespace {

constexpr float kFrameSeconds = 0.04f;

// Default settings: an empty store reads every key's default.
cSkyBackgroundFactory factoryFor(keslKeyValueStr& settings, int background) {
    if (background >= 0) settings.setInt("background", background);
    return cSkyBackgroundFactory(settings);
}

void BM_WorldFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    keslWindow window(width, height);
    keslKeyValueStr settings;
    TorvanelWorld world(&window, false, keslRect<int>(0, 0, width, height), static_cast<long>(width) * height, "",
                        factoryFor(settings, static_cast<int>(state.range(2))));
    world.setDrawWholeFrames(state.range(3) != 0);
    // The first draw loads (and for the gradient resizes) the bitmap.
    world.draw();
    long drawAllocations = 0;
    long updateAllocations = 0;
    long allocatingUpdates = 0;
    long frames = 0;
    for (auto _ : state) {
        const long before = benchAllocationCount();
        world.update(kFrameSeconds);
        const long allocations = benchAllocationCount() - before;
        updateAllocations += allocations;
        allocatingUpdates += allocations > 0 ? 1 : 0;
        const long beforeDraw = benchAllocationCount();
        world.draw();
        drawAllocations += benchAllocationCount() - beforeDraw;
        benchmark::ClobberMemory();
        ++frames;
    }
    state.counters["stars"] = static_cast<double>(world.getStars().size());
    state.counters["allocations_per_update"] =
        benchmark::Counter(static_cast<double>(updateAllocations) / static_cast<double>(frames ? frames : 1));
    state.counters["allocations_per_draw"] =
        benchmark::Counter(static_cast<double>(drawAllocations) / static_cast<double>(frames ? frames : 1));
    state.counters["allocating_updates"] =
        benchmark::Counter(static_cast<double>(allocatingUpdates) / static_cast<double>(frames ? frames : 1));
}
// width, height, background (-1: the default), whole.
BENCHMARK(BM_WorldFrame)
    ->Args({1920, 1080, -1, 0})
    ->Args({1920, 1080, -1, 1})
    ->Args({3840, 2160, -1, 0})
    ->Args({3840, 2160, -1, 1})
    ->Args({1920, 1080, 0, 0})
    ->Args({1920, 1080, 2, 0})
    ->Unit(benchmark::kMillisecond);

void BM_WorldConstruction(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    keslWindow window(width, height);
    keslKeyValueStr settings;
    for (auto _ : state) {
        TorvanelWorld world(&window, false, keslRect<int>(0, 0, width, height), static_cast<long>(width) * height, "",
                            factoryFor(settings, -1));
        benchmark::DoNotOptimize(world.getStars().data());
    }
}
BENCHMARK(BM_WorldConstruction)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

}  // namespace
