// The raster image: a pixel surface that exists once an init succeeds, with
// its own drawing tools bound to it (text can be drawn into an image).
#pragma once

#include "platform/image_base.h"
#include "platform/raster/drawing_tools_raster.h"
#include "platform/raster/pixel_surface.h"

#include <memory>

class keslImageRaster : public keslImageBase {
public:
    keslImageRaster() = default;

    bool initWithSizeAndColor(int width, int height, keslColor color) override;
    bool initWithResource_impl(int resourceNumber) override;
    keslColor getPixel(int x, int y) override { return m_tools.getPixel(x, y); }
    void setPixel(int x, int y, keslColor color) override { m_tools.setPixel(x, y, color); }
    void multiplyPixel(int x, int y, float red, float green, float blue) override {
        m_tools.multiplyPixel(x, y, red, green, blue);
    }
    int getWidth() override { return m_bitmap ? m_bitmap->width() : 0; }
    int getHeight() override { return m_bitmap ? m_bitmap->height() : 0; }
    int drawText(int x, int y, const char* text, const keslTextParams& params) override {
        return m_tools.drawText(x, y, text, params);
    }
    keslSurfaceHandle getSurfaceHandle() override { return m_bitmap.get(); }
    keslPixelView pixelView() override { return m_bitmap ? m_bitmap->view() : keslPixelView{}; }

    const keslPixelSurface* surface() const { return m_bitmap.get(); }

protected:
    void crop_impl(int x, int y, int width, int height) override;
    void resizeTo_impl(int width, int height) override;
    bool initWithFile_impl(const char* fileName) override;

private:
    // Makes pixels the image's picture, keeping the surface's text state.
    void replaceBitmap(keslPixelSurface&& pixels);

    std::unique_ptr<keslPixelSurface> m_bitmap;
    keslPixelSurface* m_target = nullptr;
    keslDrawingToolsRaster m_tools{&m_target};
};
