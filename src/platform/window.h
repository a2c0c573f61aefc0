// The window the system instantiates: the platform's surfaces (GDI window or
// raster pixels) plus what every backend shares, namely the bounds tests on
// single pixels and the text-attribute stacks that sprites push and pop.
#pragma once

#include "platform/window_base.h"

#if defined(_WIN32)
#include "platform/gdi/window_win.h"
using keslWindowPlatform = keslWindowWin;
#else
#include "platform/raster/window_raster.h"
using keslWindowPlatform = keslWindowRaster;
#endif

#include <memory>
#include <utility>

class keslWindow : public keslWindowPlatform {
public:
    // Takes whatever the backend's window takes: an HWND on Windows; a size
    // (headless) or a screen rectangle on the raster.
    template <typename... Args>
    explicit keslWindow(Args&&... args) : keslWindowPlatform(std::forward<Args>(args)...) {
        logConstruction();
    }

    void clear() override;
    int drawText(int x, int y, const char* text, const spriteTextParams& attributes) override;
    void pushTextAttributes(const spriteTextParams& attributes) override;
    void popTextAttributes(const spriteTextParams& attributes) override;
    // Outside the client area: opaque black.
    keslColor getPixel(int x, int y) override;
    // Outside the client area: nothing.
    void setPixel(int x, int y, keslColor color) override;

private:
    bool insideClient(int x, int y);
    void logConstruction();
};

// The window for a native handle: a GDI window on Windows. The raster has no
// native windows (its hosts make keslWindow themselves), so there it logs and
// gives nothing.
std::unique_ptr<keslWindow> keslCreateWindowForHandle(keslWindowHandle handle);
