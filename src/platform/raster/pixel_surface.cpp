#include "platform/raster/pixel_surface.h"

#include "system/rect_ops.h"

#include <algorithm>

keslPixelSurface::keslPixelSurface(int width, int height, keslPixel fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_owned(pixelCount(), fill) {
    adoptOwned();
}

keslPixelSurface::keslPixelSurface(int width, int height, std::vector<keslPixel>&& pixels)
    : m_width(width), m_height(height), m_owned(std::move(pixels)) {
    adoptOwned();
}

keslPixelSurface keslPixelSurface::borrowing(int width, int height, keslPixel* memory) {
    keslPixelSurface surface;
    surface.m_width = std::max(width, 0);
    surface.m_height = std::max(height, 0);
    surface.m_data = memory;
    return surface;
}

keslPixelSurface::keslPixelSurface(const keslPixelSurface& other)
    : textColor(other.textColor), characterExtra(other.characterExtra), m_width(other.m_width),
      m_height(other.m_height), m_owned(other.m_data, other.m_data + other.pixelCount()) {
    adoptOwned();
}

keslPixelSurface& keslPixelSurface::operator=(const keslPixelSurface& other) {
    if (this != &other) *this = keslPixelSurface(other);
    return *this;
}

keslPixelSurface::keslPixelSurface(keslPixelSurface&& other) noexcept
    : textColor(other.textColor), characterExtra(other.characterExtra), m_width(other.m_width),
      m_height(other.m_height), m_owned(std::move(other.m_owned)), m_data(other.m_data) {
    other.m_width = other.m_height = 0;
    other.m_data = nullptr;
}

keslPixelSurface& keslPixelSurface::operator=(keslPixelSurface&& other) noexcept {
    if (this == &other) return *this;
    textColor = other.textColor;
    characterExtra = other.characterExtra;
    m_width = other.m_width;
    m_height = other.m_height;
    m_owned = std::move(other.m_owned);
    m_data = other.m_data;
    other.m_width = other.m_height = 0;
    other.m_data = nullptr;
    return *this;
}

void keslPixelSurface::setClip(const keslRect<int>* clip) {
    m_clipped = clip != nullptr;
    if (!m_clipped) return;
    m_clipRect = keslIntersection(*clip, keslRect<int>(0, 0, m_width, m_height));
    m_clipLeft = m_clipRect.left;
    m_clipTop = m_clipRect.top;
    m_clipRight = m_clipRect.left + m_clipRect.width;
    m_clipBottom = m_clipRect.top + m_clipRect.height;
}
