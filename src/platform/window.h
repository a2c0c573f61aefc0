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
    // While a region is set every drawing call paints only inside its
    // rectangles (which never overlap), each pixel once. The region is borrowed.
    void setClipRegion(const keslDirtyRegion* region) { m_clipRegion = region; }
    const keslDirtyRegion* getClipRegion() const { return m_clipRegion; }

    void clearWithColor(keslColor color) override;
    void fillRect(const keslRect<int>& rect, keslColor color) override;
    void fillEllipse(int left, int top, int right, int bottom, keslColor color) override;
    void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) override;
    void drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                   std::optional<keslColor> transparentColor) override;
    bool drawPixels(int x, int y, const keslPixelView& pixels, std::optional<keslColor> transparentColor) override;
    bool lightenPixels(int x, int y, const keslPixelView& pixels) override;
    bool drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) override;
    int drawText(int x, int y, const char* text, const spriteTextParams& attributes) override;
    // The same, for a caller that knows where the text may paint: nothing is measured for the clip.
    int drawText(int x, int y, const char* text, const spriteTextParams& attributes, const keslRect<int>& reach);
    // Exactly the pixels drawText with these attributes would paint, when the backend knows them without drawing.
    std::optional<keslRect<int>> textInk(int x, int y, const char* text, const spriteTextParams& attributes);
    void pushTextAttributes(const spriteTextParams& attributes) override;
    void popTextAttributes(const spriteTextParams& attributes) override;
    // Outside the client area: opaque black.
    keslColor getPixel(int x, int y) override;
    // Outside the client area: nothing.
    void setPixel(int x, int y, keslColor color) override;

private:
    bool insideClient(int x, int y);
    void logConstruction();
    // Runs draw once, or once per rectangle of the clip region that meets
    // reach (what the call may paint; null: anywhere) with the clip set to it.
    template <typename Draw>
    void clipped(const keslRect<int>* reach, Draw&& draw);
    // Where a text drawn at (x, y) with the attributes in force may paint.
    keslRect<int> textReach(int x, int y, const char* text);

    const keslDirtyRegion* m_clipRegion = nullptr;
};

// The window for a native handle: a GDI window on Windows. The raster has no
// native windows (its hosts make keslWindow themselves), so there it logs and
// gives nothing.
std::unique_ptr<keslWindow> keslCreateWindowForHandle(keslWindowHandle handle);
