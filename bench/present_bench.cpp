// A whole Linux frame at 1920x1080: the world's update and draw plus showing
// it, headless (as the PNG host does) and into a shared-memory X image (as
// the X11 host does; needs a display, e.g. Xvfb :99 -screen 0 1920x1080x24).
// "frame writes" counts the pixels that fills and copies wrote, in frames:
// the background is one, so anything near two means a frame-sized copy.
// A frame allocates nothing on the heap; only a new message (every 30 s or
// more) does, while its text is projected, and a new quote (every 15 s or
// so), while its lines are laid out.
#include "allocation_count.h"
#include "app/linux/x11_presenter.h"
#include "platform/window.h"
#include "settings/key_value.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr float kFrameSeconds = 0.04f;

void runFrames(benchmark::State& state, keslWindow& window) {
    keslKeyValueStr settings;
    TorvanelWorld world(&window, false, keslRect<int>(0, 0, kWidth, kHeight), static_cast<long>(kWidth) * kHeight,
                        "", cSkyBackgroundFactory(settings));
    world.spriteDirector.draw();
    const std::uint64_t before = keslBlockPixelsWritten();
    const long allocationsBefore = benchAllocationCount();
    for (auto _ : state) {
        world.update(kFrameSeconds);
        world.spriteDirector.draw();
        window.flush();
    }
    const double written = static_cast<double>(keslBlockPixelsWritten() - before);
    const double frames = static_cast<double>(state.iterations());
    state.counters["frame writes"] = written / (static_cast<double>(kWidth) * kHeight * frames);
    state.counters["allocations per frame"] = static_cast<double>(benchAllocationCount() - allocationsBefore) / frames;
}

void BM_PresentHeadless(benchmark::State& state) {
    keslWindow window(kWidth, kHeight);
    window.setPresenter([](const keslPixelSurface& frame) { benchmark::DoNotOptimize(frame.data()); });
    runFrames(state, window);
}
BENCHMARK(BM_PresentHeadless)->Unit(benchmark::kMillisecond);

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// A server that resets when its last client leaves refuses connections for a moment.
std::unique_ptr<Display, DisplayCloser> openDisplay() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) return std::unique_ptr<Display, DisplayCloser>(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

void BM_PresentToSharedMemory(benchmark::State& state) {
    std::unique_ptr<Display, DisplayCloser> display = openDisplay();
    if (!display) {
        state.SkipWithError("needs an X display (DISPLAY), for example Xvfb at 1920x1080x24");
        return;
    }
    const int screen = DefaultScreen(display.get());
    const Window xWindow = XCreateSimpleWindow(display.get(), RootWindow(display.get(), screen), 0, 0, kWidth,
                                               kHeight, 0, 0, 0);
    XMapWindow(display.get(), xWindow);
    XSync(display.get(), False);
    {
        keslX11Presenter presenter({display.get(), xWindow, DefaultVisual(display.get(), screen),
                                    DefaultDepth(display.get(), screen), kWidth, kHeight});
        if (!presenter.usesSharedMemory()) {
            state.SkipWithError("the display offers no MIT-SHM");
        } else {
            keslWindow window(keslRect<int>(0, 0, kWidth, kHeight), presenter.backBufferMemory());
            window.setPresenter([&presenter](const keslPixelSurface& frame) { presenter.present(frame); });
            runFrames(state, window);
        }
    }
    XDestroyWindow(display.get(), xWindow);
}
BENCHMARK(BM_PresentToSharedMemory)->Unit(benchmark::kMillisecond);

}  // namespace
