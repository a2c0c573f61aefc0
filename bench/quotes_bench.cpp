// The quotes label on the raster backend and the cost of the user's file at
// start-up. A fading line asks for a new font size nearly every frame; with
// sized faces and glyphs kept, a frame that fades a quote in or out should
// cost what a frame that merely holds it costs, and allocate nothing. The file cases are the ones a
// user could hand the screensaver: many lines, one endless line, garbage.
#include "allocation_count.h"
#include "platform/window.h"
#include "quotes/quotes.h"
#include "world/sprite_text_dimming_linked.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr float kFrameSeconds = 0.04f;
const std::vector<std::string> kQuote{"The woods are lovely, dark and deep,", "but I have promises to keep,",
                                      "and miles to go before I sleep", "(Robert Frost)"};

enum class Phase { FadingIn, Holding, FadingOut };

bool inPhase(const cSpriteTextDimming_linkedList& head, Phase phase) {
    const cSpriteTextDimming_linkedList& last = head.lastLine();
    switch (phase) {
        case Phase::FadingIn:
            return last.dimState != cSpriteTextDimming::kHolding;
        case Phase::Holding:
            return true;
        case Phase::FadingOut:
            return last.dimState != cSpriteTextDimming::kDone;
    }
    return false;
}

// Puts the quote at the start of the phase: fading in from nothing, all
// lines held at full size, or every line about to vanish.
void startPhase(cSpriteTextDimming_linkedList& head, keslWindow& window, Phase phase) {
    head.setLines(kQuote, &window);
    head.x = 300;
    head.y = 400;
    head.startFadeIn(0);
    if (phase == Phase::FadingIn) return;
    while (head.lastLine().dimState != cSpriteTextDimming::kHolding) head.update(kFrameSeconds);
    const std::int32_t hold = phase == Phase::Holding ? std::numeric_limits<std::int32_t>::max() : 0;
    for (cSpriteTextDimming_linkedList* line = &head; line; line = line->nextLine.get()) line->holdTime = hold;
}

void quoteFrame(benchmark::State& state, Phase phase) {
    keslWindow window(1920, 1080);
    cSpriteTextDimming_linkedList head("quotesLabel", 0xDEB887FFu);
    startPhase(head, window, phase);
    // One pass first, so every size the phase uses has been seen once.
    while (inPhase(head, phase) && phase != Phase::Holding) {
        head.update(kFrameSeconds);
        head.draw();
    }
    startPhase(head, window, phase);
    long allocations = 0;
    for (auto _ : state) {
        if (!inPhase(head, phase)) {
            state.PauseTiming();
            startPhase(head, window, phase);
            state.ResumeTiming();
        }
        const long before = benchAllocationCount();
        head.update(kFrameSeconds);
        head.draw();
        allocations += benchAllocationCount() - before;
    }
    benchmark::DoNotOptimize(window.getPixel(310, 410));
    state.counters["allocations per frame"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(quoteFrame, fadingIn, Phase::FadingIn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(quoteFrame, holding, Phase::Holding)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(quoteFrame, fadingOut, Phase::FadingOut)->Unit(benchmark::kMicrosecond);

std::string userFile(int kind) {
    std::string bytes;
    if (kind == 0) return bytes;
    if (kind == 1) {
        for (int i = 0; i < 100000; ++i) bytes += "Quote number " + std::to_string(i) + " of the user|(Somebody)\n";
    } else if (kind == 2) {
        bytes = "before\n" + std::string(1024 * 1024, 'w') + "\nafter\n";
    } else {
        unsigned seed = 2024;
        for (int i = 0; i < 4 * 1024 * 1024; ++i) {
            seed = seed * 1103515245u + 12345u;
            bytes.push_back(static_cast<char>(seed >> 16));
        }
    }
    return bytes;
}

// Building the collection as start-up does, with the user's file of each kind.
void quotesCollection(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvanel-quotes-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "userQuotes.txt").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << userFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        cQuotes quotes(path);
        benchmark::DoNotOptimize(quotes.quotesList().data());
    }
    std::filesystem::remove_all(folder);
}
// 0 empty file, 1 100 000 lines, 2 one line of 1 MB, 3 4 MB of random bytes.
BENCHMARK(quotesCollection)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
