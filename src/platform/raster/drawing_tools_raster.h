// The drawing tools over a raster pixel surface. Like the GDI painter it holds
// a pointer to its owner's current-target slot, not the surface itself, so it
// always paints on whatever surface the owner has selected at the moment.
#pragma once

#include "platform/drawing_tools.h"
#include "platform/raster/pixel_surface.h"

#include <optional>

class keslDrawingToolsRaster : public keslDrawingToolsInterface {
public:
    explicit keslDrawingToolsRaster(keslPixelSurface* const* targetSlot) : m_target(targetSlot) {}

    void fillEllipse(int left, int top, int right, int bottom, keslColor color) override;
    void fillRect(const keslRect<int>& rect, keslColor color) override;
    int drawText(int x, int y, const char* text, const keslTextParams& params) override;
    void getTextSize(const char* text, const keslTextParams& params, int* width, int* height) override;
    // Inside the surface: the pixel, opaque. Outside: white (what GDI's CLR_INVALID reads as).
    keslColor getPixel(int x, int y) override;
    void setPixel(int x, int y, keslColor color) override;
    // Width 0 or 1: a one-pixel line; wider: a round-capped stroke as GDI's geometric pen.
    void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) override;
    virtual void multiplyPixel(int x, int y, float red, float green, float blue);
    // Copies source's (0, 0, width, height) to (x, y) unscaled, skipping exactly the key colour.
    virtual void drawImage(int x, int y, const keslPixelSurface* source, int width, int height,
                           std::optional<keslColor> transparentColor);
    // The same from pixels in memory that are not the target's own; false without a target.
    bool drawPixels(int x, int y, const keslPixelView& pixels, std::optional<keslColor> transparentColor);
    bool lightenPixels(int x, int y, const keslPixelView& pixels);
    bool drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area);

private:
    keslPixelSurface* surface() const { return *m_target; }
    void fillSpan(keslPixelSurface& s, int y, int x0, int x1, keslPixel p);
    void thinLine(keslPixelSurface& s, int x1, int y1, int x2, int y2, keslPixel p);
    void wideLine(keslPixelSurface& s, int x1, int y1, int x2, int y2, int width, keslPixel p);

    keslPixelSurface* const* m_target;
};
