// What a frame costs the Windows module's GDI backend: the sky at full size
// with the 1500 message stars flying in their first transition (it starts on
// the first frame and lasts 20 seconds of animation), drawn into the back
// buffer only where it changed, as the module draws it, and flushed to a real
// window. A self-timing program, because the
// benchmark library is not cross-built; run it on Windows or under Wine on a
// screen at least that large, for example with the test prefix:
//   Xvfb :7 -screen 0 1920x1080x24 &
//   DISPLAY=:7 WINEPREFIX=$PWD/build/wineprefix wine build/win32/orvanel_gdi_frame_bench.exe [width height [frames]]
// It prints one line per measure, milliseconds per frame.
#include "platform/window.h"
#include "settings/key_value.h"
#include "system/system_services.h"
#include "world/world.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr float kFrameSeconds = 0.04f;
constexpr const char* kClassName = "OrvanelGdiFrameBench";

HWND makeWindow(int width, int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Orvanel GDI frame", WS_POPUP, 0, 0, width,
                                        height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

struct Measure {
    int frames = 0;
    double totalMs = 0.0;
    double slowestMs = 0.0;

    void add(double ms) {
        ++frames;
        totalMs += ms;
        slowestMs = std::max(slowestMs, ms);
    }
    void print(const char* name) const {
        std::printf("%-34s %5i frames, average %6.2f ms, slowest %6.2f ms\n", name, frames,
                    frames > 0 ? totalMs / frames : 0.0, slowestMs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int width = argc >= 3 ? std::atoi(argv[1]) : 1920;
    const int height = argc >= 3 ? std::atoi(argv[2]) : 1080;
    const int frames = argc >= 4 ? std::atoi(argv[3]) : 500;
    const HWND handle = makeWindow(width, height);
    pumpMessages();
    {
        keslWindow window(static_cast<keslWindowHandle>(handle));
        keslKeyValueStr settings;
        TorvanelWorld world(&window, false, keslRect<int>(0, 0, width, height), static_cast<long>(width) * height, "",
                            cSkyBackgroundFactory(settings));
        Measure inFlight;
        Measure still;
        Measure updates;
        Measure flush;
        const keslSystem& clock = keslSystemServices();
        for (int frame = 0; frame < frames; ++frame) {
            const double start = clock.monotonicSeconds();
            world.update(kFrameSeconds);
            const double updated = clock.monotonicSeconds();
            world.draw();
            const double drawn = clock.monotonicSeconds();
            window.flush();
            GdiFlush();
            const double end = clock.monotonicSeconds();
            const cStarTransitionEffectBase* effect = world.getMsgStarDirector().currentEffect();
            (effect != nullptr && effect->running ? inFlight : still).add((end - start) * 1000.0);
            updates.add((updated - start) * 1000.0);
            flush.add((end - drawn) * 1000.0);
            pumpMessages();
        }
        std::printf("GDI frame at %ix%i, %zu stars, %zu message stars\n", width, height, world.getStars().size(),
                    world.getMsgStars().size());
        inFlight.print("frame, message stars in flight");
        still.print("frame, message stars at rest");
        updates.print("of which the update");
        flush.print("of which the flush to the window");
    }
    DestroyWindow(handle);
    return 0;
}
