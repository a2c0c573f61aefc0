#include "platform/raster/window_raster.h"

#include "util/log.h"

keslWindowRaster::keslWindowRaster(int width, int height) : keslWindowRaster(keslRect<int>(0, 0, width, height)) {}

keslWindowRaster::keslWindowRaster(const keslRect<int>& screenRect) : keslWindowRaster(screenRect, nullptr) {}

keslWindowRaster::keslWindowRaster(const keslRect<int>& screenRect, keslPixel* backBufferMemory)
    : keslWindowBase(this), m_screenRect(screenRect),
      m_backBuffer(backBufferMemory != nullptr
                       ? keslPixelSurface::borrowing(screenRect.width, screenRect.height, backBufferMemory)
                       : keslPixelSurface(screenRect.width, screenRect.height)) {
    logInfo("keslWindowRaster() rect.top = %i, left:%i, bottom:%i, right:%i, width:%i, height:%i", screenRect.top,
            screenRect.left, screenRect.getBottom(), screenRect.getRight(), screenRect.width, screenRect.height);
    m_target = &m_backBuffer;
}

keslPixelSurface& keslWindowRaster::ownSurface() {
    if (!m_ownSurface) m_ownSurface = std::make_unique<keslPixelSurface>(m_backBuffer.width(), m_backBuffer.height());
    return *m_ownSurface;
}

void keslWindowRaster::flush() {
    if (!m_doubleBuffered) {
        m_shown = &ownSurface();
    } else if (m_presenter) {
        m_shown = &m_backBuffer;
    } else {
        keslPixelSurface* windowTarget = &ownSurface();
        keslDrawingToolsRaster(&windowTarget)
            .drawImage(0, 0, &m_backBuffer, m_backBuffer.width(), m_backBuffer.height(), std::nullopt);
        m_shown = windowTarget;
    }
    if (m_presenter) m_presenter(*m_shown);
    forgetDamage();
}

void keslWindowRaster::setClipRect(const keslRect<int>* clip) {
    if (m_target != nullptr) m_target->setClip(clip);
}

const keslPixelSurface& keslWindowRaster::shownSurface() {
    if (m_shown == nullptr) m_shown = &ownSurface();
    return *m_shown;
}

void keslWindowRaster::setDoubleBuffered(bool on) {
    keslWindowBase::setDoubleBuffered(on);
    m_target = on ? &m_backBuffer : &ownSurface();
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

bool keslWindowRaster::drawPixels(int x, int y, const keslPixelView& pixels,
                                  std::optional<keslColor> transparentColor) {
    return m_tools.drawPixels(x, y, pixels, transparentColor);
}

bool keslWindowRaster::lightenPixels(int x, int y, const keslPixelView& pixels) {
    return m_tools.lightenPixels(x, y, pixels);
}

bool keslWindowRaster::drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) {
    return m_tools.drawTiledPixels(tile, area);
}

keslColor keslWindowRaster::getPixel(int x, int y) { return m_tools.getPixel(x, y); }

void keslWindowRaster::setPixel(int x, int y, keslColor color) { m_tools.setPixel(x, y, color); }

void keslWindowRaster::getTextSize(const char* text, int* width, int* height) {
    m_tools.getTextSize(text, textParamsInForce(false), width, height);
}

int keslWindowRaster::drawTextInForce(int x, int y, const char* text) {
    return m_tools.drawText(x, y, text, textParamsInForce(true));
}
