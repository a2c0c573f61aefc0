// One frame of a star field: update and draw of 2000 star-sized image sprites
// through a director on a full-HD raster window, with the heap allocations a
// frame makes counted (the frame path must make none).
#include "allocation_count.h"
#include "platform/image.h"
#include "platform/window.h"
#include "sprites/move_restriction.h"
#include "sprites/sprite_director.h"
#include "sprites/sprite_image.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace {
std::atomic<long> g_allocations{0};
}

// Counting replacements of the global allocation functions; malloc and free
// pair up even though the compiler cannot see it.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

long benchAllocationCount() { return g_allocations.load(); }

namespace {

constexpr int kStars = 2000;
constexpr int kStarImages = 10;
constexpr int kStarSize = 7;
constexpr keslColor kKeyGreen = 0x1DFF52FFu;

void BM_StarFieldFrame(benchmark::State& state) {
    keslWindow window(1920, 1080);
    std::vector<std::unique_ptr<keslImage>> images;
    for (int i = 0; i < kStarImages; ++i) {
        auto image = std::make_unique<keslImage>();
        image->initWithSizeAndColor(kStarSize, kStarSize, kKeyGreen);
        const keslColor grey = static_cast<keslColor>(25 * (i + 1)) * 0x01010100u | 0xFFu;
        image->setPixel(3, 3, grey);
        image->setPixel(2, 3, grey);
        image->setPixel(4, 3, grey);
        image->setTransparentColor(kKeyGreen);
        images.push_back(std::move(image));
    }
    TzerinMoveRestriction_ContinueInsideRect wrap;
    wrap.bounds = keslRect<int>(0, 0, 1920, 1080);
    std::vector<std::unique_ptr<TzerinSpriteImage_linkedImg>> stars;
    TzerinSpriteDirector director;
    for (int i = 0; i < kStars; ++i) {
        auto star = std::make_unique<TzerinSpriteImage_linkedImg>("normal star");
        star->setImage(images[i % kStarImages].get());
        star->calculateSize();
        star->setRandomPosition(0, 0, 1920, 1080);
        star->speedX = 3.0f + static_cast<float>(i % 7);
        star->speedY = 1.0f;
        star->addRestriction(&wrap);
        director.add(star.get());
        stars.push_back(std::move(star));
    }
    director.setRenderWindow(&window);

    const long before = g_allocations.load();
    long frames = 0;
    for (auto _ : state) {
        window.clearWithColor(0x00000DFFu);
        director.update(0.04f);
        director.draw();
        ++frames;
    }
    state.counters["allocations_per_frame"] =
        benchmark::Counter(static_cast<double>(g_allocations.load() - before) / static_cast<double>(frames ? frames : 1));
}
BENCHMARK(BM_StarFieldFrame)->Unit(benchmark::kMillisecond);

}  // namespace
