// The raster backend's drawing surface: 32-bit pixels 0x00RRGGBB, rows top
// down, plus the two pieces of state a GDI device context carries between
// calls and the system relies on (the text colour and the character spacing).
#pragma once

#include "platform/color.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using keslPixel = std::uint32_t;

constexpr keslPixel toPixel(keslColor c) { return c >> 8; }
constexpr keslColor fromPixel(keslPixel p) { return (p << 8) | 0xFFu; }

class keslPixelSurface {
public:
    keslPixelSurface() = default;
    // Sizes below zero count as zero.
    keslPixelSurface(int width, int height, keslPixel fill = 0);
    // Takes width x height pixels, rows from the top.
    keslPixelSurface(int width, int height, std::vector<keslPixel>&& pixels);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    keslPixel* row(int y) { return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width); }
    const keslPixel* row(int y) const {
        return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width);
    }
    keslPixel at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, keslPixel p) { row(y)[x] = p; }
    const std::vector<keslPixel>& pixels() const { return m_pixels; }

    // Device-context state: black text and no extra spacing, as a fresh GDI context.
    keslPixel textColor = 0;
    int characterExtra = 0;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<keslPixel> m_pixels;
};
