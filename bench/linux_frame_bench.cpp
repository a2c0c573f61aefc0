// What a frame costs the X11 host on a display whose visual is not the
// raster's own layout (16-bit displays): every pixel is converted before
// XPutImage. On the common 24/32-bit visual the rows are copied as they are.
#include "app/linux/visual_pixels.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_FrameToRgb565FullHd(benchmark::State& state) {
    const keslPixelSurface frame(1920, 1080, 0x336699u);
    const keslVisualPixelConverter rgb565({0xF800u, 0x07E0u, 0x001Fu});
    std::vector<std::uint32_t> out(static_cast<size_t>(frame.width()) * frame.height());
    for (auto _ : state) {
        for (size_t i = 0; i < out.size(); ++i) out[i] = rgb565(frame.data()[i]);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_FrameToRgb565FullHd)->Unit(benchmark::kMillisecond);

}  // namespace
