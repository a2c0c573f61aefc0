// The raster backend's hot paths in a frame: star sprites (keyed 7 x 7
// copies), the tiled background (512 x 320 copies), clearing a full-HD back
// buffer, and one label of text.
#include "platform/image.h"
#include "platform/window.h"

#include <benchmark/benchmark.h>

namespace {

constexpr keslColor kKeyGreen = 0x1DFF52FFu;

void keyedStarCopy(benchmark::State& state) {
    keslWindow window(1920, 1080);
    keslImage star;
    star.initWithSizeAndColor(7, 7, kKeyGreen);
    for (int i = 1; i < 6; ++i) {
        star.setPixel(i, 3, 0xFFFFFFFFu);
        star.setPixel(3, i, 0xFFFFFFFFu);
    }
    star.setTransparentColor(kKeyGreen);
    int x = 0;
    for (auto _ : state) {
        star.drawOn(&window, x, 500);
        x = (x + 13) % 1900;
    }
    benchmark::DoNotOptimize(window.getPixel(3, 503));
}
BENCHMARK(keyedStarCopy);

void backgroundTileCopy(benchmark::State& state) {
    keslWindow window(1920, 1080);
    keslImage tile;
    tile.initWithSizeAndColor(512, 320, 0x102040FFu);
    for (auto _ : state) {
        tile.drawOn(&window, 300, 300);
    }
    benchmark::DoNotOptimize(window.getPixel(301, 301));
    state.SetBytesProcessed(state.iterations() * 512 * 320 * 4);
}
BENCHMARK(backgroundTileCopy);

void fillFullHd(benchmark::State& state) {
    keslWindow window(1920, 1080);
    for (auto _ : state) {
        window.fillRect(keslRect<int>(0, 0, 1920, 1080), 0x000010FFu);
    }
    benchmark::DoNotOptimize(window.getPixel(5, 5));
    state.SetBytesProcessed(state.iterations() * 1920 * 1080 * 4);
}
BENCHMARK(fillFullHd);

void labelText(benchmark::State& state) {
    keslWindow window(1920, 1080);
    const spriteTextParams attributes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.drawText(100, 100, "Full moon in 3 days.", attributes));
    }
}
BENCHMARK(labelText);

void labelTextMeasure(benchmark::State& state) {
    keslWindow window(1920, 1080);
    int width = 0;
    for (auto _ : state) {
        window.getTextSize("Full moon in 3 days.", &width, nullptr);
        benchmark::DoNotOptimize(width);
    }
}
BENCHMARK(labelTextMeasure);

}  // namespace
