// The starry tiles drawn under a frame's changes, apart from everything else
// the frame draws: the changed regions of real classic-sky frames are
// recorded once, then the background alone is drawn through them in turn.
// "pixels" and "rects" say how much of the window one frame changes; a draw
// allocates nothing. With "cold" 1 the caches are flushed (untimed) before
// each draw, as the 40 ms between two frames of the running program, the X
// server reading the frame among them, leave them.
#include "allocation_count.h"
#include "platform/dirty_region.h"
#include "platform/window.h"
#include "settings/key_value.h"
#include "sprites/random.h"
#include "world/sky_background_factory.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr float kFrameSeconds = 0.04f;
constexpr int kRecordedFrames = 250;
constexpr int kStarryTiles = 3;
// The same frames in every run, so that runs before and after a change compare.
constexpr unsigned kRecordingSeed = 20261211u;
// More than any last-level cache the program meets.
constexpr size_t kCacheFlushBytes = 64u << 20;

// Writes and reads a buffer larger than the caches, so that what a draw touches next comes from memory.
void flushCaches(std::vector<unsigned char>& buffer) {
    for (size_t i = 0; i < buffer.size(); i += 64) buffer[i] = static_cast<unsigned char>(buffer[i] + 1);
    benchmark::DoNotOptimize(buffer.data());
}

// The regions of consecutive frames after the first, whole one.
std::vector<keslDirtyRegion> recordChangedRegions(int width, int height) {
    keslSeedRandomOnce();
    std::srand(kRecordingSeed);
    keslWindow window(width, height);
    keslKeyValueStr settings;
    TorvanelWorld world(&window, false, keslRect<int>(0, 0, width, height), static_cast<long>(width) * height, "",
                        cSkyBackgroundFactory(settings));
    world.draw();
    std::vector<keslDirtyRegion> regions;
    regions.reserve(kRecordedFrames);
    while (static_cast<int>(regions.size()) < kRecordedFrames) {
        world.update(kFrameSeconds);
        world.draw();
        if (!window.damage().isWhole()) regions.push_back(window.damage());
        window.forgetDamage();
    }
    return regions;
}

void BM_TiledBackgroundUnderChanges(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const bool cold = state.range(2) != 0;
    std::vector<unsigned char> flushBuffer(cold ? kCacheFlushBytes : 0);
    const std::vector<keslDirtyRegion> regions = recordChangedRegions(width, height);
    keslWindow window(width, height);
    keslKeyValueStr settings;
    settings.setInt("background", kStarryTiles);
    std::unique_ptr<cSkyBackground> background = cSkyBackgroundFactory(settings).create();
    background->setRenderWindow(&window);
    // The first draw loads the bitmap.
    background->draw();
    long allocations = 0;
    std::int64_t pixels = 0;
    std::int64_t rects = 0;
    size_t next = 0;
    for (auto _ : state) {
        const keslDirtyRegion& region = regions[next];
        next = (next + 1) % regions.size();
        if (cold) {
            state.PauseTiming();
            flushCaches(flushBuffer);
            state.ResumeTiming();
        }
        const long before = benchAllocationCount();
        window.setClipRegion(&region);
        background->draw();
        window.setClipRegion(nullptr);
        allocations += benchAllocationCount() - before;
        pixels += region.area();
        rects += region.count();
        benchmark::ClobberMemory();
    }
    const double frames = static_cast<double>(state.iterations() ? state.iterations() : 1);
    state.counters["pixels"] = static_cast<double>(pixels) / frames;
    state.counters["rects"] = static_cast<double>(rects) / frames;
    state.counters["allocations_per_draw"] = static_cast<double>(allocations) / frames;
}
// width, height, cold.
BENCHMARK(BM_TiledBackgroundUnderChanges)
    ->Args({1920, 1080, 0})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
