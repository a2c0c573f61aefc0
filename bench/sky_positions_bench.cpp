// The real sky's cost per frame: every catalogue star's place (about 5,000),
// the frame of the moment that precedes it, the sun, moon and planets, and
// the projection of every star onto a 1920x1080 view, the Milky Way's outlines. A frame of them
// allocates nothing; "allocations_per_frame" shows it.
#include "allocation_count.h"
#include "astro/sky_projection.h"
#include "astro/sky_snapshot.h"
#include "astro/solar_system.h"
#include "astro/star_positions.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double kStartUnixSeconds = 1774042200.0;  // 2026-03-20 21:30 UTC
constexpr sPlace kBerlin{52.5, 13.4};
constexpr double kFrameSeconds = 0.04;

void BM_AllStarPositions(benchmark::State& state) {
    cStarPositions stars;
    double t = kStartUnixSeconds;
    long allocations = 0, frames = 0;
    for (auto _ : state) {
        const long before = benchAllocationCount();
        stars.compute(makeSkyFrame(t, kBerlin));
        allocations += benchAllocationCount() - before;
        benchmark::DoNotOptimize(stars.places().data());
        t += kFrameSeconds;
        ++frames;
    }
    state.counters["stars"] = static_cast<double>(stars.places().size());
    state.counters["allocations_per_frame"] = static_cast<double>(allocations) / static_cast<double>(frames ? frames : 1);
}
BENCHMARK(BM_AllStarPositions)->Unit(benchmark::kMicrosecond);

void BM_SolarSystem(benchmark::State& state) {
    double t = kStartUnixSeconds;
    for (auto _ : state) {
        const sSkyFrame frame = makeSkyFrame(t, kBerlin);
        for (eSolarBody body : kSolarBodies) benchmark::DoNotOptimize(solarBodyPosition(body, frame));
        t += kFrameSeconds;
    }
}
BENCHMARK(BM_SolarSystem)->Unit(benchmark::kMicrosecond);

// The whole sky of a moment without the stars, as the real sky takes it: at
// night, and in the middle of a total eclipse, when the moon's light is
// averaged over its disc.
void BM_SkySnapshot(benchmark::State& state) {
    double t = state.range(0) == 0 ? kStartUnixSeconds : 1772537610.0;  // 2026-03-03 11:33:30 UTC
    for (auto _ : state) {
        benchmark::DoNotOptimize(skySnapshotAt(t, kBerlin));
        t += kFrameSeconds;
    }
}
BENCHMARK(BM_SkySnapshot)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ProjectAllStars(benchmark::State& state) {
    cStarPositions stars;
    stars.compute(makeSkyFrame(kStartUnixSeconds, kBerlin));
    const sSkyProjection view = makeSkyProjection(1920, 1080, kBerlin.latitudeDeg);
    long onView = 0;
    for (auto _ : state) {
        onView = 0;
        for (const sStarPlace& p : stars.places()) {
            float x = 0, y = 0;
            if (projectDirection(view, p.east, p.north, p.up, x, y) && isOnView(view, x, y)) ++onView;
        }
        benchmark::DoNotOptimize(onView);
    }
    state.counters["on_view"] = static_cast<double>(onView);
}
BENCHMARK(BM_ProjectAllStars)->Unit(benchmark::kMicrosecond);

}  // namespace
