#include "platform/raster/pixel_surface.h"

#include <algorithm>

keslPixelSurface::keslPixelSurface(int width, int height, keslPixel fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), fill) {}

keslPixelSurface::keslPixelSurface(int width, int height, std::vector<keslPixel>&& pixels)
    : m_width(width), m_height(height), m_pixels(std::move(pixels)) {}
