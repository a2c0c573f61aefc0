// A frame of the real sky against a frame of the classic sky, both at their
// defaults otherwise (the moon, its label, the clock, the messages), on the
// raster backend. The clock moves a second every 25 frames, as it does on
// screen, so the star places are worked out once a second and the layer is
// redrawn whenever the sky has turned a pixel: "layer_renders" counts those.
// Frames are drawn as a host draws them, only where something changed.
// Allocations are counted over the whole frame, update and draw. The real
// sky runs at night, in civil twilight and by day: the third argument.
#include "allocation_count.h"
#include "platform/window.h"
#include "settings/app_settings.h"
#include "support/fake_system.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

namespace {

constexpr float kFrameSeconds = 0.04f;
constexpr int kFramesPerClockSecond = 25;
// A winter evening in Berlin: Orion, Sirius and Jupiter up, the Milky Way across.
constexpr std::time_t kWinterEvening = 1768507200;  // 2026-01-15 20:00 UTC
// The same day over Berlin: the sun 3 deg below the horizon, and at noon.
constexpr std::time_t kWinterDusk = 1768491600;  // 15:40 UTC
constexpr std::time_t kWinterNoon = 1768477500;  // 11:45 UTC
// The Geminids' peak night over Berlin, the radiant high: a falling star every quarter minute or so.
constexpr std::time_t kGeminidsNight = 1797210000;  // 2026-12-14 01:00 UTC
constexpr std::time_t kMoments[] = {kWinterEvening, kWinterDusk, kWinterNoon, kGeminidsNight};

void runFrames(benchmark::State& state, bool realSky) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    // The store first: it finds its file through the real system's folders.
    keslKeyValue& settings = settingsGroups::defaultStore();
    FakeSystem system;
    system.now = kMoments[state.range(2)];
    settings.overrideForThisRun("realSky", realSky ? "yes" : "no");
    settings.overrideForThisRun("skyLatitude", "52.5");
    settings.overrideForThisRun("skyLongitude", "13.4");
    keslWindow window(width, height);
    TorvanelWorld world(&window, false, keslRect<int>(0, 0, width, height), static_cast<long>(width) * height, "");
    world.spriteDirector.draw();
    long allocations = 0;
    long frames = 0;
    long wholeFrames = 0;
    double drawnShare = 0.0;
    for (auto _ : state) {
        if (++frames % kFramesPerClockSecond == 0) ++system.now;
        const long before = benchAllocationCount();
        world.update(kFrameSeconds);
        world.draw();
        allocations += benchAllocationCount() - before;
        benchmark::ClobberMemory();
        const keslDirtyRegion& drawn = world.lastDrawn();
        wholeFrames += drawn.isWhole() ? 1 : 0;
        drawnShare += static_cast<double>(drawn.area()) / (static_cast<double>(width) * height);
    }
    const double counted = static_cast<double>(frames ? frames : 1);
    state.counters["whole_frames_pct"] = benchmark::Counter(100.0 * static_cast<double>(wholeFrames) / counted);
    state.counters["drawn_pct"] = benchmark::Counter(100.0 * drawnShare / counted);
    settings.overrideForThisRun("realSky", "no");
    state.counters["allocations_per_frame"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(frames ? frames : 1));
    if (const cRealSkySprite* sky = world.getRealSky()) {
        state.counters["stars"] = static_cast<double>(sky->visibleStars());
        state.counters["layer_renders"] = static_cast<double>(sky->layerRenders());
        state.counters["sky_seconds"] = static_cast<double>(frames / kFramesPerClockSecond);
        state.counters["meteors"] = static_cast<double>(sky->meteors().launched());
    } else {
        state.counters["stars"] = static_cast<double>(world.getStars().size());
    }
}

void BM_ClassicSkyFrame(benchmark::State& state) { runFrames(state, false); }
void BM_RealSkyFrame(benchmark::State& state) { runFrames(state, true); }

BENCHMARK(BM_ClassicSkyFrame)->Args({1920, 1080, 0})->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_RealSkyFrame)
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Args({1920, 1080, 3})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

}  // namespace

namespace {

// The real sky on its own, without messages or quotes that start something
// new now and then: a frame of it, turning included, allocates nothing.
void BM_RealSkyAlone(benchmark::State& state) {
    FakeSystem system;
    system.now = kMoments[state.range(2)];
    keslWindow window(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    sRealSkyOptions options;
    options.place = {52.5, 13.4};
    options.names = true;
    cRealSkySprite sky(&window, options);
    long allocations = 0;
    long frames = 0;
    for (auto _ : state) {
        if (++frames % kFramesPerClockSecond == 0) ++system.now;
        const long before = benchAllocationCount();
        sky.update(kFrameSeconds);
        sky.draw();
        allocations += benchAllocationCount() - before;
        benchmark::ClobberMemory();
    }
    state.counters["allocations_per_frame"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(frames ? frames : 1));
    state.counters["layer_renders"] = static_cast<double>(sky.layerRenders());
    state.counters["meteors"] = static_cast<double>(sky.meteors().launched());
}
BENCHMARK(BM_RealSkyAlone)
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Args({1920, 1080, 3})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

}  // namespace
