// A window made of pixels: the raster counterpart of the GDI window. The
// world draws into the back buffer; flush shows it. A host that shows frames
// (an X window, PNG files) installs a presenter, and then the presenter is the
// screen: flush hands it the back buffer itself, and a host that can give the
// back buffer the very memory it presents from (a shared-memory X image) has
// every frame drawn where it is shown, with no frame-sized copy. Without a
// presenter the window keeps a surface of its own that flush copies into.
#pragma once

#include "platform/raster/drawing_tools_raster.h"
#include "platform/raster/pixel_surface.h"
#include "platform/window_base.h"

#include <functional>
#include <memory>

class keslWindowRaster : public keslWindowBase {
public:
    using Presenter = std::function<void(const keslPixelSurface&)>;

    // A headless window of this size at the screen's origin.
    keslWindowRaster(int width, int height);
    // A window covering this screen rectangle.
    explicit keslWindowRaster(const keslRect<int>& screenRect);
    // The same, drawing its frames into width x height pixels the host holds
    // (and keeps alive for the window's life); null gives a back buffer of its own.
    keslWindowRaster(const keslRect<int>& screenRect, keslPixel* backBufferMemory);

    void flush() override;
    void setClipRect(const keslRect<int>* clip) override;
    void clearWithColor(keslColor color) override;
    void fillRect(const keslRect<int>& rect, keslColor color) override;
    void fillEllipse(int left, int top, int right, int bottom, keslColor color) override;
    void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) override;
    void drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                   std::optional<keslColor> transparentColor) override;
    bool drawPixels(int x, int y, const keslPixelView& pixels, std::optional<keslColor> transparentColor) override;
    bool lightenPixels(int x, int y, const keslPixelView& pixels) override;
    bool drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) override;
    keslColor getPixel(int x, int y) override;
    void setPixel(int x, int y, keslColor color) override;
    keslRect<int> getWindowRect() override { return m_screenRect; }
    int getTop() override { return m_screenRect.top; }
    int getLeft() override { return m_screenRect.left; }
    keslPoint<int> getPosition() override { return {m_screenRect.left, m_screenRect.top}; }
    int getClientWidth() override { return m_backBuffer.width(); }
    int getClientHeight() override { return m_backBuffer.height(); }
    keslSize getClientSize() override { return {getClientWidth(), getClientHeight()}; }
    void getTextSize(const char* text, int* width, int* height) override;
    void setDoubleBuffered(bool on) override;
    // The host reads the request through closeRequested.
    void requestClose() override { m_closeRequested = true; }
    bool closeRequested() const { return m_closeRequested; }

    // What the window shows: what the last flush presented or, without a presenter, the window's own surface.
    const keslPixelSurface& shownSurface();
    // Called by every flush with what the window then shows; damage() tells
    // what changed since the last flush.
    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }

protected:
    int drawTextInForce(int x, int y, const char* text) override;

private:
    // The window's own pixels, made when first needed: what it shows without
    // a presenter, and where drawing goes while double buffering is off.
    keslPixelSurface& ownSurface();

    keslRect<int> m_screenRect;
    keslPixelSurface m_backBuffer;
    std::unique_ptr<keslPixelSurface> m_ownSurface;
    const keslPixelSurface* m_shown = nullptr;
    keslPixelSurface* m_target = nullptr;
    keslDrawingToolsRaster m_tools{&m_target};
    Presenter m_presenter;
    bool m_closeRequested = false;
};
