#include "platform/raster/window_raster.h"

#include "util/log.h"

keslWindowRaster::keslWindowRaster(int width, int height) : keslWindowRaster(keslRect<int>(0, 0, width, height)) {}

keslWindowRaster::keslWindowRaster(const keslRect<int>& screenRect)
    : keslWindowBase(&m_windowSurface), m_screenRect(screenRect),
      m_windowSurface(screenRect.width, screenRect.height) {
    logInfo("keslWindowRaster() rect.top = %i, left:%i, bottom:%i, right:%i, width:%i, height:%i", screenRect.top,
            screenRect.left, screenRect.getBottom(), screenRect.getRight(), screenRect.width, screenRect.height);
    m_backBuffer = std::make_unique<keslPixelSurface>(m_windowSurface);
    m_target = m_backBuffer.get();
}

void keslWindowRaster::flush() {
    if (m_backBuffer && m_doubleBuffered) {
        keslPixelSurface* windowTarget = &m_windowSurface;
        keslDrawingToolsRaster(&windowTarget)
            .drawImage(0, 0, m_backBuffer.get(), m_backBuffer->width(), m_backBuffer->height(), std::nullopt);
    }
    if (m_presenter) {
        m_presenter(m_windowSurface);
    }
}

void keslWindowRaster::setDoubleBuffered(bool on) {
    keslWindowBase::setDoubleBuffered(on);
    m_target = on ? m_backBuffer.get() : &m_windowSurface;
}

void keslWindowRaster::clearWithColor(keslColor color) {
    m_tools.fillRect(keslRect<int>(0, 0, getClientWidth(), getClientHeight()), color);
}

void keslWindowRaster::fillRect(const keslRect<int>& rect, keslColor color) {
    m_tools.fillRect(rect, color);
}

void keslWindowRaster::fillEllipse(int left, int top, int right, int bottom, keslColor color) {
    m_tools.fillEllipse(left, top, right, bottom, color);
}

void keslWindowRaster::drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) {
    m_tools.drawLine(x1, y1, x2, y2, width, color);
}

void keslWindowRaster::drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                                 std::optional<keslColor> transparentColor) {
    m_tools.drawImage(x, y, static_cast<const keslPixelSurface*>(source), width, height, transparentColor);
}

keslColor keslWindowRaster::getPixel(int x, int y) { return m_tools.getPixel(x, y); }

void keslWindowRaster::setPixel(int x, int y, keslColor color) { m_tools.setPixel(x, y, color); }

void keslWindowRaster::getTextSize(const char* text, int* width, int* height) {
    m_tools.getTextSize(text, textParamsInForce(false), width, height);
}

int keslWindowRaster::drawTextInForce(int x, int y, const char* text) {
    return m_tools.drawText(x, y, text, textParamsInForce(true));
}
