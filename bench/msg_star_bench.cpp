// What a message costs: projecting the text (once per message; 45 000 pixel
// reads), starting a transition over the whole crowd, and one frame of the
// 1500 message stars in flight.
#include "world/msg_star_crowd.h"
#include "world/star_transition.h"
#include "world/text_projector.h"

#include <benchmark/benchmark.h>

namespace {

const keslRect<int> kFullHd{0, 0, 1920, 1080};

void BM_ProjectDefaultMessage(benchmark::State& state) {
    cTextProjector projector;
    cTargetPoints points;
    for (auto _ : state) {
        projector.project(kFullHd, "Your message\r\nhere", points);
        benchmark::DoNotOptimize(points.data());
    }
}
BENCHMARK(BM_ProjectDefaultMessage)->Unit(benchmark::kMillisecond);

void BM_StartTransition(benchmark::State& state) {
    auto crowd = makeMsgStarCrowd();
    const cTargetPoints points = gridPoints(600);
    for (auto _ : state) {
        auto effect = newTransitionEffect(kFullHd, crowd.get());
        effect->startTransition(points);
    }
}
BENCHMARK(BM_StartTransition)->Unit(benchmark::kMicrosecond);

void BM_FrameOfStarsInFlight(benchmark::State& state) {
    auto crowd = makeMsgStarCrowd();
    cStarTransitionEffect_Simple effect(kFullHd, crowd.get());
    effect.startTransition(gridPoints(kMsgStarCount));
    int frames = 0;
    for (auto _ : state) {
        for (auto& star : *crowd) star->update(0.04f);
        // Every 20 seconds of animation the crowd flies again.
        if (++frames % 500 == 0) {
            state.PauseTiming();
            effect.startTransition(gridPoints(kMsgStarCount, 100 + frames % 7, 200));
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_FrameOfStarsInFlight)->Unit(benchmark::kMicrosecond);

}  // namespace
